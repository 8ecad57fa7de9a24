// The whole road of `vellandex index` (discovery, the pass, the index, the lists, the save) on a
// synthetic contract, next to a plain open-and-save of the same file by the same program in the
// same run: both times, their ratio and each one's peak memory. Each is the best of a few runs
// of the program as a user starts it, with a settings folder of its own.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

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
  double seconds = 0;
  long peakKiB = 0;
};

// Runs the program to its end; its wall time and peak resident memory.
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
  const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) {
    std::cerr << "index_road_bench: cannot start " << args[0] << "\n";
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Measure m{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), usage.ru_maxrss};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "index_road_bench: " << args[1] << " failed (status " << status << ")\n";
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

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{"Times vellandex index against a plain open-and-save of the same synthetic contract"};
  int pages = 1000;
  int repeats = 3;
  std::string program = VLX_PROGRAM;
  cli.add_option("--pages", pages, "Pages of the synthetic contract (as many terms, half as many footnotes)")
      ->check(CLI::Range(1, bench::kMaxPages));
  cli.add_option("--repeats", repeats, "Runs of each, the best kept")->check(CLI::Range(1, 100));
  cli.add_option("--program", program, "The vellandex program to measure");
  CLI11_PARSE(cli, argc, argv);

  const fs::path dir = fs::temp_directory_path() / ("vlx-index-road-" + std::to_string(::getpid()));
  fs::create_directories(dir / "config");
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  const std::string input = (dir / "contract.docx").string();
  bench::buildSyntheticContract({pages, pages, pages / 2}).save(input);

  const Measure save = best(repeats, {program, "resave", input, (dir / "resaved.docx").string()});
  const Measure index = best(repeats, {program, "index", input, "-o", (dir / "indexed.docx").string()});
  std::printf("pages %d, terms %d, file %.1f MB\n", pages, pages, fs::file_size(input) / 1e6);
  std::printf("open-and-save    %8.3f s  peak %7.1f MB\n", save.seconds, save.peakKiB / 1024.0);
  std::printf("vellandex index  %8.3f s  peak %7.1f MB\n", index.seconds, index.peakKiB / 1024.0);
  std::printf("ratio            %8.1f x\n", index.seconds / save.seconds);
  fs::remove_all(dir);
  return 0;
}
