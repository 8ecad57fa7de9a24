#pragma once
// Reading and writing one value of the settings file (Location().strIniPath()). Each call opens,
// acts and closes; a write replaces the file in one step (a new file is written, flushed
// to disk and renamed over the old one), so a crash never leaves half a file.

#include <optional>
#include <string>

namespace settings {

/// The value of key in section of the ini file at path: nullopt when there is no file; "" when
/// the key is missing or empty, or the file cannot be read or is no settings file.
std::optional<std::string> ReadIniAt(const std::string& path, const std::string& section, const std::string& key);

/// Writes key=value into section of the ini file at path (creating the file and section as
/// needed) in one step; false when it cannot (a file that is no settings file is left alone).
bool WriteIniAt(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

/// The value of key in section: "Null" when there is no settings file; "" when the key is
/// missing or empty, or the file cannot be read or is no settings file.
std::string fncReadIni(const std::string& section, const std::string& key);

/// Writes key=value into section (creating the file and section as needed); non-zero on
/// success, 0 on failure (no settings path, unreadable or oversized file, a value that
/// spans lines, a failed write). The value is written unchanged.
int fncWriteIni(const std::string& section, const std::string& key, const std::string& value);

}  // namespace settings
