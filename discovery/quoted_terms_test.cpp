#include "discovery/quoted_terms.h"

#include "dialogs/frm_vlx_remove_articles.h"
#include "dialogs/quote_lists.h"
#include "discovery/discovery_test_fixture.h"
#include "discovery/quoted_list_refresh.h"
#include "discovery/run_notices.h"
#include "engine/testing/forwarding_engine.h"
#include "host/platform/error.h"
#include "ui/script/user.h"

namespace discovery {
namespace {

using namespace discovery::testing;
using Terms = std::vector<std::string>;

const std::string kOpen = "\u201C", kClose = "\u201D";

// The engine, except that it cannot identify terms in one story: a search failing part way.
class FailingInStory : public engine::testing::ForwardingEngine {
 public:
  explicit FailingInStory(int storyType) : storyType_(storyType) {}
  std::vector<std::string> fncIdentifyTerm(host::Range& range, std::vector<std::string>& list,
                                           std::string& indexType) override {
    if (range.StoryType() == storyType_) throw host::Error(5, "Invalid procedure call or argument");
    return ForwardingEngine::fncIdentifyTerm(range, list, indexType);
  }

 private:
  int storyType_;
};

class QuotedTerms : public DiscoveryTest {
 protected:
  Terms find(host::Document& doc, bool bold = false, int openCode = 147, int closeCode = 148) {
    Terms terms{"left over"};
    fncFindQuotedTerms(terms, doc, form_, bold, openCode, closeCode, true);
    return terms;
  }
  // A document with a term in the main text and one in a footnote.
  host::Document& noted(const std::string& main, const std::string& note) {
    return open(p(main) + para(run("x") + footnoteRef(1)), {p(note)});
  }
};

TEST_F(QuotedTerms, CurlyAndStraightQuotesGiveTheSameTermsInTheOrderFirstMet) {
  const std::string text = "the %Seller% and the %Buyer%; the %Seller% again and %Price%";
  auto quoted = [&](const std::string& open, const std::string& close) {
    std::string out;
    bool opening = true;
    for (char c : text) {
      if (c != '%') out += c;
      else out += opening ? open : close;
      if (c == '%') opening = !opening;
    }
    return out;
  };
  host::Document& curly = noted(quoted(kOpen, kClose),
                                "the " + kOpen + "Note" + kClose + " and " + kOpen + "Buyer" + kClose);
  host::Document& straight = noted(quoted("\"", "\""), "the \"Note\" and \"Buyer\"");
  const Terms expected{"Seller", "Buyer", "Price", "Note"};
  EXPECT_EQ(find(curly), expected);
  EXPECT_EQ(find(straight), expected);
  // The quotes stay straight until the run's restore step.
  EXPECT_EQ(storyText(curly, host::wdMainTextStory).substr(0, 12), "the \"Seller\"");
  EXPECT_FALSE(app_.Options().AutoFormatAsYouTypeReplaceQuotes);
}

TEST_F(QuotedTerms, TheBoldFlagLooksAtTheFirstAndLastCharacters) {
  host::Document& doc = open(p("the \"*Purchase* of *Price*\" and \"*Buyer* Group\" and \"Seller\""));
  EXPECT_EQ(find(doc, true), (Terms{"Purchase of Price"}));
  EXPECT_EQ(find(doc, false), (Terms{"Purchase of Price", "Buyer Group", "Seller"}));
}

TEST_F(QuotedTerms, CaseCountsAndSpacesAloneAreNoTerm) {
  host::Document& doc = noted("\"Term\" and \"term\" and \"   \" and \" Padded \"", "\"Term\" again");
  EXPECT_EQ(find(doc), (Terms{"Term", "term", "Padded"}));
}

TEST_F(QuotedTerms, APairOverAParagraphMarkIsOneTermHoldingTheMark) {
  host::Document& doc = open(p("the \"Split") + p("Term\" here"));
  EXPECT_EQ(find(doc), (Terms{"Split\rTerm"}));
}

TEST_F(QuotedTerms, NothingFoundHidesTheListAndExplains) {
  host::Document& doc = open(p("no quotes at all"));
  EXPECT_EQ(find(doc), (Terms{""}));
  EXPECT_FALSE(form_.lstTermsInDoc.Visible());
  EXPECT_FALSE(form_.frameTermsInDoc.Visible());
  EXPECT_FALSE(form_.cmdSelectAllTermsInDoc.Visible());
  EXPECT_EQ(form_.lblTermsInDoc.Caption().substr(0, 46), "No defined terms were found in this document. ");
  EXPECT_NE(form_.lblTermsInDoc.Caption().find("they won't be listed.\r\n\r\nYou can type"), std::string::npos);

  host::Document& found = open(p("the \"Buyer\""));
  EXPECT_EQ(find(found), (Terms{"Buyer"}));
  EXPECT_TRUE(form_.lstTermsInDoc.Visible());
  EXPECT_TRUE(form_.cmdDeselectAllTermsInDoc.Visible());
  EXPECT_EQ(form_.lblTermsInDoc.Caption(),
            "The following defined terms were found in your document.  \r\n\r\nSelect which terms you want to "
            "index.  You can specify additional terms for indexing in the 'Add terms for indexing' section below.");
}

TEST_F(QuotedTerms, AStoryThatCannotBeSearchedKeepsTheOtherStoriesTermsAndIsNamed) {
  state::pubEngine = std::make_shared<FailingInStory>(host::wdFootnotesStory);
  host::Document& doc = open(p("the \"Buyer\"") + para(run("x") + footnoteRef(1)), {p("the \"Note\"")},
                             {p("the \"Endnote\"")});
  ui_.Answer("Error finding terms in footnotes", ui::vbOK);
  EXPECT_EQ(find(doc), (Terms{"Buyer", "Endnote"}));
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].prompt, "Error: 5 Invalid procedure call or argument");
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr) << "the progress window is closed";
}

TEST_F(QuotedTerms, TheArticleLoopMovesTickedQuotesAndAsksAgainUntilNothingIsTicked) {
  host::Document& doc = noted("the \"the Company\" and \"The Board\" and \"a Party\" and \"A\" and \"Any Lender\"",
                              "by \"the Company\"");
  std::vector<std::vector<std::string>> offered;
  ui_.OnModal("frmVLXRemoveArticles", [&](ui::Form& f) {
    auto& dialog = static_cast<dialogs::frmVLXRemoveArticles&>(f);
    offered.push_back({});
    for (int i = 0; i < dialog.lstTerms.ListCount(); ++i) {
      offered.back().push_back(dialog.lstTerms.List(i));
      EXPECT_FALSE(dialog.lstTerms.Selected(i));
    }
    if (offered.size() == 1) ui::script::ClickItem(dialog.lstTerms, 3);  // "the Company"
    ui::script::Click(dialog.cmdOK);
  });
  const Terms terms = find(doc);
  // Sorted, the article alone left out; the second time without the moved term.
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0], (std::vector<std::string>{"Any Lender", "The Board", "a Party", "the Company"}));
  EXPECT_EQ(offered[1], (std::vector<std::string>{"Any Lender", "The Board", "a Party"}));
  EXPECT_EQ(terms, (Terms{"Company", "The Board", "a Party", "A", "Any Lender"}));
  // The quote moved in the main text and in the footnote; "The Board" kept its capital.
  EXPECT_EQ(storyText(doc, host::wdMainTextStory).substr(0, 34), "the the \"Company\" and \"The Board\" ");
  EXPECT_EQ(storyText(doc, host::wdFootnotesStory), "by the \"Company\"\r");
}

TEST_F(QuotedTerms, CancellingOrClosingTheArticleDialogKeepsTheTermsAsFound) {
  for (bool closeBox : {false, true}) {
    host::Document& doc = open(p("the \"the Company\""));
    ui_.OnModalOnce("frmVLXRemoveArticles", [closeBox](ui::Form& f) {
      auto& dialog = static_cast<dialogs::frmVLXRemoveArticles&>(f);
      ui::script::ClickItem(dialog.lstTerms, 0);
      if (closeBox) ui::script::CloseWindow(dialog);
      else ui::script::Click(dialog.cmdCancel);
    });
    EXPECT_EQ(find(doc), (Terms{"the Company"})) << closeBox;
    EXPECT_EQ(storyText(doc, host::wdMainTextStory), "the \"the Company\"\r") << closeBox;
  }
}

TEST_F(QuotedTerms, GuillemetQuotesAreFoundAndMovedAsThemselves) {
  host::Document& doc = open(p("the \u00ABthe Company\u00BB and \u00ABSeller\u00BB"));
  ui_.OnModalOnce("frmVLXRemoveArticles", [](ui::Form& f) {
    auto& dialog = static_cast<dialogs::frmVLXRemoveArticles&>(f);
    ui::script::ClickItem(dialog.lstTerms, 0);
    ui::script::Click(dialog.cmdOK);
  });
  EXPECT_EQ(find(doc, false, 171, 187), (Terms{"Company", "Seller"}));
  EXPECT_EQ(storyText(doc, host::wdMainTextStory), "the the \u00ABCompany\u00BB and \u00ABSeller\u00BB\r");
}

TEST_F(QuotedTerms, TheRefreshSearchesWithTheOptionsOnScreenAndWarnsOnceARun) {
  host::Document& doc = open(p("the \"Tab\tTerm\" and \"*Bold*\" and \"Line\vBreak\""));
  dialogs::FillQuoteLists(form_);
  form_.chkBold.SetValue(ui::vbUnchecked);
  ResetRunNotices();
  ui_.Answer("Tabs/returns found in terms", ui::vbOK);
  RefreshQuotedTermsList(app_, doc, form_, "IndexAll");
  EXPECT_EQ(state::arrFoundTerms, (Terms{"Tab\tTerm", "Bold", "Line\vBreak"}));
  EXPECT_TRUE(form_.lstTermsInDoc.Visible());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].style, ui::vbOKOnly + ui::vbExclamation);
  EXPECT_EQ(form_.StatusBar1.SimpleText(), "") << "the status bar is cleared at the end";

  form_.chkBold.SetValue(ui::vbChecked);
  RefreshQuotedTermsList(app_, doc, form_, "IndexAll");
  EXPECT_EQ(state::arrFoundTerms, (Terms{"Bold"}));
  form_.chkBold.SetValue(ui::vbUnchecked);
  RefreshQuotedTermsList(app_, doc, form_, "IndexAll");
  EXPECT_EQ(ui_.Messages().size(), 1u) << "the warning is shown once a run";
  ResetRunNotices();
  RefreshQuotedTermsList(app_, doc, form_, "IndexAll");
  EXPECT_EQ(ui_.Messages().size(), 2u);
}

}  // namespace
}  // namespace discovery
