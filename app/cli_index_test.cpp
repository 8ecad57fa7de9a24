// `vellandex index` run from the outside, as a user runs it: exit codes, messages, the output file,
// the input left untouched, and the result as LibreOffice shows it (when it is installed).
#include <regex>

#include <gtest/gtest.h>

#include "app/testing/program.h"
#include "examples/sample_contract.h"

namespace app {
namespace {

using namespace app::testing;

TEST(IndexCommand, IndexesTheSampleIntoANewFileAndNeverWritesTheInput) {
  TempFolder tmp;
  fs::copy_file(kSample, tmp / "contract.docx");
  const std::string before = bytesOf(tmp / "contract.docx");
  Outcome run = vellandex(tmp, "index " + shellArg(tmp / "contract.docx") + " -o " + shellArg(tmp / "out.docx"));
  EXPECT_EQ(run.exitCode, 0) << run.all();
  EXPECT_EQ(run.output,
            "Indexed " + (tmp / "contract.docx").string() + "; saved " + (tmp / "out.docx").string() + "\n");
  EXPECT_EQ(bytesOf(tmp / "contract.docx"), before);
  EXPECT_TRUE(fs::exists(tmp / "out.docx"));
  // Progress goes only to a terminal; here standard error is a file.
  EXPECT_EQ(run.errors.find("Indexing"), std::string::npos) << run.errors;
}

TEST(IndexCommand, RefusesMismatchedQuotesAMissingFileAndAnOutputThatIsTheInputWritingNothing) {
  TempFolder tmp;
  writeDocx(tmp / "stray.docx", paragraphs({"The \u201CSeller\u201D and a stray \u201Cquote."}));

  Outcome stray = vellandex(tmp, "index " + shellArg(tmp / "stray.docx") + " -o " + shellArg(tmp / "out.docx"));
  EXPECT_EQ(stray.exitCode, 2) << stray.all();
  EXPECT_NE(stray.errors.find("Mis-matched double quotes: There is a mis-matched pair of double quotes in your "
                              "document's main body."),
            std::string::npos)
      << stray.errors;
  EXPECT_NE(stray.errors.find("double quotes do not pair up"), std::string::npos) << stray.errors;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));

  Outcome missing = vellandex(tmp, "index " + shellArg(tmp / "none.docx") + " -o " + shellArg(tmp / "out.docx"));
  EXPECT_EQ(missing.exitCode, 1) << missing.all();
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));

  Outcome same = vellandex(tmp, "index " + shellArg(tmp / "stray.docx") + " -o " + shellArg(tmp / "stray.docx"));
  EXPECT_EQ(same.exitCode, 1) << same.all();
  EXPECT_NE(same.errors.find("is the input itself"), std::string::npos) << same.errors;
}

// The add-in offers to save a changed document before it searches for capitalised words; the
// program once took the offer's default (Yes) and wrote the user's input file. Whatever the
// program answers, the input stays as it was.
TEST(IndexCommand, ASearchForCapitalisedWordsNeverSavesTheInputNotEvenWithYes) {
  TempFolder tmp;
  fs::copy_file(kSample, tmp / "contract.docx");
  const std::string before = bytesOf(tmp / "contract.docx");
  for (const char* yes : {"", " --yes"}) {
    Outcome run = vellandex(
        tmp, "index " + shellArg(tmp / "contract.docx") + " -o " + shellArg(tmp / "out.docx") + " --search caps" + yes);
    EXPECT_EQ(run.exitCode, 0) << run.all();
    EXPECT_EQ(bytesOf(tmp / "contract.docx"), before) << "with" << yes;
    EXPECT_TRUE(fs::exists(tmp / "out.docx"));
    fs::remove(tmp / "out.docx");
  }
}

TEST(IndexCommand, TheArticleOfferIsDeclinedUnlessMoveArticlesTakesIt) {
  TempFolder tmp;
  writeDocx(tmp / "articles.docx", paragraphs({"Acme Ltd (\u201Cthe Seller\u201D) sells to the \u201CBuyer\u201D.",
                                               "The Seller delivers and the Buyer pays."}));
  const std::string io = "index " + shellArg(tmp / "articles.docx") + " -o " + shellArg(tmp / "out.docx");
  Outcome declined = vellandex(tmp, io);
  ASSERT_EQ(declined.exitCode, 0) << declined.all();
  EXPECT_NE(
      vellandex(tmp, "dump " + shellArg(tmp / "out.docx")).output.find("(\u201Cthe Seller\u201D{ XE \"the Seller\""),
      std::string::npos);
  Outcome moved = vellandex(tmp, io + " --move-articles");
  ASSERT_EQ(moved.exitCode, 0) << moved.all();
  const std::string shown = vellandex(tmp, "dump " + shellArg(tmp / "out.docx")).output;
  EXPECT_NE(shown.find("(the \u201CSeller\u201D{ XE \"Seller\""), std::string::npos) << shown;
  EXPECT_NE(shown.find("The Seller{ XE \"Seller\""), std::string::npos) << shown;
}

TEST(IndexCommand, YesAnswersEveryQuestionYetWritesNothingTheRunRefuses) {
  TempFolder tmp;
  writeDocx(tmp / "stray.docx", paragraphs({"The \u201CSeller\u201D and a stray \u201Cquote."}));
  const std::string before = bytesOf(tmp / "stray.docx");
  Outcome yes = vellandex(tmp,
                          "index " + shellArg(tmp / "stray.docx") + " -o " + shellArg(tmp / "out.docx") + " --yes");
  EXPECT_EQ(yes.exitCode, 2) << yes.all();
  // Yes to highlighting the quotes: the add-in says where the highlighting can be removed.
  EXPECT_NE(yes.errors.find("Cannot index: Double quotes have been highlighted in your document's main body."),
            std::string::npos)
      << yes.errors;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));
  EXPECT_EQ(bytesOf(tmp / "stray.docx"), before);
}

TEST(IndexCommand, LibreOfficeShowsTheIndexWithEveryTermOfTheSampleAndBothLists) {
  TempFolder tmp;
  if (shell(tmp, "command -v soffice && command -v pdftotext").exitCode != 0)
    GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
  Outcome run = vellandex(tmp, "index " + shellArg(kSample) + " -o " + shellArg(tmp / "indexed.docx"));
  ASSERT_EQ(run.exitCode, 0) << run.all();
  Outcome pdf = shell(tmp, "timeout 180 soffice -env:UserInstallation=file://" + (tmp / "profile").string() +
                               " --headless --convert-to pdf --outdir " + shellArg(tmp.path()) + " " +
                               shellArg(tmp / "indexed.docx"));
  ASSERT_TRUE(fs::exists(tmp / "indexed.pdf")) << pdf.all();
  Outcome text = shell(tmp, "pdftotext -layout " + shellArg(tmp / "indexed.pdf") + " -");
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
