#include "host/platform/config_dirs.h"

#include <gtest/gtest.h>

#include "host/testing/captured_warnings.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

using testing::EnvGuard;

TEST(UserConfigDir, FollowsXdgConfigHomeThenHome) {
  EnvGuard xdg("XDG_CONFIG_HOME", "/srv/cfg");
  EnvGuard home("HOME", "/home/someone");
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/srv/cfg/vellandex-host"));
  EnvGuard noXdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/home/someone/.config/vellandex-host"));
}

TEST(ConfigHome, DropsTrailingSeparatorsAndIsNoneWithoutAnAbsoluteFolder) {
  EnvGuard xdg("XDG_CONFIG_HOME", "/srv/cfg//");
  EXPECT_EQ(ConfigHome(), std::filesystem::path("/srv/cfg"));
  EnvGuard relative("XDG_CONFIG_HOME", "cfg");
  EnvGuard home("HOME", "/home/someone/");
  EXPECT_EQ(ConfigHome(), std::filesystem::path("/home/someone/.config"));
  EnvGuard noHome("HOME", "someone");
  EXPECT_EQ(ConfigHome(), std::nullopt);
}

TEST(UserConfigDir, IgnoresARelativeXdgConfigHome) {
  EnvGuard xdg("XDG_CONFIG_HOME", "relative/cfg");
  EnvGuard home("HOME", "/home/someone");
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/home/someone/.config/vellandex-host"));
}

TEST(UserConfigDir, WithoutAnyFolderSaysSoOnce) {
  EnvGuard xdg("XDG_CONFIG_HOME", std::nullopt);
  EnvGuard home("HOME", std::nullopt);
  testing::CapturedWarnings warnings;
  EXPECT_FALSE(UserConfigDir());
  EXPECT_FALSE(UserConfigDir());
  const std::string& said = warnings.text();
  const std::string message = "options and customizations cannot be kept";
  ASSERT_NE(said.find(message), std::string::npos) << said;
  EXPECT_EQ(said.find(message, said.find(message) + 1), std::string::npos) << said;
}

TEST(SystemConfigDirs, TakesTheAbsoluteEntriesOfXdgConfigDirsInOrder) {
  {
    EnvGuard dirs("XDG_CONFIG_DIRS", "/opt/a:relative::/etc/b");
    EXPECT_EQ(SystemConfigDirs(),
              (std::vector<std::filesystem::path>{"/opt/a/vellandex-host", "/etc/b/vellandex-host"}));
  }
  EnvGuard none("XDG_CONFIG_DIRS", std::nullopt);
  EXPECT_EQ(SystemConfigDirs(), std::vector<std::filesystem::path>{"/etc/xdg/vellandex-host"});
}

}  // namespace
}  // namespace host
