#include "host/platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// The names in a folder, sorted: a failed write must leave no temporary file behind.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

unsigned modeOf(const fs::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0);
  return info.st_mode & 07777;
}

TEST(ReplaceFile, ReplacesTheContentKeepingThePermissionsAndTheSymbolicLink) {
  TempFolder tmp;
  ASSERT_FALSE(ReplaceFile(tmp / "real.ini", "first"));
  fs::permissions(tmp / "real.ini", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(tmp / "real.ini", tmp / "link.ini");
  ASSERT_FALSE(ReplaceFile(tmp / "link.ini", "second"));
  EXPECT_TRUE(fs::is_symlink(tmp / "link.ini"));
  EXPECT_EQ(ReadWholeFile(tmp / "real.ini"), "second");
  EXPECT_EQ(modeOf(tmp / "real.ini"), 0600u);
  EXPECT_EQ(namesIn(tmp.path()), (std::vector<std::string>{"link.ini", "real.ini"}));
}

TEST(ReplaceFile, RefusesAFolderInTheWayAndLeavesNothingBehind) {
  TempFolder tmp;
  fs::create_directory(tmp / "report.docx");
  std::optional<WriteFailure> failure = ReplaceFile(tmp / "report.docx", "x");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason(), "a folder of that name is in the way.");
  EXPECT_TRUE(fs::is_empty(tmp / "report.docx"));
  EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"report.docx"});
}

TEST(ReplaceFile, WithoutTheFolderFailsUnlessAskedToMakeIt) {
  TempFolder tmp;
  std::optional<WriteFailure> failure = ReplaceFile(tmp / "missing/settings.ini", "x");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason(), "the folder \"" + (tmp / "missing").string() + "\" does not exist.");
  EXPECT_TRUE(namesIn(tmp.path()).empty());
  EXPECT_FALSE(ReplaceFile(tmp / "missing/settings.ini", "x", MissingFolder::kCreate));
  EXPECT_EQ(ReadWholeFile(tmp / "missing/settings.ini"), "x");
}

TEST(ReplaceFile, LeavesAReadOnlyFileOrFolderUntouched) {
  if (::geteuid() == 0) {
    // Permissions do not bind the superuser; the process folder takes no file from anyone.
    EXPECT_TRUE(ReplaceFile("/proc/vellandex-replace-test.ini", "x"));
    EXPECT_FALSE(fs::exists("/proc/vellandex-replace-test.ini"));
    return;
  }
  TempFolder tmp;
  ASSERT_FALSE(ReplaceFile(tmp / "locked.ini", "old"));
  fs::permissions(tmp / "locked.ini", fs::perms::owner_read);
  std::optional<WriteFailure> failure = ReplaceFile(tmp / "locked.ini", "new");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason(), "the file is read-only.");
  EXPECT_EQ(ReadWholeFile(tmp / "locked.ini"), "old");

  fs::permissions(tmp / "locked.ini", fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(tmp.path(), fs::perms::owner_read | fs::perms::owner_exec);
  failure = ReplaceFile(tmp / "locked.ini", "new");
  fs::permissions(tmp.path(), fs::perms::owner_all);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason(), "the folder \"" + tmp.path().string() + "\" is read-only.");
  EXPECT_EQ(ReadWholeFile(tmp / "locked.ini"), "old");
  EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"locked.ini"});
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

// Each refusal says why, in the words the callers show; a pipe is refused without waiting
// for a writer.
TEST(ReadWholeFile, SaysWhyAFileCannotBeRead) {
  TempFolder tmp;
  WriteFileAtomically(tmp / "ten", "0123456789");
  ASSERT_EQ(::mkfifo((tmp / "pipe").c_str(), 0600), 0);
  const struct {
    fs::path file;
    std::uintmax_t maxSize;
    ReadFailure::Kind kind;
    std::string reason;
  } cases[] = {
      {tmp / "missing", kAnySize, ReadFailure::kMissing, "the file does not exist."},
      {tmp / "ten" / "below a file", kAnySize, ReadFailure::kMissing, "the file does not exist."},
      {tmp.path(), kAnySize, ReadFailure::kFolder, "it is a folder, not a file."},
      {tmp / "pipe", kAnySize, ReadFailure::kNotAFile, "it is not a regular file."},
      {tmp / "ten", 9, ReadFailure::kTooLarge, "the file is too large."},
  };
  for (const auto& c : cases) {
    ReadFailure failure{ReadFailure::kUnreadable, 0};
    EXPECT_FALSE(ReadWholeFile(c.file, &failure, c.maxSize)) << c.file;
    EXPECT_EQ(failure.kind, c.kind) << c.file;
    EXPECT_EQ(failure.reason(), c.reason) << c.file;
  }
  EXPECT_EQ(ReadWholeFile(tmp / "ten", nullptr, 10), "0123456789") << "the limit itself is allowed";
  EXPECT_EQ((ReadFailure{ReadFailure::kUnreadable, EACCES}.reason()), "the file cannot be read (Permission denied).");
}

}  // namespace
}  // namespace host
