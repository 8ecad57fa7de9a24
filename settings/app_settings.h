#pragma once
// The per-user application settings store: small values an application keeps for its user,
// by application, section and key, in an ini file of the application's own under the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config): <folder>/<appName>/settings.ini.

#include <string>

namespace settings {

/// The file an application's settings are kept in; "" when the user has no configuration folder.
std::string AppSettingsPath(const std::string& appName);

/// The value kept under key in section, or defaultValue when there is none.
std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                       const std::string& defaultValue = "");

/// Keeps value under key in section, creating the file and its folder as needed; false when it
/// cannot be written.
bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value);

}  // namespace settings
