#pragma once
// Where the host keeps what it remembers between runs: its own folder under the per-user and
// the machine-wide XDG configuration folders.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host {

/// The name of the host's own folder inside each configuration folder.
inline constexpr const char* kHostConfigFolder = "vellandex-host";

/// The host's per-user folder: $XDG_CONFIG_HOME (else ~/.config) / vellandex-host. None when
/// neither variable gives an absolute folder; the first such call says so on standard error.
std::optional<std::filesystem::path> UserConfigDir();

/// The host's machine-wide folders: each of $XDG_CONFIG_DIRS (else /etc/xdg) / vellandex-host,
/// most important first.
std::vector<std::filesystem::path> SystemConfigDirs();

/// Replaces a file's content all at once (a temporary file renamed over it), creating its
/// folder when missing; host::Error 5273 when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& file, const std::string& content);

/// A file's whole content; none when it cannot be read (a folder, no permission ...).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

/// Prints a warning of the host on standard error.
void WarnSettings(const std::string& message);

}  // namespace host
