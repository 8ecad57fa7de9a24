#include <gtest/gtest.h>

#include "engine/cls_osvlx_lib.h"
#include "host/model/indexes.h"
#include "host/parse/field_code.h"
#include "host/shell/application.h"
#include "host/testing/test_documents.h"
#include "ui/constants.h"
#include "ui/script/backend.h"

namespace engine {
namespace {

using host::testing::docWithBody;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;

// The codes of the index-entry fields of a story, in order.
std::vector<std::string> entryCodes(host::Range story) {
  std::vector<std::string> codes;
  for (host::Field f : story.Fields())
    if (f.Type() == host::wdFieldIndexEntry) codes.push_back(f.Code().Text());
  return codes;
}

std::string code(const std::string& entry) { return " XE \"" + entry + "\" \\f \"VellandexIndex\""; }

class Marking : public ::testing::Test {
 protected:
  long index(host::Document& doc, const std::string& term, long count = 0, bool matchCase = true, bool fullCaps = false,
             const std::string& type = "IndexAll", const std::string& asTyped = "") {
    host::Range story = doc.Content();
    return engine_.fncSearchAndIndexTermInStory(doc, story, term, count, 1, matchCase, fullCaps, type, asTyped);
  }
  clsOSVLXLib engine_;
  ui::script::Backend ui_;
};

TEST_F(Marking, EveryOccurrenceIsCountedMarkedAndFollowedByItsEntry) {
  auto doc = docWithBody(para(run("The Agreement binds. This Agreement ends.")));
  EXPECT_EQ(index(*doc, "Agreement", 5), 7);
  EXPECT_EQ(entryCodes(doc->Content()), (std::vector<std::string>{code("Agreement"), code("Agreement")}));
  EXPECT_EQ(doc->Content().Text(), "The Agreement binds. This Agreement ends.\r");  // the fields are hidden
  host::Range term = doc->Range(4, 13);
  EXPECT_EQ(term.Text(), "Agreement");
  EXPECT_EQ(term.HighlightColorIndex(), kMarkHighlight);
  EXPECT_EQ(term.Font().Color(), kMarkColor);
}

TEST_F(Marking, ALongerTermIndexedFirstHidesTheShorterTermInsideIt) {
  auto doc = docWithBody(para(run("The Adjusted Purchase Price exceeds the Purchase Price.")));
  EXPECT_EQ(index(*doc, "Adjusted Purchase Price"), 1);
  EXPECT_EQ(index(*doc, "Purchase Price"), 1);  // only the separate one
  EXPECT_EQ(entryCodes(doc->Content()),
            (std::vector<std::string>{code("Adjusted Purchase Price"), code("Purchase Price")}));
}

TEST_F(Marking, DefinitionsOnlyCountsEveryUseButIndexesTheQuotedOne) {
  auto doc = docWithBody(para(run("This \"Agreement\" and the Agreement, Agreement and Agreement.")));
  EXPECT_EQ(index(*doc, "Agreement", 0, true, false, "IndexDefs"), 4);
  std::vector<std::string> codes = entryCodes(doc->Content());
  ASSERT_EQ(codes.size(), 1u);
  // The field follows the closing quote.
  host::Field field = *doc->Content().Fields().begin();
  EXPECT_EQ(doc->Range(field.Span().begin - 1, field.Span().begin).Text(), "\"");
}

TEST_F(Marking, DefinitionsInLowNineOrAngleQuotesAreDefinitionsToo) {
  auto doc = docWithBody(para(run("Der \u201EVertrag\u201C und der Vertrag; le \u00ABContrat\u00BB et le Contrat.")));
  EXPECT_EQ(index(*doc, "Vertrag", 0, true, false, "IndexDefs"), 2);
  EXPECT_EQ(index(*doc, "Contrat", 0, true, false, "IndexDefs"), 2);
  EXPECT_EQ(entryCodes(doc->Content()), (std::vector<std::string>{code("Vertrag"), code("Contrat")}));
  // Each field follows its closing quote.
  std::vector<long> ends;
  for (host::Field field : doc->Content().Fields()) ends.push_back(field.Span().begin);
  EXPECT_EQ(doc->Range(ends[0] - 1, ends[0]).Text(), "\u201C");
  EXPECT_EQ(doc->Range(ends[1] - 1, ends[1]).Text(), "\u00BB");
}

TEST_F(Marking, TheLastWordOfTheStoryTakesItsFieldBeforeTheFinalMarkWithNothingAdded) {
  auto doc = docWithBody(para(run("Defined in the Agreement")));
  EXPECT_EQ(index(*doc, "Agreement"), 1);
  EXPECT_EQ(doc->Content().Text(), "Defined in the Agreement\r");
  EXPECT_EQ(entryCodes(doc->Content()).size(), 1u);
  host::Field field = *doc->Content().Fields().begin();
  EXPECT_EQ(doc->Range(field.Span().begin - 9, field.Span().begin).Text(), "Agreement");
}

TEST_F(Marking, CaseSensitiveSearchSkipsTermsShownInCapitalsByTheirStyle) {
  auto doc = docWithBody(para(run("Agreement"), "<w:pStyle w:val=\"Heading1\"/>") + para(run("the Agreement")));
  EXPECT_EQ(index(*doc, "Agreement"), 1);  // the heading's all-caps occurrence is not counted
  EXPECT_EQ(entryCodes(doc->Content()).size(), 1u);
}

TEST_F(Marking, ATermTypedInCapitalsIsIndexedEvenInAllCapsText) {
  auto doc = docWithBody(para(run("USA"), "<w:pStyle w:val=\"Heading1\"/>") + para(run("the USA")));
  EXPECT_EQ(index(*doc, "USA"), 2);
  EXPECT_EQ(entryCodes(doc->Content()).size(), 2u);
  // The heading style keeps its capitals.
  EXPECT_EQ(host::Style(doc.get(), "Heading1").Font().AllCaps(), host::kTrue);
}

TEST_F(Marking, TheTermsCapitalsEndAsItsOwnCapitalsFlagSays) {
  // Whole-term capitals come back; capitals on part of the term do not count as the term's.
  auto doc = docWithBody(para(run("Agreement", "<w:caps/>") + run(" and ") + run("Agree", "<w:caps/>") + run("ment") +
                              run(" and Agreement")));
  EXPECT_EQ(index(*doc, "Agreement", 0, false, true), 3);
  std::vector<long> caps;
  host::Range found = doc->Content();
  found.Collapse(host::wdCollapseStart);
  host::Find find = found.Find();
  find.SetText("Agreement");
  while (find.Execute()) caps.push_back(found.Font().AllCaps());
  EXPECT_EQ(caps, (std::vector<long>{host::kTrue, host::kFalse, host::kFalse}));
}

TEST_F(Marking, FullCapitalOccurrencesTakeTheEntryAsTyped) {
  auto doc = docWithBody(para(run("THE AGREEMENT IS SIGNED.")));
  EXPECT_EQ(index(*doc, "AGREEMENT", 2, true, true, "IndexAll", "Agreement"), 3);
  EXPECT_EQ(entryCodes(doc->Content()), std::vector<std::string>{code("Agreement")});
}

TEST_F(Marking, AStoryWithoutTheTermKeepsTheCountAndTheWholeStory) {
  auto doc = docWithBody(para(run("Nothing here.")) + para(run("Or here.")));
  host::Range story = doc->Content();
  EXPECT_EQ(engine_.fncSearchAndIndexTermInStory(*doc, story, "Seller", 7, 1, true, false, "IndexAll"), 7);
  EXPECT_EQ(story.Start(), 0);
  EXPECT_EQ(story.End(), doc->Content().End());
}

TEST_F(Marking, AnEmptyOrBlankTermEndsAtOnce) {
  auto doc = docWithBody(para(run("Some text.")));
  EXPECT_EQ(index(*doc, "", 3), 3);
  EXPECT_EQ(index(*doc, "   ", 3), 3);
  EXPECT_TRUE(entryCodes(doc->Content()).empty());
}

TEST_F(Marking, EntriesWithQuotesAndColonsKeepTheFieldCodeIntact) {
  auto doc = docWithBody(para(run("See Note: \"A\" here")));
  EXPECT_EQ(index(*doc, "Note: \"A\""), 1);
  std::vector<std::string> codes = entryCodes(doc->Content());
  ASSERT_EQ(codes.size(), 1u);
  EXPECT_EQ(codes[0], R"( XE "Note\: \"A\"" \f "VellandexIndex")");
  EXPECT_EQ(host::unescapeIndexEntry(R"(Note\: \"A\")"), "Note: \"A\"");
}

TEST_F(Marking, AFailureIsReportedOnceAndCountsZero) {
  ui_.Answer("Error", ui::vbOK);
  auto doc = docWithBody(para(run("text")));
  EXPECT_EQ(engine_.fncSearchAndIndexTermInStory(*doc, host::Range(), "Term", 5, 1, true, false, "IndexAll"), 0);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].prompt, "Could not index Term.");
  EXPECT_EQ(ui_.Messages()[0].Icon(), ui::vbExclamation);
}

TEST_F(Marking, FootnotesAreAStoryOfTheirOwn) {
  auto doc = docWithBody(para(run("The Buyer") + footnoteRef(1)), {para(run("The Buyer pays."))});
  host::Range notes = doc->StoryRanges().Item(host::wdFootnotesStory);
  EXPECT_EQ(engine_.fncSearchAndIndexTermInStory(*doc, notes, "Buyer", 1, 2, true, false, "IndexAll"), 2);
  EXPECT_EQ(entryCodes(doc->StoryRanges().Item(host::wdFootnotesStory)), std::vector<std::string>{code("Buyer")});
}

TEST_F(Marking, TheWholePassIndexesEveryTermLongestFirstInTextAndNotes) {
  auto doc = docWithBody(
      para(run("The Purchase Price and the Adjusted Purchase Price bind the Buyer.") + footnoteRef(1)),
      {para(run("The Buyer pays the Purchase Price."))});
  host::Application app;
  std::vector<std::string> terms = {"Buyer", "Purchase Price", "Adjusted Purchase Price", "Seller", ""};
  engine_.fncListSort(terms);
  CounterArray counts = engine_.fncIndexAndMarkTerms(app, *doc, terms, true);
  EXPECT_EQ(counts, (CounterArray{
                        {"Adjusted Purchase Price", 1}, {"Purchase Price", 2}, {"Seller", 0}, {"Buyer", 2}, {"", 0}}));
  EXPECT_EQ(entryCodes(doc->Content()),
            (std::vector<std::string>{code("Purchase Price"), code("Adjusted Purchase Price"), code("Buyer")}));
  EXPECT_EQ(entryCodes(doc->StoryRanges().Item(host::wdFootnotesStory)),
            (std::vector<std::string>{code("Buyer"), code("Purchase Price")}));
  for (host::Field f : doc->Fields()) EXPECT_FALSE(f.ShowCodes());  // the codes shown for the pass are hidden again
}

}  // namespace
}  // namespace engine
