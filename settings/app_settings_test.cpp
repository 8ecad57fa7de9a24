#include "settings/app_settings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "host/testing/temp_folder.h"

namespace settings {
namespace {

using host::testing::EnvGuard;
using host::testing::TempFolder;

TEST(AppSettings, AreKeptPerApplicationUnderTheUsersConfigurationFolder) {
  TempFolder tmp;
  EnvGuard config("XDG_CONFIG_HOME", tmp.path().string());
  EXPECT_EQ(GetSetting("Vellandex", "Settings", "DisplayOnConnect", "none"), "none");
  ASSERT_TRUE(SaveSetting("Vellandex", "Settings", "DisplayOnConnect", "1"));
  ASSERT_TRUE(SaveSetting("Vellandex", "Settings", "DisplayOnConnect", "0"));
  EXPECT_EQ(GetSetting("Vellandex", "settings", "displayonconnect"), "0");
  std::ifstream in(tmp / "Vellandex/settings.ini");
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "[Settings]\nDisplayOnConnect=0\n");
}

TEST(AppSettings, WithoutAConfigurationFolderNothingIsKept) {
  EnvGuard config("XDG_CONFIG_HOME", std::nullopt);
  EnvGuard home("HOME", std::nullopt);
  EXPECT_FALSE(SaveSetting("Vellandex", "Settings", "DisplayOnConnect", "1"));
  EXPECT_EQ(GetSetting("Vellandex", "Settings", "DisplayOnConnect", "x"), "x");
}

}  // namespace
}  // namespace settings
