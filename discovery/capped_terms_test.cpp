#include "discovery/capped_terms.h"

#include "discovery/capped_phrases.h"
#include "discovery/discovery_test_fixture.h"
#include "host/model/find.h"
#include "host/model/shown_text.h"
#include "host/text/story.h"

namespace discovery {
namespace {

using namespace discovery::testing;
using Terms = std::vector<std::string>;

// Where a capitalised word stands and what it reads.
struct Found {
  long start;
  std::string text;
  bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& f) { return out << f.start << ":" << f.text; }

class CappedTerms : public DiscoveryTest {};

TEST_F(CappedTerms, FindsExactlyTheWordsTheCapitalWildcardFinds) {
  // Apostrophes and underscores inside words, letters beyond A to Z, digits, hidden text inside
  // a word, a field's code and result, a table, a footnote and an endnote.
  const std::string main = para(run("Alpha beta O'Brien x_Y _Under \u00DCber Zed2 3Com A.B.C. Dep\u2019t a-Bc Pur") +
                                run("XX", "<w:vanish/>") + run("chase end ") + fieldChar("begin") +
                                fieldCode(" PAGE \\* MERGEFORMAT ") + fieldChar("separate") + run("Seven") +
                                fieldChar("end") + footnoteRef(1)) +
                           table({{"Cell One", "two Three"}}) +
                           para(run("Last") + elementRun("<w:endnoteReference w:id=\"1\"/>"));
  host::Document& doc = open(main, {p("Note Words here")}, {p("end Note")});
  for (host::Range story : doc.StoryRanges()) {
    if (story.StoryType() >= 4 || story.StoryLength() < 2) continue;
    std::vector<Found> byFind, byScan;
    host::Range range = story.Duplicate();
    host::Find find = range.Find();
    find.SetText("<[A-Z]*>");
    find.SetMatchWildcards(true);
    find.SetWrap(host::wdFindStop);
    while (find.Execute()) byFind.push_back({range.Start(), range.Text()});

    const host::ShownText shown(story);
    CappedPhrases phrases;
    std::size_t paragraph = 0;
    const host::Text& text = shown.text();
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != host::ch::kParagraph && text[i] != host::ch::kCellEnd) continue;
      phrases.AddParagraph(
          std::u16string_view(text).substr(paragraph, i - paragraph),
          [&](std::u16string_view, std::size_t s, std::size_t e) {
            byScan.push_back({shown.position(paragraph + s), shown.range(paragraph + s, paragraph + e).Text()});
            return true;
          });
      paragraph = i + 1;
    }
    EXPECT_EQ(byScan, byFind) << "story " << story.StoryType();
    EXPECT_FALSE(byFind.empty());
  }
}

TEST_F(CappedTerms, ListsTheCandidatesOfEveryTextStorySortedInTheWindowOrTheStatusBar) {
  host::Document& doc = open(p("The Seller pays the Purchase Price to the Buyer.") + para(run("x") + footnoteRef(1)) +
                                 para(run("y") + elementRun("<w:endnoteReference w:id=\"1\"/>")),
                             {p("a Note about the Escrow Agent")}, {p("and the Governing Law")});
  for (bool inWindow : {true, false}) {
    Terms terms{"old"};
    EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, false, inWindow));
    EXPECT_EQ(terms, (Terms{"Buyer", "Escrow Agent", "Governing Law", "Note", "Purchase Price", "Seller"})) << inWindow;
    EXPECT_EQ(form_.StatusBar1.SimpleText(), "");
  }
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(CappedTerms, TheBoldFlagAndWordsWithNumbers) {
  host::Document& doc = open(p("the *Purchase Price* and the Buyer; the *Tranche B2*; *Bold*er"));
  Terms terms;
  form_.chkIgnoreNums.SetValue(ui::vbChecked);
  EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, true, false));
  EXPECT_EQ(terms, (Terms{"Purchase Price", "Tranche"}));
  form_.chkIgnoreNums.SetValue(ui::vbUnchecked);
  EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, true, false));
  EXPECT_EQ(terms, (Terms{"Purchase Price", "Tranche B2"}));
  EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, false, false));
  EXPECT_EQ(terms, (Terms{"Bolder", "Buyer", "Purchase Price", "Tranche B2"}));
}

TEST_F(CappedTerms, ALineBreakEndsAPhraseAndAHeadingInCapitalsIsPassedOver) {
  host::Document& doc = open(
      p("ARTICLE 4 \u2013 CHIEF EXECUTIVE OFFICER") +
      para(run("signed by the Chief Executive") + elementRun("<w:br/>") + run("Officer and by the Bank of England")));
  Terms terms;
  EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, false, true));
  EXPECT_EQ(terms, (Terms{"Bank of England", "Chief Executive", "Officer"}));
}

TEST_F(CappedTerms, NothingCapitalisedLeavesOneEmptyElement) {
  host::Document& doc = open(p("nothing here at all") + p("HEADING IN CAPITALS"));
  Terms terms{"old"};
  EXPECT_TRUE(fncBuildCappedTermsArray(doc, terms, form_, false, true));
  EXPECT_EQ(terms, (Terms{""}));
}

}  // namespace
}  // namespace discovery
