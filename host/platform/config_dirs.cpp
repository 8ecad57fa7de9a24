#include "host/platform/config_dirs.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

#include "host/platform/error.h"

namespace host {

namespace {

// The value of an environment variable when it names an absolute folder (the XDG rule:
// relative values are to be ignored).
std::optional<std::filesystem::path> absoluteFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::nullopt;
  return std::filesystem::path(value);
}

bool writeAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::filesystem::path> UserConfigDir() {
  std::optional<std::filesystem::path> base = absoluteFromEnv("XDG_CONFIG_HOME");
  if (!base) {
    if (auto home = absoluteFromEnv("HOME")) base = *home / ".config";
  }
  if (base) return *base / kHostConfigFolder;
  static std::atomic<bool> told{false};
  if (!told.exchange(true))
    WarnSettings("no settings folder (neither XDG_CONFIG_HOME nor HOME is set); options and customizations cannot be kept.");
  return std::nullopt;
}

std::vector<std::filesystem::path> SystemConfigDirs() {
  std::vector<std::filesystem::path> out;
  const char* value = std::getenv("XDG_CONFIG_DIRS");
  std::string list = value && *value ? value : "/etc/xdg";
  std::size_t from = 0;
  while (from <= list.size()) {
    std::size_t colon = list.find(':', from);
    if (colon == std::string::npos) colon = list.size();
    std::string entry = list.substr(from, colon - from);
    if (!entry.empty() && entry[0] == '/') out.push_back(std::filesystem::path(entry) / kHostConfigFolder);
    from = colon + 1;
  }
  return out;
}

void WriteFileAtomically(const std::filesystem::path& file, const std::string& content) {
  auto failure = [&](const std::string& why) {
    return Error(kErrFileAccess, "Cannot write " + file.string() + ": " + why);
  };
  const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw failure(ec.message() + ".");

  std::random_device entropy;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    std::string name = ".";  // appended piece by piece: GCC 12 warns falsely on "." + string at -O2
    name += file.filename().string();
    name += ".";
    name += std::to_string(entropy());
    name += ".tmp";
    temp = (folder / name).string();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw failure(std::string(std::strerror(errno)) + ".");
  bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
  int failedWith = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    failedWith = errno;
  }
  if (ok && ::rename(temp.c_str(), file.c_str()) != 0) {
    ok = false;
    failedWith = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    throw failure(std::string(std::strerror(failedWith)) + ".");
  }
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string out;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

void WarnSettings(const std::string& message) { std::cerr << "vellandex-host: warning: " << message << '\n'; }

}  // namespace host
