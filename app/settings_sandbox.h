#pragma once
// The add-in's settings file in a private copy for the length of one command. The options a
// command line sets are set on the options dialog as a user sets them, and the add-in saves
// them to its settings file as it always does; working on a copy keeps them out of the user's
// own file (even when the program is stopped half-way, or several run at once), unless the
// user asks to keep them: then the copy replaces the user's file in one step at the end.

#include <filesystem>
#include <optional>
#include <string>

namespace app {

/// The user's settings file in a private configuration folder while the sandbox lives.
class SettingsSandbox {
 public:
  /// Copies the user's settings file (if there is one) into a new private configuration
  /// folder and points the add-in there. The user's other configuration (registrations) is
  /// still found, behind the private folder. BatchFailure (internal) when no private folder
  /// can be made.
  SettingsSandbox();
  /// Removes the private folder and gives the environment back.
  ~SettingsSandbox();
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

  /// Replaces the user's settings file by the copy, as the add-in left it; BatchFailure
  /// (bad input) when it cannot be written. Without a settings file of the user's own
  /// (no configuration folder) nothing is kept.
  void keep() const;
  /// The user's settings file, if the user has a configuration folder.
  const std::optional<std::filesystem::path>& userFile() const { return userFile_; }

 private:
  std::optional<std::filesystem::path> userFile_;
  std::filesystem::path folder_;
  std::optional<std::string> oldHome_, oldDirs_;
};

/// The user's settings file: Quillonet/Vellandex/vlx.ini in the configuration folder
/// ($XDG_CONFIG_HOME, else ~/.config); none without one.
std::optional<std::filesystem::path> userSettingsFile();

}  // namespace app
