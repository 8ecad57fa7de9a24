#include "host/platform/config_dirs.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

using testing::EnvGuard;
using testing::TempFolder;

TEST(UserConfigDir, FollowsXdgConfigHomeThenHome) {
  EnvGuard xdg("XDG_CONFIG_HOME", "/srv/cfg");
  EnvGuard home("HOME", "/home/someone");
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/srv/cfg/vellandex-host"));
  EnvGuard noXdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/home/someone/.config/vellandex-host"));
}

TEST(UserConfigDir, IgnoresARelativeXdgConfigHome) {
  EnvGuard xdg("XDG_CONFIG_HOME", "relative/cfg");
  EnvGuard home("HOME", "/home/someone");
  EXPECT_EQ(UserConfigDir(), std::filesystem::path("/home/someone/.config/vellandex-host"));
}

TEST(UserConfigDir, WithoutAnyFolderSaysSoOnce) {
  EnvGuard xdg("XDG_CONFIG_HOME", std::nullopt);
  EnvGuard home("HOME", std::nullopt);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(UserConfigDir());
  EXPECT_FALSE(UserConfigDir());
  std::string said = ::testing::internal::GetCapturedStderr();
  const std::string message = "options and customizations cannot be kept";
  ASSERT_NE(said.find(message), std::string::npos) << said;
  EXPECT_EQ(said.find(message, said.find(message) + 1), std::string::npos) << said;
}

TEST(SystemConfigDirs, TakesTheAbsoluteEntriesOfXdgConfigDirsInOrder) {
  {
    EnvGuard dirs("XDG_CONFIG_DIRS", "/opt/a:relative::/etc/b");
    EXPECT_EQ(SystemConfigDirs(), (std::vector<std::filesystem::path>{"/opt/a/vellandex-host", "/etc/b/vellandex-host"}));
  }
  EnvGuard none("XDG_CONFIG_DIRS", std::nullopt);
  EXPECT_EQ(SystemConfigDirs(), std::vector<std::filesystem::path>{"/etc/xdg/vellandex-host"});
}

TEST(WriteFileAtomically, CreatesTheFolderAndReplacesTheContentLeavingNoTemporaryFile) {
  TempFolder tmp;
  const auto file = tmp / "deep/er/settings.json";
  WriteFileAtomically(file, "first");
  WriteFileAtomically(file, "second");
  EXPECT_EQ(ReadWholeFile(file), "second");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(file.parent_path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomically, ReportsAFolderThatCannotBeMadeAndLeavesTheOldFile) {
  TempFolder tmp;
  WriteFileAtomically(tmp / "blocker", "a file where a folder should be");
  try {
    WriteFileAtomically(tmp / "blocker/settings.json", "x");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrFileAccess);
    EXPECT_NE(e.description().find("settings.json"), std::string::npos);
  }
  EXPECT_EQ(ReadWholeFile(tmp / "blocker"), "a file where a folder should be");
}

TEST(ReadWholeFile, GivesNothingForAFolderOrAMissingFile) {
  TempFolder tmp;
  EXPECT_FALSE(ReadWholeFile(tmp.path()));
  EXPECT_FALSE(ReadWholeFile(tmp / "missing"));
  WriteFileAtomically(tmp / "empty", "");
  EXPECT_EQ(ReadWholeFile(tmp / "empty"), "");
}

}  // namespace
}  // namespace host
