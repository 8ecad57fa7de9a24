// `vellandex index` run from the outside, as a user runs it: exit codes, messages, the output file,
// the input left untouched, and the result as LibreOffice shows it (when it is installed).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "examples/sample_contract.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using host::testing::TempFolder;

const fs::path kSample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";

struct Outcome {
  int exitCode;
  std::string output;  // standard output and standard error together
};

// Runs a shell command line with a private configuration folder.
Outcome shell(const TempFolder& home, const std::string& command) {
  const std::string line = "XDG_CONFIG_HOME='" + (home / "config").string() + "' " + command + " 2>&1";
  Outcome out{-1, ""};
  FILE* pipe = ::popen(line.c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) out.output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

Outcome vellandex(const TempFolder& home, const std::string& arguments) {
  return shell(home, std::string("'") + VLX_PROGRAM + "' " + arguments);
}

std::string bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(IndexCommand, IndexesTheSampleIntoANewFileAndNeverWritesTheInput) {
  TempFolder tmp;
  fs::copy_file(kSample, tmp / "contract.docx");
  const std::string before = bytesOf(tmp / "contract.docx");
  Outcome run = vellandex(tmp, "index '" + (tmp / "contract.docx").string() + "' -o '" + (tmp / "out.docx").string() + "'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("saved " + (tmp / "out.docx").string()), std::string::npos) << run.output;
  EXPECT_EQ(bytesOf(tmp / "contract.docx"), before);
  EXPECT_TRUE(fs::exists(tmp / "out.docx"));
}

TEST(IndexCommand, RefusesMismatchedQuotesAMissingFileAndAnOutputThatIsTheInputWritingNothing) {
  TempFolder tmp;
  host::testing::DocParts parts;
  parts.body = host::testing::para(host::testing::run("The \u201CSeller\u201D and a stray \u201Cquote."));
  std::ofstream(tmp / "stray.docx", std::ios::binary) << host::testing::makeDocx(parts);

  Outcome stray = vellandex(tmp, "index '" + (tmp / "stray.docx").string() + "' -o '" + (tmp / "out.docx").string() + "'");
  EXPECT_EQ(stray.exitCode, 2) << stray.output;
  EXPECT_NE(stray.output.find("Mis-matched double quotes: There is a mis-matched pair of double quotes in your "
                              "document's main body."),
            std::string::npos)
      << stray.output;
  EXPECT_NE(stray.output.find("double quotes do not pair up"), std::string::npos) << stray.output;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));

  Outcome missing = vellandex(tmp, "index '" + (tmp / "none.docx").string() + "' -o '" + (tmp / "out.docx").string() + "'");
  EXPECT_EQ(missing.exitCode, 1) << missing.output;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));

  Outcome same = vellandex(tmp, "index '" + (tmp / "stray.docx").string() + "' -o '" + (tmp / "stray.docx").string() + "'");
  EXPECT_EQ(same.exitCode, 1) << same.output;
}

TEST(IndexCommand, LibreOfficeShowsTheIndexWithEveryTermOfTheSampleAndBothLists) {
  TempFolder tmp;
  if (shell(tmp, "command -v soffice && command -v pdftotext").exitCode != 0)
    GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
  Outcome run = vellandex(tmp, "index '" + kSample.string() + "' -o '" + (tmp / "indexed.docx").string() + "'");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  Outcome pdf = shell(tmp, "timeout 180 soffice -env:UserInstallation=file://" + (tmp / "profile").string() +
                               " --headless --convert-to pdf --outdir '" + tmp.path().string() + "' '" +
                               (tmp / "indexed.docx").string() + "'");
  ASSERT_TRUE(fs::exists(tmp / "indexed.pdf")) << pdf.output;
  Outcome text = shell(tmp, "pdftotext -layout '" + (tmp / "indexed.pdf").string() + "' -");
  ASSERT_EQ(text.exitCode, 0);
  const std::string& shown = text.output;
  const std::size_t index = shown.find("INDEX OF DEFINED TERMS");
  ASSERT_NE(index, std::string::npos) << shown;
  const std::string after = shown.substr(index);
  for (const std::string& term : examples::sampleDefinedTerms()) {
    // The term, the separator, then its pages.
    const std::regex line("(^|\\n)\\s*" + term + ":\\s+[0-9]+(, [0-9]+)*\\s*(\\n|$)");
    EXPECT_TRUE(std::regex_search(after, line)) << term;
  }
  EXPECT_NE(after.find("DEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)"), std::string::npos);
  EXPECT_NE(after.find("NOT FOUND"), std::string::npos);
}

}  // namespace
}  // namespace app
