// The whole road of `vellandex index` (discovery, the pass, the index, the lists, the save) on
// synthetic contracts of several sizes, next to a plain open-and-save of the same file by the
// same program in the same run: both times, their ratio and each one's peak memory. On the
// largest it also times LibreOffice headless converting the file to .docx (its own plain open
// and save, with a profile of its own) and gives our index run as a fraction of that, the
// median over pairs of runs made back to back. Each time is the best of a few runs of the
// program as a user starts it, with a settings folder of its own.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "bench/synthetic_contract.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Measure {
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time of the program and the processes it waited for
  long peakKiB = 0;
};

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Runs the program to its end; its wall time and peak resident memory (that of its largest
// process, when it starts others and waits for them).
Measure runProgram(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  // What the program says on standard output would only clutter the figures.
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) {
    std::cerr << "index_road_bench: cannot start " << args[0] << "\n";
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Measure m{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "index_road_bench: " << args[0] << " " << args[1] << " failed (status " << status << ")\n";
    std::exit(1);
  }
  return m;
}

Measure best(int repeats, const std::vector<std::string>& args) {
  Measure out = runProgram(args);
  for (int i = 1; i < repeats; ++i) {
    Measure m = runProgram(args);
    if (m.seconds < out.seconds) out = m;
  }
  return out;
}

// Whether a program is found on PATH.
bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  for (std::size_t from = 0; from <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', from), dirs.size());
    if (end > from && ::access((fs::path(dirs.substr(from, end - from)) / program).c_str(), X_OK) == 0) return true;
    from = end + 1;
  }
  return false;
}

struct Sized {
  int pages = 0;
  Measure save, index;
};

// Both runs of the program on the synthetic contract of that many pages, written to input.
Sized measure(const std::string& program, int pages, int repeats, const fs::path& dir, const std::string& input) {
  bench::buildSyntheticContract({pages, pages, pages / 2}).save(input);
  Sized out{pages, {}, {}};
  out.save = best(repeats, {program, "resave", input, (dir / "resaved.docx").string()});
  out.index = best(repeats, {program, "index", input, "-o", (dir / "indexed.docx").string()});
  std::printf(
      "%5d pages, file %4.1f MB: open-and-save %7.3f s (cpu %7.3f s) peak %6.1f MB | index %7.3f s (cpu %7.3f s) "
      "peak %6.1f MB | ratio %4.1f x\n",
      pages, fs::file_size(input) / 1e6, out.save.seconds, out.save.cpuSeconds, out.save.peakKiB / 1024.0,
      out.index.seconds, out.index.cpuSeconds, out.index.peakKiB / 1024.0, out.index.seconds / out.save.seconds);
  std::fflush(stdout);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{
      "Times vellandex index against a plain open-and-save of synthetic contracts, and LibreOffice on the largest"};
  std::vector<int> pages{10, 100, 1000};
  int repeats = 3;
  bool office = true;
  std::string program = VLX_PROGRAM;
  cli.add_option("--pages", pages, "Pages of each synthetic contract (as many terms, half as many footnotes)")
      ->check(CLI::Range(1, bench::kMaxPages))
      ->capture_default_str();
  cli.add_option("--repeats", repeats, "Runs of each, the best kept")->check(CLI::Range(1, 100))->capture_default_str();
  cli.add_option("--program", program, "The vellandex program to measure");
  cli.add_flag("!--no-office", office, "Leave out LibreOffice's open-and-save of the largest contract");
  CLI11_PARSE(cli, argc, argv);

  const fs::path dir = fs::temp_directory_path() / ("vlx-index-road-" + std::to_string(::getpid()));
  fs::create_directories(dir / "config");
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  const std::string input = (dir / "contract.docx").string();
  std::sort(pages.begin(), pages.end());

  std::vector<Sized> sizes;
  for (int n : pages) sizes.push_back(measure(program, n, repeats, dir, input));
  for (std::size_t i = 1; i < sizes.size(); ++i)
    std::printf("index %d pages / %d pages: %.1f x the time, %.1f x the cpu (%.0f x the pages)\n", sizes[i].pages,
                sizes[i - 1].pages, sizes[i].index.seconds / sizes[i - 1].index.seconds,
                sizes[i].index.cpuSeconds / sizes[i - 1].index.cpuSeconds,
                static_cast<double>(sizes[i].pages) / sizes[i - 1].pages);

  if (office && !onPath("soffice")) {
    std::printf("LibreOffice (soffice) is not installed: its open-and-save is left out\n");
  } else if (office) {
    // The largest contract is still in input. A first start makes the profile; it is not timed.
    const std::string profile = "-env:UserInstallation=file://" + (dir / "office-profile").string();
    runProgram({"soffice", profile, "--headless", "--norestore", "--terminate_after_init"});
    const std::vector<std::string> office = {"soffice",      profile,
                                             "--headless",   "--norestore",
                                             "--convert-to", "docx:MS Word 2007 XML",
                                             "--outdir",     (dir / "office").string(),
                                             input};
    // Each repeat runs our index and LibreOffice back to back: a machine whose speed drifts
    // (other work on a shared host) then slows both sides of a pair alike.
    const Sized& largest = sizes.back();
    const std::vector<std::string> ours = {program, "index", input, "-o", (dir / "indexed.docx").string()};
    std::vector<double> fractions, cpuFractions;
    Measure lo{}, index{};
    for (int i = 0; i < repeats; ++i) {
      const Measure ourRun = runProgram(ours), officeRun = runProgram(office);
      fractions.push_back(ourRun.seconds / officeRun.seconds);
      cpuFractions.push_back(ourRun.cpuSeconds / officeRun.cpuSeconds);
      if (i == 0 || officeRun.seconds < lo.seconds) lo = officeRun;
      if (i == 0 || ourRun.seconds < index.seconds) index = ourRun;
    }
    if (!fs::exists(dir / "office" / "contract.docx")) {
      std::cerr << "index_road_bench: LibreOffice wrote no .docx\n";
      return 1;
    }
    std::printf("LibreOffice open-and-save of the %d-page contract: %7.3f s (cpu %7.3f s) peak %6.1f MB\n",
                largest.pages, lo.seconds, lo.cpuSeconds, lo.peakKiB / 1024.0);
    std::sort(fractions.begin(), fractions.end());
    std::sort(cpuFractions.begin(), cpuFractions.end());
    std::printf(
        "our index run is %.2f of LibreOffice's open-and-save (cpu %.2f), the median of %d runs of each back to "
        "back (from %.2f to %.2f); peak memory %.1f MB against %.1f MB\n",
        fractions[fractions.size() / 2], cpuFractions[cpuFractions.size() / 2], repeats, fractions.front(),
        fractions.back(), index.peakKiB / 1024.0, lo.peakKiB / 1024.0);
  }
  fs::remove_all(dir);
  return 0;
}
