#include "settings/ini_file.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/ini_text.h"
#include "settings/locations.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("vlx_ini_file_" + std::to_string(getpid()));  // tests may run in parallel
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    SetIniPath(folder_.string());
    path_ = Location().strIniPath();
  }
  void TearDown() override {
    SetIniPath("");
    fs::remove_all(folder_);
  }
  fs::path folder_;
  fs::path path_;
};

TEST_F(IniFile, NoFileReadsAsNullAndReadingCreatesNothing) {
  EXPECT_EQ(fncReadIni("Defaults", "SearchType"), "Null");
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFile, TheFirstWriteCreatesTheFileAndAMissingKeyReadsEmpty) {
  EXPECT_NE(fncWriteIni("Defaults", "SearchType", "SearchFlagged"), 0);
  EXPECT_EQ(fncReadIni("Defaults", "SearchType"), "SearchFlagged");
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "");
  EXPECT_EQ(Contents(path_), "[Defaults]\nSearchType=SearchFlagged\n");
}

TEST_F(IniFile, TheValueIsWrittenUnchanged) {
  fncWriteIni("Defaults", "IndexSep", "\", \"");
  EXPECT_EQ(Contents(path_), "[Defaults]\nIndexSep=\", \"\n");
  EXPECT_EQ(fncReadIni("Defaults", "IndexSep"), ", ");
}

TEST_F(IniFile, WritesKeepTheRestOfTheFile) {
  const std::string original = "; my notes\r\n[Defaults]\r\nBold=False\r\n\r\n[Mine]\r\nX=1\r\n";
  std::ofstream(path_, std::ios::binary) << original;
  EXPECT_NE(fncWriteIni("Defaults", "bold", "True"), 0);
  EXPECT_EQ(Contents(path_), "; my notes\r\n[Defaults]\r\nBold=True\r\n\r\n[Mine]\r\nX=1\r\n");
}

TEST_F(IniFile, AFolderInPlaceOfTheFileReadsEmptyAndRefusesWrites) {
  fs::create_directory(path_);
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "");
  EXPECT_EQ(fncWriteIni("Defaults", "Bold", "True"), 0);
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(IniFile, AnOversizedFileIsNoSettingsFileAndIsNeverReplaced) {
  const std::string big = "[Defaults]\nBold=True\n" + std::string(2 << 20, 'x');
  std::ofstream(path_, std::ios::binary) << big;
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "");
  EXPECT_EQ(fncWriteIni("Defaults", "Bold", "False"), 0);
  EXPECT_EQ(fs::file_size(path_), big.size());
}

TEST_F(IniFile, GarbageReadsAsMissingKeysAndSurvivesAWrite) {
  const std::string garbage("\x00\x01\xFF[[=\n\xC3(", 9);
  std::ofstream(path_, std::ios::binary) << garbage;
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "");
  EXPECT_NE(fncWriteIni("Defaults", "Bold", "True"), 0);
  EXPECT_EQ(Contents(path_).substr(0, garbage.size()), garbage);
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "True");
}

TEST_F(IniFile, NoPathNoFile) {
  SetIniPath("");
  EXPECT_EQ(fncReadIni("Defaults", "Bold"), "Null");
  EXPECT_EQ(fncWriteIni("Defaults", "Bold", "True"), 0);
  EXPECT_TRUE(fs::is_empty(folder_));
}

// A child process rewrites one key without pause and is killed at a random moment once it
// is writing, again and again. The file must always be the old text or the new one, whole,
// also while the child runs.
TEST_F(IniFile, AKillDuringAWriteLeavesTheOldFileOrTheNewOne) {
  const std::string before = "; keep me\n[Defaults]\nSearchType=SearchFlagged\nIndexSep=A\n\n[Other]\nZ=1\n";
  const std::string a(300000, 'a'), b(200000, 'b');  // long writes: most kills land inside one
  const std::string withA = *IniUpdate(before, "Defaults", "IndexSep", a);
  const std::string withB = *IniUpdate(before, "Defaults", "IndexSep", b);
  std::ofstream(path_, std::ios::binary) << withA;
  std::mt19937 random(42);
  for (int round = 0; round < 40; ++round) {
    const std::string start = Contents(path_);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) fncWriteIni("Defaults", "IndexSep", i % 2 ? a : b);
    }
    for (int wait = 0; wait < 5000; ++wait) {  // until the child has written (5 s at most)
      const std::string now = Contents(path_);
      ASSERT_TRUE(now == withA || now == withB) << "while writing, round " << round;
      if (now != start) break;
      usleep(1000);
    }
    usleep(static_cast<useconds_t>(random() % 2000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string now = Contents(path_);
    ASSERT_TRUE(now == withA || now == withB) << "round " << round << ": " << now.size() << " bytes";
    const std::string value = fncReadIni("Defaults", "IndexSep");
    EXPECT_TRUE(value == a.substr(0, 254) || value == b.substr(0, 254));
  }
}

}  // namespace
}  // namespace settings
