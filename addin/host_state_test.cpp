#include "addin/host_state.h"

#include "discovery/discovery_test_fixture.h"
#include "host/model/fields.h"
#include "host/model/window.h"
#include "host/platform/error.h"

namespace addin {
namespace {

using namespace discovery::testing;

class HostState : public DiscoveryTest {
 protected:
  // A document with an earlier run's index entry in the main text.
  host::Document& indexed() {
    host::Document& doc = open(p("The Seller pays the Buyer."));
    doc.Indexes().MarkEntry(doc.Range(4, 10), "Seller", "\\f \"VellandexIndex\"");
    state::pubWdDoc = &doc;
    return doc;
  }
  // The user's own settings, none of them the defaults.
  void userSettings(host::Document& doc) {
    app_.Options().CheckSpellingAsYouType = false;
    app_.Options().CheckGrammarAsYouType = true;
    app_.Options().AllowFastSave = true;
    doc.SetShowSpellingErrors(false);
    doc.SetShowGrammaticalErrors(true);
    doc.ActiveWindow().View().SetShowHiddenText(true);
    state::blnSavedCheckSpelling = state::blnSavedCheckGrammar = false;
    state::blnSavedShowSpellingErrors = state::blnSavedShowGrammaticalErrors = false;
  }
  void expectUserSettings(host::Document& doc) {
    EXPECT_FALSE(app_.Options().CheckSpellingAsYouType);
    EXPECT_TRUE(app_.Options().CheckGrammarAsYouType);
    EXPECT_TRUE(app_.Options().AllowFastSave);
    EXPECT_FALSE(doc.ShowSpellingErrors());
    EXPECT_TRUE(doc.ShowGrammaticalErrors());
    EXPECT_TRUE(doc.ActiveWindow().View().ShowHiddenText());
  }
};

TEST_F(HostState, TheQuotedPreparationMarksTheIndexPlaceAndClearsEarlierIndexing) {
  host::Document& doc = indexed();
  userSettings(doc);
  doc.ActiveWindow().View().SetShowAll(true);
  doc.Select(doc.Range(4, 10));
  PrepareFlaggedSearch(app_, doc);
  EXPECT_FALSE(app_.Options().AllowFastSave);
  EXPECT_FALSE(doc.ActiveWindow().View().ShowAll());
  EXPECT_FALSE(doc.ActiveWindow().View().ShowHiddenText());
  EXPECT_TRUE(state::blnSavedShowHiddenText);
  ASSERT_TRUE(doc.Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(doc.Bookmarks().Item("IndexBKStart").Start(), 4);
  EXPECT_EQ(doc.Bookmarks().Item("IndexBKStart").End(), 4);
  EXPECT_EQ(doc.Content().Fields().Count(), 0);
  EXPECT_TRUE(app_.ScreenUpdating());
  // The end of the run gives back every setting the user had, those the quoted path never
  // switched included.
  RestoreWordSettings(app_, doc, state::blnSavedReplaceQuotes, state::blnSavedShowHiddenText,
                      state::blnSavedAllowFastSave);
  expectUserSettings(doc);
  EXPECT_FALSE(doc.ActiveWindow().View().ShowAll()) << "ShowAll is not put back";
}

TEST_F(HostState, AnExistingIndexKeepsItsPlace) {
  host::Document& doc = open(p("Index here") + p("The Seller."));
  doc.Bookmarks().Add("VellandexIndex", doc.Range(0, 10));
  PrepareFlaggedSearch(app_, doc);
  EXPECT_FALSE(doc.Bookmarks().Exists("IndexBKStart"));
}

TEST_F(HostState, TheCapitalisedPreparationSwitchesCheckingOffAndPreparesInItsWindow) {
  host::Document& doc = indexed();
  userSettings(doc);
  app_.Options().AutoFormatAsYouTypeReplaceQuotes = false;
  PrepareInitCapsSearch(app_, doc);
  EXPECT_FALSE(app_.Options().CheckSpellingAsYouType);
  EXPECT_FALSE(app_.Options().CheckGrammarAsYouType);
  EXPECT_FALSE(doc.ShowGrammaticalErrors());
  EXPECT_FALSE(doc.ShowSpellingErrors());
  EXPECT_FALSE(doc.ActiveWindow().View().ShowHiddenText());
  EXPECT_FALSE(state::blnSavedReplaceQuotes);
  EXPECT_TRUE(state::blnSavedAllowFastSave);
  EXPECT_EQ(doc.Content().Fields().Count(), 0) << "the preparing window ran its job";
  // A second pass finds nothing more to change.
  const std::string text = doc.Content().Text();
  PrepareDocument();
  EXPECT_EQ(doc.Content().Text(), text);
  RestoreWordSettings(app_, doc, state::blnSavedReplaceQuotes, state::blnSavedShowHiddenText,
                      state::blnSavedAllowFastSave);
  expectUserSettings(doc);
}

TEST_F(HostState, RestoringGivesTheQuotesTheirFormAndStopsSilentlyOnAFailure) {
  host::Document& doc = open(p("the \"Seller\""));
  RestoreWordSettings(app_, doc, true, false, false);
  EXPECT_EQ(doc.Content().Text(), "the \u201CSeller\u201D\r");
  doc.ActiveWindow().View().SetShowHiddenText(true);
  state::pubEngine.reset();
  app_.SetScreenUpdating(false);
  RestoreWordSettings(app_, doc, false, false, false);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_TRUE(app_.ScreenUpdating());
  EXPECT_TRUE(doc.ActiveWindow().View().ShowHiddenText()) << "what came after the failure is not written";
}

TEST_F(HostState, TheViewGoesBackToPrintLayoutOnThePaneOrTheWindow) {
  host::Document& doc = open(p("Main") + para(run("x") + footnoteRef(1)), {p("Note")});
  host::Window window = doc.ActiveWindow();
  window.View().SetType(host::wdNormalView);
  window.SetSplitVertical(40);
  ResetDocView(doc, app_);
  EXPECT_EQ(window.SplitVertical(), 0);
  EXPECT_EQ(window.View().Type(), host::wdPrintView);

  window.View().SetType(host::wdNormalView);
  window.View().SetSplitSpecial(host::wdPaneFootnotes);
  EXPECT_TRUE(fncSetPrintView(doc));
  EXPECT_EQ(window.View().Type(), host::wdPrintView);
  RestoreViewType(doc, host::wdNormalView);
  EXPECT_EQ(window.View().Type(), host::wdNormalView);
  EXPECT_THROW(RestoreViewType(doc, 99), host::Error);
  EXPECT_TRUE(ui_.Messages().empty());
}

}  // namespace
}  // namespace addin
