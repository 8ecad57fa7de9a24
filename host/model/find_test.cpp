#include "host/model/find.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using testing::docWithBody;
using testing::para;
using testing::run;

// Every match of a find over the main text, as the text of the range it moved onto.
std::vector<std::string> findAll(Document& doc, const std::string& text, bool wildcards = false, bool matchCase = false,
                                 bool wholeWord = false) {
  Range r = doc.Content();
  r.Collapse(wdCollapseStart);
  Find f = r.Find();
  f.SetText(text);
  f.SetMatchWildcards(wildcards);
  f.SetMatchCase(matchCase);
  f.SetMatchWholeWord(wholeWord);
  f.SetWrap(wdFindStop);
  std::vector<std::string> found;
  while (f.Execute()) {
    found.push_back(r.Text());
    if (found.size() > 100) break;
  }
  return found;
}

TEST(Find, PlainSearchIsCaseInsensitiveUnlessMatchCase) {
  auto doc = docWithBody(para(run("Agreement and agreement and AGREEMENT")));
  EXPECT_EQ(findAll(*doc, "agreement").size(), 3u);
  EXPECT_EQ(findAll(*doc, "Agreement", false, true), std::vector<std::string>{"Agreement"});
}

TEST(Find, StraightQuoteInFindTextMatchesCurlyAndStraightQuotes) {
  auto doc = docWithBody(
      para(run("the \xE2\x80\x9C"
               "Buyer\xE2\x80\x9D and the \"Seller\"")));
  EXPECT_EQ(findAll(*doc, "\"").size(), 4u);
  EXPECT_EQ(findAll(*doc, "\"Buyer\"").size(), 1u);
  // A curly quote in the find text matches only itself.
  EXPECT_EQ(findAll(*doc, "\xE2\x80\x9C").size(), 1u);
  // Also a literal quote in a wildcard pattern.
  EXPECT_EQ(findAll(*doc, "\"*\"", true), (std::vector<std::string>{"\xE2\x80\x9C"
                                                                    "Buyer\xE2\x80\x9D",
                                                                    "\"Seller\""}));
}

TEST(Find, WildcardStarIsShortestAndCrossesParagraphMarks) {
  auto doc = docWithBody(para(run("an \"open")) + para(run("quote\" then \"x\" end")));
  EXPECT_EQ(findAll(*doc, "\"*\"", true), (std::vector<std::string>{"\"open\rquote\"", "\"x\""}));
}

TEST(Find, WholeWordsRespectWordEdges) {
  auto doc = docWithBody(para(run("Term, Terms, subTerm and Term.")));
  EXPECT_EQ(findAll(*doc, "Term", false, true, true).size(), 2u);
  EXPECT_EQ(findAll(*doc, "Term", false, true, false).size(), 4u);
}

TEST(Find, WildcardWordStartsWithCapital) {
  auto doc = docWithBody(para(run("the Purchase Price of a Deposit.")));
  EXPECT_EQ(findAll(*doc, "<[A-Z]*>", true), (std::vector<std::string>{"Purchase", "Price", "Deposit"}));
}

TEST(Find, WildcardLanguage) {
  auto doc = docWithBody(para(run("lot loot lt l9t cat bat rat 2024 ab[c]")));
  EXPECT_EQ(findAll(*doc, "lo@t", true), (std::vector<std::string>{"lot", "loot"}));
  EXPECT_EQ(findAll(*doc, "l?t", true), (std::vector<std::string>{"lot", "l9t"}));
  EXPECT_EQ(findAll(*doc, "[!cb]at", true), std::vector<std::string>{"rat"});
  EXPECT_EQ(findAll(*doc, "[0-9]{4}", true), std::vector<std::string>{"2024"});
  EXPECT_EQ(findAll(*doc, "lo{1,}t", true), (std::vector<std::string>{"lot", "loot"}));
  EXPECT_EQ(findAll(*doc, "\\[c\\]", true), std::vector<std::string>{"[c]"});
  // Wildcards always match case.
  EXPECT_TRUE(findAll(*doc, "LOT", true).empty());
}

TEST(Find, MalformedWildcardPatternsAreClearErrors) {
  auto doc = docWithBody(para(run("text")));
  for (const char* bad : {"[abc", "a{2", "{2}", "x\\", "(a", "a)", "[z-a]", "a{3,1}"}) {
    try {
      findAll(*doc, bad, true);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrBadPattern) << bad;
      EXPECT_NE(std::string(e.what()).find("invalid pattern"), std::string::npos) << bad;
    }
  }
}

TEST(Find, PathologicalPatternIsRefusedNotLeftToHang) {
  std::string a(3000, 'a');
  auto doc = docWithBody(para(run(a)));
  EXPECT_THROW(findAll(*doc, "*a*a*a*a*a*b", true), Error);
}

TEST(Find, StarsBeforeALongRepeatAreRefusedCountingEveryCharacterLookedAt) {
  // Each step of this pattern looks at the rest of the paragraph; counted as one step it ran
  // for many seconds before being refused.
  auto doc = docWithBody(para(run(std::string(60, 'a') + "1")));
  EXPECT_THROW(findAll(*doc, "*******[a-z]@>", true), Error);
}

TEST(Find, HiddenTextIsSkippedUnlessShownAndMatchesMaySpanIt) {
  auto doc = docWithBody(para(run("Purch") + run("HIDDEN", "<w:vanish/>") + run("ase Price")));
  EXPECT_EQ(findAll(*doc, "Purchase").size(), 1u);
  EXPECT_EQ(findAll(*doc, "HIDDEN").size(), 0u);
  doc->View().showHiddenText = true;
  EXPECT_EQ(findAll(*doc, "HIDDEN").size(), 1u);
  EXPECT_EQ(findAll(*doc, "Purchase").size(), 0u);
}

TEST(Find, FieldCodesAreSkippedUnlessShown) {
  std::string field =
      "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> XE \"Term\" </w:instrText></w:r>"
      "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
  auto doc = docWithBody(para(run("A Term") + field + run(" here")));
  EXPECT_EQ(findAll(*doc, "Term").size(), 1u);
  doc->View().showFieldCodes = true;
  EXPECT_EQ(findAll(*doc, "Term").size(), 2u);
}

TEST(Find, ExecuteContinuesAfterTheMatchAndStopsAtTheEndWithoutMoving) {
  auto doc = docWithBody(para(run("one two one")));
  Range r = doc->Content();
  Find f = r.Find();
  f.SetText("one");
  ASSERT_TRUE(f.Execute());
  EXPECT_EQ(r.Start(), 0);
  ASSERT_TRUE(f.Execute());
  EXPECT_EQ(r.Start(), 8);
  EXPECT_FALSE(f.Execute());
  EXPECT_FALSE(f.Found());
  EXPECT_EQ(r.Start(), 8);  // left where it was
  f.SetWrap(wdFindContinue);
  ASSERT_TRUE(f.Execute());
  EXPECT_EQ(r.Start(), 0);
}

TEST(Find, EmptyFindTextFindsNothingAndNeverLoops) {
  auto doc = docWithBody(para(run("abc")));
  EXPECT_TRUE(findAll(*doc, "").empty());
  EXPECT_TRUE(findAll(*doc, "*", true).empty());  // a match of nothing is never returned
}

TEST(Find, FormattingOnlyReplaceAllTouchesExactlyTheMarkedText) {
  std::string marked = "<w:color w:val=\"F3F3F3\"/><w:highlight w:val=\"red\"/>";
  auto doc = docWithBody(para(run("plain ") + run("Marked", marked) + run(" grey", "<w:color w:val=\"F3F3F3\"/>") +
                              run(" lit", "<w:highlight w:val=\"yellow\"/>") + run(" Again", marked)));
  Range r = doc->Content();
  Find f = r.Find();
  f.ClearFormatting();
  f.Font().SetColor(0xF3F3F3);
  f.SetHighlight(kTrue);
  f.Replacement().ClearFormatting();
  f.Replacement().Font().SetColor(kColorAutomatic);
  f.Replacement().SetHighlight(kFalse);
  f.SetText("");
  f.Replacement().SetText("");
  f.SetWrap(wdFindContinue);
  EXPECT_TRUE(f.Execute(wdReplaceAll));
  Range all = doc->Content();
  EXPECT_EQ(all.Text(), "plain Marked grey lit Again\r");
  auto at = [&](long s, long e) { return doc->Range(s, e); };
  EXPECT_EQ(at(6, 12).Font().Color(), kColorAutomatic);
  EXPECT_EQ(at(6, 12).HighlightColorIndex(), 0);
  EXPECT_EQ(at(22, 27).HighlightColorIndex(), 0);
  EXPECT_EQ(at(12, 17).Font().Color(), 0xF3F3F3);  // grey without highlight stays
  EXPECT_EQ(at(17, 21).HighlightColorIndex(), 7);  // highlight without grey stays
}

TEST(Find, ReplaceAllTypesSmartQuotesByTheirContext) {
  auto doc = docWithBody(para(run("\"Start\" said (\"x\") and\t\"y\"")) + para(run("a\"b")));
  Range r = doc->Content();
  Find f = r.Find();
  f.SetText("\"");
  f.Replacement().SetText("\"");
  f.SetWrap(wdFindContinue);
  doc->options().AutoFormatAsYouTypeReplaceQuotes = true;
  ASSERT_TRUE(f.Execute(wdReplaceAll));
  EXPECT_EQ(
      doc->Content().Text(),
      "\xE2\x80\x9CStart\xE2\x80\x9D said (\xE2\x80\x9Cx\xE2\x80\x9D) and\t\xE2\x80\x9Cy\xE2\x80\x9D\ra\xE2\x80\x9D"
      "b\r");
  doc->options().AutoFormatAsYouTypeReplaceQuotes = false;
  Range r2 = doc->Content();
  Find f2 = r2.Find();
  f2.SetText("\"");
  f2.Replacement().SetText("\"");
  f2.SetWrap(wdFindContinue);
  ASSERT_TRUE(f2.Execute(wdReplaceAll));
  EXPECT_EQ(doc->Content().Text(), "\"Start\" said (\"x\") and\t\"y\"\ra\"b\r");
}

TEST(Find, ReplaceKeepsTheFormattingOfTheMatch) {
  auto doc = docWithBody(para(run("a ") + run("Bold", "<w:b/>") + run(" z")));
  Range r = doc->Content();
  Find f = r.Find();
  f.SetText("Bold");
  f.Replacement().SetText("Strong");
  ASSERT_TRUE(f.Execute(wdReplaceOne));
  EXPECT_EQ(r.Text(), "Strong");
  EXPECT_EQ(r.Bold(), kTrue);
  EXPECT_EQ(doc->Content().Text(), "a Strong z\r");
}

TEST(Find, FindWithFormattingConditionOnText) {
  auto doc = docWithBody(para(run("Term ") + run("Term", "<w:b/>") + run(" Term")));
  Range r = doc->Content();
  Find f = r.Find();
  f.SetText("Term");
  f.Font().SetBold(kTrue);
  ASSERT_TRUE(f.Execute());
  EXPECT_EQ(r.Start(), 5);
  EXPECT_FALSE(f.Execute());
}

TEST(Find, ItsFontAndReplacementOutliveTheFindAndRangeTheyCameFrom) {
  auto doc = docWithBody(para(run("Weak and weak")));
  // The Range and the Find are temporaries; what they hand out shares the find's settings.
  Replacement replacement = doc->Content().Find().Replacement();
  FindFont font = replacement.Font();
  FindFont condition = doc->Content().Find().Font();
  replacement.SetText("Strong");
  font.SetBold(kTrue);
  condition.SetColor(0);
  EXPECT_EQ(replacement.Text(), "Strong");
}

TEST(Find, SoundsLikeIsRefusedClearly) {
  auto doc = docWithBody(para(run("abc")));
  Range r = doc->Content();
  Find f = r.Find();
  f.SetText("abc");
  f.SetMatchSoundsLike(true);
  EXPECT_THROW(f.Execute(), Error);
}

TEST(Find, FindSeesEditsMadeBetweenExecutes) {
  auto doc = docWithBody(para(run("Term one Term two Term")));
  Range r = doc->Content();
  r.Collapse(wdCollapseStart);
  Find f = r.Find();
  f.SetText("Term");
  int count = 0;
  while (f.Execute() && count < 10) {
    ++count;
    doc->Indexes().MarkEntry(r, "Term");
    r.Collapse(wdCollapseEnd);
  }
  EXPECT_EQ(count, 3);
}

TEST(Find, MatchesRunOnOverAHiddenParagraphMarkButNotOverAVisibleOne) {
  auto doc = docWithBody(para(run("the Purchase"), "<w:rPr><w:vanish/></w:rPr>") + para(run("Price is due")) +
                         para(run("a Purchase")) + para(run("Price again")));
  // The hidden mark joins its paragraph to the next as a reader sees them.
  EXPECT_EQ(findAll(*doc, "PurchasePrice", false, true), std::vector<std::string>{"PurchasePrice"});
  EXPECT_EQ(findAll(*doc, "Purchase Price", false, true).size(), 0u);
}

TEST(Find, EditsThatChangeVisibleTextKeepLaterParagraphsFindable) {
  auto doc = docWithBody(para(run("Alpha Term")) + para(run("Beta Term")) + para(run("Gamma Term")));
  Range first = doc->Range(0, 5);
  first.SetText("Alpha and more text");
  EXPECT_EQ(findAll(*doc, "Term", false, true).size(), 3u);
  EXPECT_EQ(findAll(*doc, "and more", false, true).size(), 1u);
  // Hiding text changes what find sees, though no character was typed.
  doc->Range(0, 5).Font().SetHidden(kTrue);
  EXPECT_EQ(findAll(*doc, "Alpha", false, true).size(), 0u);
  EXPECT_EQ(findAll(*doc, "Gamma Term", false, true).size(), 1u);
}

TEST(Find, TextTypedIntoOneOfManyParagraphsIsFoundThereAndOnlyThere) {
  // Enough paragraphs that searches pass over whole runs of them at once.
  std::string body;
  for (int i = 0; i < 100; ++i) body += para(run("Paragraph " + std::to_string(i) + " of plain words"));
  auto doc = docWithBody(body);
  EXPECT_TRUE(findAll(*doc, "Escrow Amount", false, true).empty());
  for (int paragraph : {57, 3, 99}) {
    Range p = doc->Content();
    Find at = p.Find();
    at.SetText("Paragraph " + std::to_string(paragraph) + " ");
    ASSERT_TRUE(at.Execute());
    p.Collapse(wdCollapseStart);
    p.InsertAfter("Escrow Amount ");
  }
  EXPECT_EQ(findAll(*doc, "Escrow Amount", false, true).size(), 3u);
  EXPECT_EQ(findAll(*doc, "escrow amount", false, false).size(), 3u);
  // Losing the text again leaves nothing behind to find.
  Range first = doc->Content();
  first.Collapse(wdCollapseStart);
  Find f = first.Find();
  f.SetText("Escrow Amount ");
  f.SetMatchCase(true);
  while (f.Execute()) first.SetText("");
  EXPECT_TRUE(findAll(*doc, "Escrow Amount", false, true).empty());
  EXPECT_EQ(findAll(*doc, "of plain words", false, true).size(), 100u);
}

}  // namespace
}  // namespace host

namespace host {
namespace {

TEST(FindCase, TextWithoutCasedCharactersMatchesAsBeforeAndCasedTextStillIgnoresCase) {
  auto doc = testing::openBody(testing::para(testing::run("\u201CA\u201D \"b\" 12 \u00C9t\u00E9 \u00E9T\u00C9")));
  auto count = [&](const std::string& text, bool wildcards) {
    Range r = doc->Content();
    Find f = r.Find();
    f.SetText(text);
    f.SetMatchWildcards(wildcards);
    long n = 0;
    while (f.Execute()) ++n;
    return n;
  };
  EXPECT_EQ(count("\"", false), 4);  // straight and curly alike
  EXPECT_EQ(count("12", false), 1);
  EXPECT_EQ(count("\u00E9t\u00E9", false), 2);  // letters still match in either case
  EXPECT_EQ(count("\"*\"", true), 2);
  EXPECT_EQ(count("[0-9]@", true), 1);
}

}  // namespace
}  // namespace host
