#include "settings/locations.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "host/platform/config_dirs.h"
#include "host/platform/warnings.h"

namespace settings {

namespace {

SettingsLocation& MutableLocation() {
  static SettingsLocation location;
  return location;
}

std::filesystem::path Below(const std::string& base, const std::string& subPath) {
  std::filesystem::path path = base;
  std::size_t begin = 0;
  while (begin <= subPath.size()) {
    const std::size_t end = std::min(subPath.find_first_of("\\/", begin), subPath.size());
    const std::string part = subPath.substr(begin, end - begin);
    if (!part.empty() && part != "." && part != "..") path /= part;
    begin = end + 1;
  }
  return path;
}

}  // namespace

std::string fncGetSpecialFolderPath(int folderId) {
  if (folderId != kAppDataFolderId) return {};
  const std::optional<std::filesystem::path> config = host::ConfigHome();
  return config ? config->string() : std::string();
}

const SettingsLocation& Location() { return MutableLocation(); }

std::string fncCreateFolderPath(const std::string& subPath) {
  const std::string& appDataPath = Location().strAppDataPath();
  if (appDataPath.empty()) return {};
  const std::filesystem::path folder = Below(appDataPath, subPath);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return folder.string();
}

void SetSettingsFolder(const std::string& subPath) {
  SettingsLocation& location = MutableLocation();
  location.appDataPath_ = fncGetSpecialFolderPath(kAppDataFolderId);
  location.noConfigFolder_ = location.appDataPath_.empty();
  if (location.noConfigFolder_) {
    location.settingsFolder_.clear();
    static bool warned = false;
    if (!warned)
      host::Warn(
          "Vellandex: no configuration folder (neither XDG_CONFIG_HOME nor HOME is set); "
          "settings cannot be kept and the defaults are used.");
    warned = true;
    return;
  }
  std::error_code error;
  const std::filesystem::path folder = Below(location.appDataPath_, subPath);
  std::string& settingsFolder = location.settingsFolder_;
  settingsFolder = std::filesystem::is_directory(folder, error) ? folder.string() : fncCreateFolderPath(subPath);
  if (settingsFolder.back() != '/') settingsFolder += '/';
}

void SetIniPath(const std::string& folder) {
  SettingsLocation& location = MutableLocation();
  if (folder.empty()) {
    location.iniPath_.clear();
    return;
  }
  location.iniPath_ = folder + (folder.back() == '/' ? "" : "/") + kIniFileName;
  location.noConfigFolder_ = false;
}

void ResetSettingsLocation() { MutableLocation() = SettingsLocation(); }

bool SettingsInMemory() {
  const SettingsLocation& location = Location();
  return location.noConfigFolder_ && location.iniPath_.empty();
}

}  // namespace settings
