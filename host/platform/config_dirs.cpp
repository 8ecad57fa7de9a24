#include "host/platform/config_dirs.h"

#include <atomic>
#include <cstdlib>

#include "host/platform/warnings.h"

namespace host {

namespace {

// The value of an environment variable when it names an absolute folder (the XDG rule:
// relative values are to be ignored), without trailing separators.
std::optional<std::string> absoluteFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::nullopt;
  std::string path = value;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::optional<std::filesystem::path> ConfigHome() {
  if (std::optional<std::string> config = absoluteFromEnv("XDG_CONFIG_HOME")) return std::filesystem::path(*config);
  if (std::optional<std::string> home = absoluteFromEnv("HOME")) return std::filesystem::path(*home) / ".config";
  return std::nullopt;
}

std::optional<std::filesystem::path> UserConfigDir() {
  if (std::optional<std::filesystem::path> base = ConfigHome()) return *base / kHostConfigFolder;
  static std::atomic<bool> told{false};
  if (!told.exchange(true))
    WarnSettings(
        "no settings folder (neither XDG_CONFIG_HOME nor HOME is set); options and customizations cannot be kept.");
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

}  // namespace host
