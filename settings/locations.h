#pragma once
// Where the settings file lives: the per-user configuration folder ($XDG_CONFIG_HOME,
// else ~/.config), the sub-path "Quillonet\Vellandex" split at backslashes, and the file
// name "vlx.ini". Without any configuration folder settings are kept in memory for the
// session, after one warning: never relative to the current folder.

#include <string>

namespace settings {

/// The special-folder id of the per-user application-data folder.
inline constexpr int kAppDataFolderId = 26;
/// The settings sub-path below the application-data folder.
inline constexpr const char* kSettingsSubPath = "Quillonet\\Vellandex";
/// The settings file name.
inline constexpr const char* kIniFileName = "vlx.ini";

/// Where the process keeps its settings: read anywhere through Location(), changed only by
/// SetSettingsFolder and SetIniPath, so that no caller can point the settings elsewhere.
class SettingsLocation {
 public:
  /// The per-user application-data folder, without a trailing separator ("" when none).
  const std::string& strAppDataPath() const { return appDataPath_; }
  /// The settings folder, ending in a separator ("" when there is none).
  const std::string& strSettingsFolder() const { return settingsFolder_; }
  /// The settings file ("" until SetIniPath, and when settings live in memory).
  const std::string& strIniPath() const { return iniPath_; }

 private:
  friend void SetSettingsFolder(const std::string& subPath);
  friend void SetIniPath(const std::string& folder);
  friend void ResetSettingsLocation();
  friend bool SettingsInMemory();

  std::string appDataPath_;
  std::string settingsFolder_;
  std::string iniPath_;
  bool noConfigFolder_ = false;  // the last SetSettingsFolder found no configuration folder
};

/// The process's settings location.
const SettingsLocation& Location();

/// The folder of a special-folder id: for kAppDataFolderId $XDG_CONFIG_HOME when it is an
/// absolute path, else $HOME/.config; "" for other ids and when neither is usable.
std::string fncGetSpecialFolderPath(int folderId);

/// Creates the folders of subPath (parts split at "\" or "/"; "." and ".." parts are
/// skipped) below the application-data folder and returns the last path built, without a
/// trailing separator; "" when there is no such folder. Folders that cannot be created are
/// left to fail the first write.
std::string fncCreateFolderPath(const std::string& subPath);

/// Sets the application-data folder and the settings folder for subPath, creating the
/// folder when missing. Without an application-data folder, settings are kept in memory and a warning
/// goes to the host's warning sink once per process.
void SetSettingsFolder(const std::string& subPath);

/// Sets the settings file to folder followed by "vlx.ini" (one separator between); an
/// empty folder leaves no settings file.
void SetIniPath(const std::string& folder);

/// Forgets the folders and the file, as at start-up (a test's clean slate).
void ResetSettingsLocation();

/// True when settings are kept in memory for want of a configuration folder.
bool SettingsInMemory();

}  // namespace settings
