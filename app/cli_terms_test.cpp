// `vellandex terms` and `vellandex check-quotes` from the outside: what they print, their exit
// codes, and the document left as it was.
#include <map>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/testing/program.h"
#include "examples/sample_contract.h"
#include "host/model/document.h"
#include "host/text/story.h"

namespace app {
namespace {

using namespace app::testing;
using host::testing::para;
using host::testing::run;

// The text of paragraph number (from 1, table rows' end marks not counted) of a story.
std::string paragraphText(host::Document& doc, int storyType, long number) {
  host::Story& story = *doc.story(storyType);
  long seen = 0;
  for (std::size_t b = 0; b < story.blocks().size(); ++b) {
    if (story.blocks()[b].rowEnd || ++seen != number) continue;
    const long start = story.blockStart(b);
    return doc.makeRange(story, start, start + static_cast<long>(story.map(b).length())).Text();
  }
  return "";
}

const std::map<std::string, int> kStoryTypes = {{"main text", 1}, {"footnotes", 2}, {"endnotes", 3}};

TEST(TermsCommand, ListsTheTermsFoundOneALineAndChangesNothing) {
  TempFolder tmp;
  fs::copy_file(kSample, tmp / "contract.docx");
  const std::string before = bytesOf(tmp / "contract.docx");
  Outcome found = vellandex(tmp, "terms " + shellArg(tmp / "contract.docx"));
  ASSERT_EQ(found.exitCode, 0) << found.all();
  std::string expected;
  for (const std::string& term : examples::sampleDefinedTerms()) expected += term + "\n";
  EXPECT_EQ(found.output, expected);
  EXPECT_EQ(bytesOf(tmp / "contract.docx"), before);
  EXPECT_EQ(filesIn(tmp.path()), std::vector<std::string>{"contract.docx"});

  Outcome capitalised = vellandex(tmp, "terms " + shellArg(tmp / "contract.docx") + " --search caps");
  ASSERT_EQ(capitalised.exitCode, 0) << capitalised.all();
  EXPECT_NE(("\n" + capitalised.output).find("\nPurchase Price\n"), std::string::npos) << capitalised.output;
  EXPECT_EQ(bytesOf(tmp / "contract.docx"), before) << "the offer to save before the search is declined";
}

TEST(TermsCommand, JsonGivesEachTermsCountAndWhereItIsDefined) {
  TempFolder tmp;
  Outcome listed = vellandex(tmp, "terms " + shellArg(kSample) + " --json");
  ASSERT_EQ(listed.exitCode, 0) << listed.all();
  const nlohmann::json terms = nlohmann::json::parse(listed.output);
  EXPECT_EQ(terms["input"], kSample.string());
  EXPECT_EQ(terms["search"], "quoted");
  ASSERT_EQ(terms["terms"].size(), examples::sampleDefinedTerms().size());

  // The counts are those an index of the same document gives.
  ASSERT_EQ(vellandex(tmp, "index " + shellArg(kSample) + " -o " + shellArg(tmp / "out.docx") + " --report " +
                               shellArg(tmp / "report.json"))
                .exitCode,
            0);
  std::map<std::string, long> indexed;
  const nlohmann::json report = nlohmann::json::parse(bytesOf(tmp / "report.json"));
  for (const auto& term : report["terms"]) indexed[term["term"].get<std::string>()] = term["count"].get<long>();

  auto sample = host::Document::Open(kSample.string());
  for (const auto& term : terms["terms"]) {
    const std::string name = term["term"].get<std::string>();
    EXPECT_EQ(term["count"].get<long>(), indexed[name]) << name;
    ASSERT_TRUE(term["definition"].is_object()) << name;
    const int story = kStoryTypes.at(term["definition"]["story"].get<std::string>());
    const std::string text = paragraphText(*sample, story, term["definition"]["paragraph"].get<long>());
    const bool quoted = text.find("\u201C" + name + "\u201D") != std::string::npos ||
                        text.find("\"" + name + "\"") != std::string::npos;
    EXPECT_TRUE(quoted) << name << " in: " << text;
  }
}

TEST(TermsCommand, TermsHoldingBreaksStayOnOneLineAndMismatchedQuotesAreRefused) {
  TempFolder tmp;
  host::testing::DocParts parts;
  parts.body = para(run("The \u201CSeller\u201D and the \u201CGreat") + host::testing::elementRun("<w:tab/>") +
                    run("Western\u201D sell."));
  writeDocx(tmp / "tab.docx", parts);
  Outcome tab = vellandex(tmp, "terms " + shellArg(tmp / "tab.docx"));
  ASSERT_EQ(tab.exitCode, 0) << tab.all();
  EXPECT_EQ(tab.output, "Seller\nGreat\\tWestern\n");

  writeDocx(tmp / "stray.docx", paragraphs({"The \u201CSeller\u201D and a stray \u201Cquote."}));
  Outcome stray = vellandex(tmp, "terms " + shellArg(tmp / "stray.docx"));
  EXPECT_EQ(stray.exitCode, 2) << stray.all();
  EXPECT_EQ(stray.output, "");
  EXPECT_NE(stray.errors.find("its double quotes do not pair up (vellandex check-quotes shows where)"),
            std::string::npos)
      << stray.errors;
}

TEST(CheckQuotesCommand, EachStoryGetsItsVerdictWithTheLikelyStrayQuote) {
  TempFolder tmp;
  Outcome sample = vellandex(tmp, "check-quotes " + shellArg(kSample));
  EXPECT_EQ(sample.exitCode, 0) << sample.all();
  EXPECT_EQ(sample.output,
            "main body: the double quotes pair up\nfootnotes: the double quotes pair up\n"
            "endnotes: the double quotes pair up\n");

  host::testing::DocParts parts;
  parts.body = para(run("The \u201CSeller\u201D sells.")) + para(run("A \u201Cstray quote waits here.")) +
               para(run("The \u201CBuyer\u201D buys.") + host::testing::footnoteRef(1) + host::testing::endnoteRef(1));
  parts.footnotes = {para(run("See the \u201CDeposit\u201D and \u201D one more."))};
  parts.endnotes = {para(run("The \u201CEscrow Agent\u201D holds it."))};
  writeDocx(tmp / "strays.docx", parts);
  const std::string before = bytesOf(tmp / "strays.docx");
  Outcome strays = vellandex(tmp, "check-quotes " + shellArg(tmp / "strays.docx"));
  EXPECT_EQ(strays.exitCode, 2) << strays.all();
  EXPECT_EQ(
      strays.output,
      "main body: the double quotes do not pair up; likely stray quote in paragraph 2: A \u201Cstray quote "
      "waits here.\n"
      "footnotes: the double quotes do not pair up; likely stray quote in paragraph 1: See the \u201CDeposit\u201D "
      "and \u201D one more.\n"
      "endnotes: the double quotes pair up\n");
  EXPECT_NE(strays.errors.find("the double quotes of a story do not pair up"), std::string::npos) << strays.errors;
  EXPECT_EQ(bytesOf(tmp / "strays.docx"), before);

  // Three open quotes and one close quote pass the check (the difference is even), as they do
  // when the document is indexed.
  writeDocx(tmp / "even.docx", paragraphs({"\u201CA \u201CB \u201CC\u201D and more."}));
  Outcome even = vellandex(tmp, "check-quotes " + shellArg(tmp / "even.docx"));
  EXPECT_EQ(even.exitCode, 0) << even.all();
  EXPECT_EQ(even.output, "main body: the double quotes pair up\n");
}

TEST(CheckQuotesCommand, OtherQuotesAreCheckedWhenAsked) {
  TempFolder tmp;
  writeDocx(tmp / "guillemets.docx", paragraphs({"The \u00ABSeller\u00BB sells.", "The \u00ABBuyer buys."}));
  Outcome curly = vellandex(tmp, "check-quotes " + shellArg(tmp / "guillemets.docx"));
  EXPECT_EQ(curly.exitCode, 0) << "no curly quote at all: " << curly.all();
  Outcome guillemets = vellandex(
      tmp, "check-quotes " + shellArg(tmp / "guillemets.docx") + " --open-quote \u00AB --close-quote \u00BB");
  EXPECT_EQ(guillemets.exitCode, 2) << guillemets.all();
  EXPECT_EQ(guillemets.output,
            "main body: the double quotes do not pair up; likely stray quote in paragraph 2: The \u00ABBuyer buys.\n");
  Outcome wrong = vellandex(tmp, "check-quotes " + shellArg(tmp / "guillemets.docx") + " --open-quote '<'");
  EXPECT_EQ(wrong.exitCode, 1) << wrong.all();
}

}  // namespace
}  // namespace app
