// `vellandex index` and the files it reads and writes, from the outside: inputs that are not
// documents, outputs that cannot be written, --in-place, and several documents at once.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/testing/program.h"

namespace app {
namespace {

using namespace app::testing;

// The lines of a text.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> out;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    out.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  return out;
}

TEST(IndexFiles, InputsThatAreNoDocumentsAreRefusedAndNothingIsWritten) {
  TempFolder tmp;
  writeFile(tmp / "notes.docx", "These are plain notes, not a document.\n");
  // A password-protected document: an OLE container holding the encrypted package.
  std::string ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  ole.resize(4096, '\0');
  writeFile(tmp / "locked.docx", ole + std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"missing.docx", "missing.docx"},
      {"notes.docx", "not a .docx"},
      {"locked.docx", "protected (encrypted) documents are not supported"},
  };
  for (const auto& [name, says] : cases) {
    for (const std::string command : {"index", "terms", "check-quotes", "remove", "update"}) {
      const bool writes = command != "terms" && command != "check-quotes";
      Outcome run = vellandex(
          tmp, command + " " + shellArg(tmp / name) + (writes ? " -o " + shellArg(tmp / "out.docx") : ""));
      EXPECT_EQ(run.exitCode, 1) << command << " " << name << "\n" << run.all();
      EXPECT_NE(run.errors.find(says), std::string::npos) << command << " " << name << "\n" << run.errors;
      EXPECT_EQ(run.output, "") << command << " " << name;
      EXPECT_FALSE(fs::exists(tmp / "out.docx")) << command << " " << name;
    }
  }
  EXPECT_EQ(filesIn(tmp.path()), (std::vector<std::string>{"locked.docx", "notes.docx"}));
}

TEST(IndexFiles, AnOutputThatCannotBeWrittenIsRefusedBeforeTheRun) {
  TempFolder tmp;
  fs::create_directory(tmp / "locked");
  fs::permissions(tmp / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  // Root writes into any folder whatever its mode; the process folder takes no file from anyone.
  const fs::path readOnly = ::geteuid() == 0 ? fs::path("/proc") : tmp / "locked";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"-o " + shellArg(readOnly / "out.docx"), "out.docx"},
      {"-o " + shellArg(tmp / "none" / "out.docx"), "does not exist"},
      {"-o " + shellArg(tmp.path()), "it is a folder"},
      {"", "name the output: -o OUT.docx, or --in-place"},
      {"-o " + shellArg(tmp / "out.docx") + " --in-place", "excludes"},
  };
  for (const auto& [flags, says] : cases) {
    Outcome run = vellandex(tmp, "index " + shellArg(kSample) + " " + flags);
    EXPECT_EQ(run.exitCode, 1) << flags << "\n" << run.all();
    EXPECT_NE(run.errors.find(says), std::string::npos) << flags << "\n" << run.errors;
    EXPECT_FALSE(fs::exists(readOnly / "out.docx"));
    EXPECT_FALSE(fs::exists(tmp / "out.docx"));
  }
  EXPECT_TRUE(fs::is_empty(tmp / "locked"));
}

TEST(IndexFiles, InPlaceReplacesTheFileAtOnceKeepingItsModeAndNoOtherFile) {
  TempFolder tmp;
  fs::create_directory(tmp / "work");
  fs::copy_file(kSample, tmp / "work" / "contract.docx");
  ::chmod((tmp / "work" / "contract.docx").c_str(), 0640);
  const std::string before = bytesOf(tmp / "work" / "contract.docx");
  Outcome run = vellandex(tmp, "index " + shellArg(tmp / "work" / "contract.docx") + " --in-place");
  ASSERT_EQ(run.exitCode, 0) << run.all();
  EXPECT_NE(bytesOf(tmp / "work" / "contract.docx"), before);
  EXPECT_EQ(filesIn(tmp / "work"), std::vector<std::string>{"contract.docx"});
  struct stat info {};
  ASSERT_EQ(::stat((tmp / "work" / "contract.docx").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  if (::geteuid() != 0) {
    ::chmod((tmp / "work" / "contract.docx").c_str(), 0444);
    const std::string indexed = bytesOf(tmp / "work" / "contract.docx");
    Outcome readOnly = vellandex(tmp, "remove " + shellArg(tmp / "work" / "contract.docx") + " --in-place");
    EXPECT_EQ(readOnly.exitCode, 1) << readOnly.all();
    EXPECT_NE(readOnly.errors.find("the file is read-only"), std::string::npos) << readOnly.errors;
    EXPECT_EQ(bytesOf(tmp / "work" / "contract.docx"), indexed);
  }
}

TEST(IndexFiles, SeveralDocumentsEachInARunOfItsOwnWithOneLineEachAndTheWorstCode) {
  TempFolder tmp;
  fs::create_directory(tmp / "in");
  fs::copy_file(kSample, tmp / "in" / "a.docx");
  writeDocx(tmp / "in" / "b.docx", paragraphs({"The \u201CSeller\u201D sells.", "The Seller signs."}));
  writeDocx(tmp / "in" / "bad.docx", paragraphs({"The \u201CSeller\u201D and a stray \u201Cquote."}));
  const std::vector<std::string> inputs = {"a.docx", "b.docx", "bad.docx", "missing.docx"};
  std::string arguments = "index";
  for (const std::string& name : inputs) arguments += " " + shellArg(tmp / "in" / name);
  Outcome run = vellandex(tmp, arguments + " --out-dir " + shellArg(tmp / "out") + " --jobs 2 --cols 3 --report " +
                                   shellArg(tmp / "report.json"));
  EXPECT_EQ(run.exitCode, 2) << run.all();
  std::vector<std::string> lines = linesOf(run.output);
  std::sort(lines.begin(), lines.end());
  ASSERT_EQ(lines.size(), 4u) << run.output;
  EXPECT_EQ(lines[0].rfind("Failed " + (tmp / "in" / "bad.docx").string() + " (exit 2): ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[0], "Failed " + (tmp / "in" / "bad.docx").string() +
                          " (exit 2): its double quotes do not pair up (vellandex check-quotes shows where)");
  EXPECT_EQ(lines[1].rfind("Failed " + (tmp / "in" / "missing.docx").string() + " (exit 1): ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "Indexed " + (tmp / "in" / "a.docx").string() + "; saved " + (tmp / "out" / "a.docx").string());
  EXPECT_EQ(lines[3], "Indexed " + (tmp / "in" / "b.docx").string() + "; saved " + (tmp / "out" / "b.docx").string());
  EXPECT_EQ(filesIn(tmp / "out"), (std::vector<std::string>{"a.docx", "b.docx"}));
  EXPECT_NE(run.errors.find((tmp / "in" / "bad.docx").string() + ": Mis-matched double quotes: "), std::string::npos)
      << run.errors;

  const nlohmann::json report = nlohmann::json::parse(bytesOf(tmp / "report.json"));
  ASSERT_EQ(report.size(), 4u);
  EXPECT_EQ(report[0]["output"], (tmp / "out" / "a.docx").string());
  EXPECT_FALSE(report[1]["terms"].empty());
  EXPECT_EQ(report[2]["exitCode"], 2);
  EXPECT_EQ(report[3]["exitCode"], 1);

  // Each copy is what indexing that document alone gives.
  Outcome alone = vellandex(
      tmp, "index " + shellArg(tmp / "in" / "b.docx") + " -o " + shellArg(tmp / "alone.docx") + " --cols 3");
  ASSERT_EQ(alone.exitCode, 0) << alone.all();
  EXPECT_EQ(vellandex(tmp, "dump " + shellArg(tmp / "alone.docx")).output,
            vellandex(tmp, "dump " + shellArg(tmp / "out" / "b.docx")).output);
}

TEST(IndexFiles, SeveralDocumentsNeedSomewhereToGoEachUnderItsOwnName) {
  TempFolder tmp;
  fs::create_directories(tmp / "x");
  fs::create_directories(tmp / "y");
  fs::copy_file(kSample, tmp / "x" / "a.docx");
  fs::copy_file(kSample, tmp / "y" / "a.docx");
  const std::string both = shellArg(tmp / "x" / "a.docx") + " " + shellArg(tmp / "y" / "a.docx");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--out-dir " + shellArg(tmp / "out"), "two documents are named a.docx"},
      {"-o " + shellArg(tmp / "out.docx"), "-o names one output"},
      {"", "--out-dir DIR, or --in-place"},
  };
  for (const auto& [flags, says] : cases) {
    Outcome run = vellandex(tmp, "index " + both + " " + flags);
    EXPECT_EQ(run.exitCode, 1) << flags << "\n" << run.all();
    EXPECT_NE(run.errors.find(says), std::string::npos) << flags << "\n" << run.errors;
  }
  EXPECT_FALSE(fs::exists(tmp / "out"));

  const std::string before = bytesOf(tmp / "x" / "a.docx");
  Outcome inPlace = vellandex(tmp, "index " + both + " --in-place --jobs 2");
  ASSERT_EQ(inPlace.exitCode, 0) << inPlace.all();
  EXPECT_NE(bytesOf(tmp / "x" / "a.docx"), before);
  EXPECT_EQ(vellandex(tmp, "dump " + shellArg(tmp / "x" / "a.docx")).output,
            vellandex(tmp, "dump " + shellArg(tmp / "y" / "a.docx")).output);
}

}  // namespace
}  // namespace app
