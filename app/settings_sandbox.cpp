#include "app/settings_sandbox.h"

#include <stdlib.h>

#include <cstdlib>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "host/platform/config_dirs.h"
#include "host/platform/error.h"
#include "host/platform/files.h"

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSettingsPath = "Quillonet/Vellandex/vlx.ini";

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& value) {
  if (value) ::setenv(name, value->c_str(), 1);
  else ::unsetenv(name);
}

}  // namespace

std::optional<fs::path> userSettingsFile() {
  // The host's folder sits in the same configuration folder as the add-in's settings.
  if (std::optional<fs::path> host = host::UserConfigDir()) return host->parent_path() / kSettingsPath;
  return std::nullopt;
}

SettingsSandbox::SettingsSandbox() : userFile_(userSettingsFile()) {
  std::string pattern = (fs::temp_directory_path() / "vellandex-settings-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw BatchFailure{kExitInternal, "cannot make a private settings folder in " + fs::temp_directory_path().string()};
  folder_ = pattern;
  if (userFile_) {
    if (std::optional<std::string> content = host::ReadWholeFile(*userFile_)) {
      try {
        host::WriteFileAtomically(folder_ / kSettingsPath, *content);
      } catch (const host::Error& e) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw BatchFailure{kExitInternal, e.description()};
      }
    }
  }
  oldHome_ = environment("XDG_CONFIG_HOME");
  oldDirs_ = environment("XDG_CONFIG_DIRS");
  // The user's own folder goes first among the machine's, so that the user's registrations
  // still win over the machine's.
  std::string dirs = oldDirs_ && !oldDirs_->empty() ? *oldDirs_ : "/etc/xdg";
  if (userFile_) dirs = userFile_->parent_path().parent_path().parent_path().string() + ":" + dirs;
  ::setenv("XDG_CONFIG_DIRS", dirs.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
}

SettingsSandbox::~SettingsSandbox() {
  restore("XDG_CONFIG_HOME", oldHome_);
  restore("XDG_CONFIG_DIRS", oldDirs_);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void SettingsSandbox::keep() const {
  if (!userFile_) return;
  const std::optional<std::string> content = host::ReadWholeFile(folder_ / kSettingsPath);
  if (!content) return;
  try {
    host::WriteFileAtomically(*userFile_, *content);
  } catch (const host::Error& e) {
    throw BatchFailure{kExitBadInput, "the options could not be saved as defaults: " + e.description()};
  }
}

}  // namespace app
