#include "discovery/quote_pairs.h"

#include "dialogs/frm_vlx_change_quotes.h"
#include "discovery/discovery_test_fixture.h"
#include "discovery/story_panes.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/script/user.h"

namespace discovery {
namespace {

using namespace discovery::testing;

const std::string kOpen = "\u201C", kClose = "\u201D";

class QuotePairs : public DiscoveryTest {
 protected:
  // The check as the gathering stage runs it: every quote curly first.
  bool check(host::Document& doc, int& openCode, int& closeCode) {
    app_.Options().AutoFormatAsYouTypeReplaceQuotes = true;
    RunEngineForTest().SmartQuoteToggle(doc);
    return fncCheckQuotePairs(app_, doc, openCode, closeCode);
  }
  engine::_clsOSVLXLib& RunEngineForTest() { return *state::pubEngine; }
};

TEST_F(QuotePairs, StraightCodesPassAnEvenCountAndNameTheStoryWithTheOddOne) {
  host::Document& even = open(p("the \"Buyer\" and") + para(run("x") + footnoteRef(1)), {p("a \"Note\" here")});
  int open34 = 34, close34 = 34;
  EXPECT_FALSE(fncCheckQuotePairs(app_, even, open34, close34));
  EXPECT_TRUE(ui_.Messages().empty());

  host::Document& odd = open(p("the \"Buyer\" and") + para(run("x") + footnoteRef(1)), {p("a \"Note here")});
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbNo);
  ui_.Answer("Cannot index", ui::vbOK);
  state::blnOptionsAccepted = true;
  EXPECT_TRUE(fncCheckQuotePairs(app_, odd, open34, close34));
  EXPECT_FALSE(state::blnOptionsAccepted);
  ASSERT_EQ(titles(), (std::vector<std::string>{"Mis-matched double quotes", "Vellandex", "Cannot index"}));
  const ui::Message& mismatch = ui_.Messages()[0];
  EXPECT_EQ(mismatch.style, ui::vbYesNo + ui::vbExclamation);
  EXPECT_EQ(mismatch.prompt,
            "There is a mis-matched pair of double quotes in your document's footnotes.\r\n\r\n"
            "Vellandex cannot index documents where there is an odd number of double quotes.  If an open quote is "
            "not matched with a close quote, VLX can't recognize where terms begin and end properly - the same "
            "thing goes if close quotes aren't matched with open quotes.\r\n\r\nYou may be seeing this message "
            "because the double quotes style in your document doesn't match what VLX is looking for.  You can "
            "change the double quotes style by clicking No and selecting the correct style.\r\n\r\nOr you can "
            "click Yes to let VLX highlight all the double quotes it recognizes in your document to help you find "
            "the stray one(s).\r\n\r\nDo you want to highlight the double quotes in your document's footnotes?");
  EXPECT_EQ(ui_.Messages()[1].style, ui::vbYesNo + ui::vbQuestion);
  EXPECT_EQ(ui_.Messages()[2].prompt,
            "Please go through your document to make sure there are no extra double quotation marks before trying "
            "to index again.");
  EXPECT_EQ(ui_.Messages()[2].style, ui::vbOKOnly + ui::vbCritical);
}

TEST_F(QuotePairs, TheCurlyPairToleratesAnEvenDifferenceOnly) {
  // Three open and one close quote: a difference of two passes.
  host::Document& passes = open(p(kOpen + "A" + kOpen + "B" + kOpen + "C" + kClose));
  int openCode = 147, closeCode = 148;
  EXPECT_FALSE(fncCheckQuotePairs(app_, passes, openCode, closeCode));
  host::Document& fails = open(p(kOpen + "A" + kOpen + "B" + kOpen + "C" + kClose + " x" + kClose));
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbNo);
  ui_.Answer("Cannot index", ui::vbOK);
  EXPECT_TRUE(fncCheckQuotePairs(app_, fails, openCode, closeCode));
  EXPECT_NE(ui_.Messages()[0].prompt.find("document's main body."), std::string::npos);
}

TEST_F(QuotePairs, OtherPairsOfDifferentCharactersMustCountAlike) {
  // Guillemets, two open and none closed: calling this balanced would hide the stray quotes.
  host::Document& doc = open(p("\u00ABSeller\u00BB and \u00ABBuyer and \u00ABDate"));
  int openCode = 171, closeCode = 187;
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbNo);
  ui_.Answer("Cannot index", ui::vbOK);
  EXPECT_TRUE(fncCheckQuotePairs(app_, doc, openCode, closeCode));
  host::Document& balanced = open(p("\u00ABSeller\u00BB and \u00ABBuyer\u00BB"));
  EXPECT_FALSE(fncCheckQuotePairs(app_, balanced, openCode, closeCode));
}

TEST_F(QuotePairs, TheFirstUnbalancedStoryEndsTheCheck) {
  host::Document& doc = open(p("\"A") + para(run("x") + footnoteRef(1)), {p("\"B")});
  int openCode = 34, closeCode = 34;
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbNo);
  ui_.Answer("Cannot index", ui::vbOK);
  EXPECT_TRUE(fncCheckQuotePairs(app_, doc, openCode, closeCode));
  EXPECT_EQ(titles().size(), 3u);
  EXPECT_NE(ui_.Messages()[0].prompt.find("main body"), std::string::npos);
}

TEST_F(QuotePairs, YesHighlightsEveryQuoteOfThatStoryAndStillRefuses) {
  host::Document& doc = open(p("\"A\" and \"B") + para(run("x") + footnoteRef(1)), {p("\"Note\"")});
  int openCode = 147, closeCode = 148;
  ui_.Answer("Mis-matched double quotes", ui::vbYes);
  ui_.Answer("Cannot index", ui::vbOK);
  EXPECT_TRUE(check(doc, openCode, closeCode));
  EXPECT_EQ(ui_.Messages()[1].prompt,
            "Double quotes have been highlighted in your document's main body.  You can remove the highlighting "
            "from these double quotes by clicking:\r\n\r\nTools > Vellandex > Remove highlighting only\r\n\r\n"
            "Please go through your document to make sure there are no extra double quotation marks before trying "
            "to index again.");
  // Every quote of the main text is red on 5 % grey and back in the user's curly form; the
  // footnote's are untouched.
  const std::string main = storyText(doc, host::wdMainTextStory);
  EXPECT_EQ(main.substr(0, main.find(" and")), kOpen + "A" + kClose);
  for (long pos : {0L, 2L, 8L}) {
    host::Range quote = doc.Range(pos, pos + 1);
    EXPECT_EQ(quote.HighlightColorIndex(), host::wdRed) << pos;
    EXPECT_EQ(quote.Font().Color(), 15987699) << pos;
  }
  EXPECT_EQ(doc.Range(1, 2).HighlightColorIndex(), host::wdNoHighlight);
  host::Range note = doc.StoryRanges().Item(host::wdFootnotesStory);
  note.SetRange(note.Start(), note.Start() + 1);
  EXPECT_EQ(note.HighlightColorIndex(), host::wdNoHighlight);
  EXPECT_EQ(app_.Options().DefaultHighlightColorIndex, 7);
}

TEST_F(QuotePairs, ANewQuoteStyleChecksEveryStoryAgainWithTheNewCodes) {
  host::Document& stray = open(p("\u00ABSeller\u00BB and \u00ABBuyer"));
  int openCode = 171, closeCode = 187;
  int shown = 0;
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbYes);
  ui_.OnModal("frmVLXChangeQuotes", [&](ui::Form& f) {
    ++shown;
    auto& form = static_cast<dialogs::frmVLXChangeQuotes&>(f);
    ui::script::Choose(form.cmbOpenQuote, shown == 1 ? 3 : 0);  // guillemets again, then curly
    ui::script::Choose(form.cmbCloseQuote, shown == 1 ? 4 : 1);
    ui::script::Click(form.cmdOK);
  });
  // Guillemets stay unbalanced, so the user is asked again; the text holds no curly quote,
  // so the curly pair balances and the check lets the run go on with it.
  EXPECT_FALSE(fncCheckQuotePairs(app_, stray, openCode, closeCode));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(titles(), (std::vector<std::string>{"Mis-matched double quotes", "Vellandex", "Mis-matched double quotes",
                                                "Vellandex"}));
  EXPECT_EQ(openCode, 147);
  EXPECT_EQ(closeCode, 148);
  EXPECT_EQ(settings::fncReadIni(settings::kSection, settings::kCloseQuote), "148");
}

TEST_F(QuotePairs, CancellingTheQuoteStyleRefusesToIndex) {
  host::Document& doc = open(p("\"A"));
  int openCode = 34, closeCode = 34;
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbYes);
  ui_.Answer("Cannot index", ui::vbOK);
  ui_.OnModal("frmVLXChangeQuotes", [](ui::Form& f) { ui::script::CloseWindow(f); });
  EXPECT_TRUE(fncCheckQuotePairs(app_, doc, openCode, closeCode));
  EXPECT_EQ(openCode, 34);
  EXPECT_EQ(ui_.Messages().back().prompt.substr(0, 22), "Please go through your");
}

TEST_F(QuotePairs, FailuresAreReportedUnderTheirStepAndLetTheRunGoOn) {
  host::Document& doc = open(p("\"A"));
  ui_.Answer("Error counting quotes", ui::vbOK);
  EXPECT_EQ(fncCountQuotes(app_, doc, 34, 34, host::Range()), kCountFailed);
  EXPECT_EQ(ui_.Messages().back().prompt.substr(0, 10), "Error: 91 ");

  ui_.Answer("Error highlighting quotes", ui::vbOK);
  EXPECT_FALSE(fncHighlightQuoteChar(app_, doc, 34, host::wdEndnotesStory));  // no endnotes to show
  EXPECT_EQ(ui_.Messages().back().title, "Error highlighting quotes");
  EXPECT_EQ(app_.Options().DefaultHighlightColorIndex, 7);
}

TEST_F(QuotePairs, PanesFollowTheViewType) {
  host::Document& doc = open(p("Main") + para(run("x") + footnoteRef(1)), {p("Note")});
  ShowFootnotesPane(doc);  // print layout: the view looks at the footnotes
  EXPECT_EQ(doc.ActiveWindow().View().SeekView(), host::wdSeekFootnotes);
  EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdFootnotesStory);
  ShowMainDocumentPane(doc);
  EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdMainTextStory);
  doc.ActiveWindow().View().SetType(host::wdNormalView);
  ShowFootnotesPane(doc);  // other views open the footnotes pane
  EXPECT_EQ(doc.ActiveWindow().View().SplitSpecial(), host::wdPaneFootnotes);
  ShowMainDocumentPane(doc);
  EXPECT_EQ(doc.ActiveWindow().View().SplitSpecial(), host::wdPaneNone);
}

}  // namespace
}  // namespace discovery
