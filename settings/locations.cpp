#include "settings/locations.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "host/platform/config_dirs.h"
#include "host/platform/warnings.h"

namespace settings {

std::string strAppDataPath;
std::string strSettingsFolder;
std::string strIniPath;

namespace {

bool inMemory = false;

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

std::string fncCreateFolderPath(const std::string& subPath) {
  if (strAppDataPath.empty()) return {};
  const std::filesystem::path folder = Below(strAppDataPath, subPath);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return folder.string();
}

void SetSettingsFolder(const std::string& subPath) {
  strAppDataPath = fncGetSpecialFolderPath(kAppDataFolderId);
  inMemory = strAppDataPath.empty();
  if (inMemory) {
    strSettingsFolder.clear();
    static bool warned = false;
    if (!warned)
      host::Warn("Vellandex: no configuration folder (neither XDG_CONFIG_HOME nor HOME is set); "
                 "settings cannot be kept and the defaults are used.");
    warned = true;
    return;
  }
  std::error_code error;
  const std::filesystem::path folder = Below(strAppDataPath, subPath);
  strSettingsFolder = std::filesystem::is_directory(folder, error) ? folder.string() : fncCreateFolderPath(subPath);
  if (strSettingsFolder.back() != '/') strSettingsFolder += '/';
}

void SetIniPath(const std::string& folder) {
  if (folder.empty()) {
    strIniPath.clear();
    return;
  }
  strIniPath = folder + (folder.back() == '/' ? "" : "/") + kIniFileName;
  inMemory = false;
}

bool SettingsInMemory() { return inMemory && strIniPath.empty(); }

}  // namespace settings
