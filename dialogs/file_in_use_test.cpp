#include "dialogs/file_in_use.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "host/testing/temp_folder.h"

namespace dialogs {
namespace {

namespace fs = std::filesystem;

TEST(FileInUse, AMissingFileIsNotInUseAndTestingNeverCreatesIt) {
  host::testing::TempFolder folder;
  const fs::path missing = folder / "terms.txt";
  EXPECT_FALSE(fncFileInUse(missing.string()));
  EXPECT_FALSE(fncFileInUse((folder / "no such folder" / "terms.txt").string()));
  EXPECT_FALSE(fs::exists(missing)) << "the test must not create the file";
}

TEST(FileInUse, AnOrdinaryFileIsFreeAndItsContentUntouched) {
  host::testing::TempFolder folder;
  const fs::path file = folder / "terms.txt";
  std::ofstream(file) << "Agreement\r\n";
  EXPECT_FALSE(fncFileInUse(file.string(), FileAccess::ReadWrite));
  EXPECT_FALSE(fncFileInUse(file.string(), FileAccess::Read));
  EXPECT_EQ(fs::file_size(file), 11u);
}

TEST(FileInUse, WhatIsNoRegularFileIsNotAvailable) {
  host::testing::TempFolder folder;
  fs::create_directory(folder / "folder.txt");
  ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
  for (const fs::path& path : {folder / "folder.txt", folder / "pipe.txt", fs::path("/dev/zero")}) {
    EXPECT_TRUE(fncFileInUse(path.string(), FileAccess::Read)) << path;
    EXPECT_TRUE(fncFileInUse(path.string(), FileAccess::ReadWrite)) << path;
  }
  std::ofstream(folder / "plain.txt") << "x";
  EXPECT_TRUE(fncFileInUse((folder / "plain.txt" / "below a file").string())) << "a file is no folder";
}

// Makes a file read-only for everyone, the superuser too (the immutable attribute), while
// the guard lives; ok() is false where the file system has no such attribute.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const fs::path& file) : file_(file) {
    if (::geteuid() != 0) {
      fs::permissions(file_, fs::perms::owner_read);
      ok_ = true;
      return;
    }
    ok_ = SetImmutable(true);
  }
  ~ReadOnlyFile() {
    if (::geteuid() == 0 && ok_) SetImmutable(false);
  }
  bool ok() const { return ok_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return done;
  }
  fs::path file_;
  bool ok_ = false;
};

TEST(FileInUse, AReadOnlyFileCanBeLoadedButNotWritten) {
  host::testing::TempFolder folder;
  const fs::path file = folder / "terms.txt";
  std::ofstream(file) << "Agreement\r\n";
  ReadOnlyFile readOnly(file);
  if (!readOnly.ok()) GTEST_SKIP() << "this file system cannot make a file read-only for the superuser";
  EXPECT_FALSE(fncFileInUse(file.string(), FileAccess::Read));
  EXPECT_TRUE(fncFileInUse(file.string(), FileAccess::ReadWrite));
}

}  // namespace
}  // namespace dialogs
