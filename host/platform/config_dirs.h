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

/// The per-user configuration folder: $XDG_CONFIG_HOME, else $HOME/.config, without a trailing
/// separator; none when neither variable gives an absolute folder (relative values are ignored).
std::optional<std::filesystem::path> ConfigHome();

/// The host's per-user folder: $XDG_CONFIG_HOME (else ~/.config) / vellandex-host. None when
/// neither variable gives an absolute folder; the first such call warns.
std::optional<std::filesystem::path> UserConfigDir();

/// The host's machine-wide folders: each of $XDG_CONFIG_DIRS (else /etc/xdg) / vellandex-host,
/// most important first.
std::vector<std::filesystem::path> SystemConfigDirs();

}  // namespace host
