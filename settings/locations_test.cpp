#include "settings/locations.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "host/testing/captured_warnings.h"
#include "settings/ini_file.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

// Keeps the environment and the current folder as they were.
class Locations : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    cwd_ = fs::current_path();
    root_ = fs::path(::testing::TempDir()) /
            ("vlx_locations_" + std::to_string(getpid()));  // tests may run in parallel
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    fs::current_path(cwd_);
    ResetSettingsLocation();
    fs::remove_all(root_);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  fs::path cwd_;
  fs::path root_;
};

TEST_F(Locations, TheConfigFolderComesFromXdgConfigHomeElseHome) {
  setenv("XDG_CONFIG_HOME", (root_ / "xdg/").c_str(), 1);
  setenv("HOME", (root_ / "home").c_str(), 1);
  EXPECT_EQ(fncGetSpecialFolderPath(kAppDataFolderId), (root_ / "xdg").string()) << "no trailing separator";
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(fncGetSpecialFolderPath(kAppDataFolderId), (root_ / "home/.config").string())
      << "a relative XDG_CONFIG_HOME is ignored";
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(fncGetSpecialFolderPath(kAppDataFolderId), (root_ / "home/.config").string());
  EXPECT_EQ(fncGetSpecialFolderPath(5), "") << "only the application-data folder is known";
}

TEST_F(Locations, MissingLevelsOfTheSubPathAreCreated) {
  setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  SetSettingsFolder(kSettingsSubPath);
  EXPECT_EQ(Location().strAppDataPath(), root_.string());
  EXPECT_EQ(Location().strSettingsFolder(), (root_ / "Quillonet/Vellandex/").string());
  EXPECT_TRUE(fs::is_directory(root_ / "Quillonet/Vellandex"));
  SetIniPath(Location().strSettingsFolder());
  EXPECT_EQ(Location().strIniPath(), (root_ / "Quillonet/Vellandex/vlx.ini").string());
  SetIniPath((root_ / "Quillonet/Vellandex").string());
  EXPECT_EQ(Location().strIniPath(), (root_ / "Quillonet/Vellandex/vlx.ini").string()) << "one separator";
}

TEST_F(Locations, AnExistingSettingsFolderIsUsedUnchanged) {
  setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  fs::create_directories(root_ / "Quillonet/Vellandex");
  const auto stamp = fs::last_write_time(root_ / "Quillonet/Vellandex");
  SetSettingsFolder(kSettingsSubPath);
  EXPECT_EQ(Location().strSettingsFolder(), (root_ / "Quillonet/Vellandex/").string());
  EXPECT_EQ(fs::last_write_time(root_ / "Quillonet/Vellandex"), stamp);
}

TEST_F(Locations, FolderPartsNeverClimbOutOfTheConfigFolder) {
  setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  SetSettingsFolder("Other");
  EXPECT_EQ(fncCreateFolderPath("..\\..\\Quillonet\\.\\Vellandex"), (root_ / "Quillonet/Vellandex").string());
  ResetSettingsLocation();
  EXPECT_EQ(fncCreateFolderPath("Quillonet\\Vellandex"), "");
}

// The location is set only through SetSettingsFolder and SetIniPath: what a caller reads
// cannot be written.
static_assert(!std::is_assignable_v<decltype(Location().strIniPath()), std::string>);
static_assert(!std::is_assignable_v<decltype(Location().strSettingsFolder()), std::string>);
static_assert(!std::is_assignable_v<decltype(Location().strAppDataPath()), std::string>);

TEST_F(Locations, ResetForgetsTheFoldersAndTheFile) {
  setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  SetSettingsFolder(kSettingsSubPath);
  SetIniPath(Location().strSettingsFolder());
  ResetSettingsLocation();
  EXPECT_EQ(Location().strAppDataPath(), "");
  EXPECT_EQ(Location().strSettingsFolder(), "");
  EXPECT_EQ(Location().strIniPath(), "");
  EXPECT_FALSE(SettingsInMemory());
  EXPECT_EQ(fncReadIni("Defaults", "SearchType"), "Null") << "no file, and not the session's memory either";
}

// Without any configuration folder the settings live for the session only: one warning,
// nothing written relative to the current folder, and reads and writes behave as with an
// empty file that the first write creates.
TEST_F(Locations, WithoutAConfigFolderSettingsStayInMemoryAfterOneWarning) {
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  fs::current_path(root_);
  host::testing::CapturedWarnings warnings;
  SetSettingsFolder(kSettingsSubPath);
  SetIniPath(Location().strSettingsFolder());
  SetSettingsFolder(kSettingsSubPath);
  SetIniPath(Location().strSettingsFolder());
  EXPECT_EQ(warnings.text(),
            "Vellandex: no configuration folder (neither XDG_CONFIG_HOME nor HOME is set); settings cannot be kept "
            "and the defaults are used.\n");
  EXPECT_TRUE(SettingsInMemory());
  EXPECT_EQ(fncReadIni("Defaults", "SearchType"), "Null");
  EXPECT_NE(fncWriteIni("Defaults", "SearchType", "SearchInitCaps"), 0);
  EXPECT_EQ(fncReadIni("Defaults", "searchtype"), "SearchInitCaps");
  EXPECT_TRUE(fs::is_empty(root_));
}

}  // namespace
}  // namespace settings
