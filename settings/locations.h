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

/// The per-user application-data folder, without a trailing separator ("" when none).
extern std::string strAppDataPath;
/// The settings folder, ending in a separator ("" when there is none).
extern std::string strSettingsFolder;
/// The settings file ("" until SetIniPath, and when settings live in memory).
extern std::string strIniPath;

/// The folder of a special-folder id: for kAppDataFolderId $XDG_CONFIG_HOME when it is an
/// absolute path, else $HOME/.config; "" for other ids and when neither is usable.
std::string fncGetSpecialFolderPath(int folderId);

/// Creates the folders of subPath (parts split at "\" or "/"; "." and ".." parts are
/// skipped) below strAppDataPath and returns the last path built, without a trailing
/// separator; "" when strAppDataPath is empty. Folders that cannot be created are left
/// to fail the first write.
std::string fncCreateFolderPath(const std::string& subPath);

/// Sets strAppDataPath and strSettingsFolder for subPath, creating the folder when
/// missing. Without an application-data folder, settings are kept in memory and a warning
/// goes to the host's warning sink once per process.
void SetSettingsFolder(const std::string& subPath);

/// Sets strIniPath to folder followed by "vlx.ini" (one separator between); an empty
/// folder leaves strIniPath empty.
void SetIniPath(const std::string& folder);

/// True when settings are kept in memory for want of a configuration folder.
bool SettingsInMemory();

}  // namespace settings
