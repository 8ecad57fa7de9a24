#include "settings/app_settings.h"

#include <filesystem>

#include "settings/ini_file.h"
#include "settings/locations.h"

namespace settings {

std::string AppSettingsPath(const std::string& appName) {
  const std::string base = fncGetSpecialFolderPath(kAppDataFolderId);
  if (base.empty() || appName.empty()) return "";
  return (std::filesystem::path(base) / appName / "settings.ini").string();
}

std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  const std::string path = AppSettingsPath(appName);
  if (path.empty()) return defaultValue;
  const std::string value = ReadIniAt(path, section, key).value_or("");
  return value.empty() ? defaultValue : value;
}

bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
  const std::string path = AppSettingsPath(appName);
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return WriteIniAt(path, section, key, value);
}

}  // namespace settings
