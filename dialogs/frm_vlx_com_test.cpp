#include "dialogs/frm_vlx_com.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "dialogs/testing/fake_addin.h"
#include "host/testing/test_documents.h"
#include "state/run_state.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"
#include "util/help.h"
#include "util/list_box_extent.h"

namespace dialogs {
namespace {

using Items = std::vector<std::string>;

class MainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* term : {"Agreement", "Purchase Price", "Seller"}) form_.lstTermsInDoc.AddItem(term);
    form_.SetVLXAddIn(&addIn_);
    form_.Show();
  }
  void TearDown() override { state::blnOptionsAccepted = false; }
  void addTerm(const std::string& text) {
    ui::script::Type(form_.txtAddTerm, text);
    ui::script::Click(form_.cmdAddTerm);
  }
  static std::vector<int> selected(const ui::ListBox& list) {
    std::vector<int> out;
    for (int i = 0; i < list.ListCount(); ++i)
      if (list.Selected(i)) out.push_back(i);
    return out;
  }
  std::string opened(std::size_t i) const { return std::filesystem::path(backend_.Opened().at(i)).filename().string(); }

  ui::script::Backend backend_;
  testing::FakeAddIn addIn_;
  frmVLX_COM form_;
};

TEST_F(MainDialogTest, ATermListedAmongTheFoundOnesOnceTrimmedIsReportedAndSelectedThere) {
  backend_.Answer("Already on list", ui::vbOK);
  addTerm("  Purchase Price ");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  const ui::Message& message = backend_.Messages()[0];
  EXPECT_EQ(message.prompt, "Purchase Price is already in the list of defined terms.");
  EXPECT_EQ(message.style, ui::vbOKOnly) << "an OK button and no icon";
  EXPECT_EQ(selected(form_.lstTermsInDoc), (std::vector<int>{1}));
  EXPECT_EQ(form_.lstTermsInDoc.ListIndex(), 1);
  EXPECT_EQ(form_.lstAddTerms.ListCount(), 0);
  EXPECT_EQ(form_.txtAddTerm.Text(), "  Purchase Price ") << "the box keeps its text";
}

TEST_F(MainDialogTest, ATermDifferingOnlyInCaseIsAddedSelectedAndTheBoxClearedAndFocused) {
  form_.lstAddTerms.AddItem("Buyer");
  addTerm("seller");
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), (Items{"Buyer", "seller"}));
  EXPECT_EQ(selected(form_.lstAddTerms), (std::vector<int>{1}));
  EXPECT_EQ(form_.txtAddTerm.Text(), "");
  EXPECT_EQ(form_.ActiveControl(), &form_.txtAddTerm);
  EXPECT_TRUE(backend_.Messages().empty());

  backend_.Answer("Already on list", ui::vbOK);
  addTerm("Buyer");
  EXPECT_EQ(form_.lstAddTerms.ListCount(), 2) << "already among the added terms";
  EXPECT_EQ(selected(form_.lstAddTerms), (std::vector<int>{0, 1}));
}

TEST_F(MainDialogTest, ABlankTermAddsAndShowsNothingButClearsTheBoxAndRefreshesTheExtent) {
  form_.lstAddTerms.AddItem("Buyer");
  form_.lstAddTerms.SetHorizontalExtent(999);
  addTerm("   ");
  EXPECT_EQ(form_.lstAddTerms.ListCount(), 1);
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_EQ(form_.txtAddTerm.Text(), "");
  EXPECT_EQ(form_.lstAddTerms.HorizontalExtent(), form_.TextWidth("Buyer")) << "the widest item, set anew";
}

TEST_F(MainDialogTest, TheExtentIsTheWidestItemOrTheWiderTypedTextPlusOneW) {
  addTerm("Completion Date");
  EXPECT_EQ(form_.lstAddTerms.HorizontalExtent(), form_.TextWidth("Completion Date")) << "typed as listed";
  addTerm("  Long Stop Date  ");
  EXPECT_EQ(form_.lstAddTerms.HorizontalExtent(), form_.TextWidth("  Long Stop Date  ") + form_.TextWidth("W"));
}

TEST_F(MainDialogTest, DeletingAsksThenRemovesOneItemPerSelectedTextEvenWhenTwoAreEqual) {
  backend_.Answer("Nothing deleted", ui::vbOK);
  ui::script::Click(form_.cmdDeleteTerm);
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "No items were selected for deletion.");
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly + ui::vbExclamation);

  for (const char* item : {"Term", "Long Term Debt", "Term", "Other"}) form_.lstAddTerms.AddItem(item);
  for (int i : {0, 1, 2}) form_.lstAddTerms.SetSelected(i, true);
  backend_.AnswerOnce("Confirm delete", ui::vbNo);
  ui::script::Click(form_.cmdDeleteTerm);
  EXPECT_EQ(form_.lstAddTerms.ListCount(), 4) << "No keeps them";
  EXPECT_EQ(backend_.Messages()[1].prompt, "Delete selected term(s) from list?");
  EXPECT_EQ(backend_.Messages()[1].Buttons(), ui::vbYesNo);

  backend_.AnswerOnce("Confirm delete", ui::vbYes);
  ui::script::Click(form_.cmdDeleteTerm);
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), (Items{"Other"}));
  EXPECT_EQ(form_.lstAddTerms.HorizontalExtent(), form_.TextWidth("Other")) << "shrinks to what is left";
}

TEST_F(MainDialogTest, SelectAndDeselectAllKeepTheCurrentItem) {
  ui::script::ClickItem(form_.lstTermsInDoc, 2);
  ui::script::Click(form_.cmdSelectAllTermsInDoc);
  EXPECT_EQ(selected(form_.lstTermsInDoc), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(form_.lstTermsInDoc.ListIndex(), 2);
  ui::script::Click(form_.cmdDeselectAllTermsInDoc);
  EXPECT_TRUE(selected(form_.lstTermsInDoc).empty());
  EXPECT_EQ(form_.lstTermsInDoc.ListIndex(), 2);

  form_.lstAddTerms.AddItem("Buyer");
  form_.lstAddTerms.AddItem("Deposit");
  ui::script::Click(form_.cmdSelectAllAddTerms);
  EXPECT_EQ(form_.lstAddTerms.SelCount(), 2);
  ui::script::Click(form_.cmdDeselectAllAddTerms);
  EXPECT_EQ(form_.lstAddTerms.SelCount(), 0);
}

TEST_F(MainDialogTest, CancelReturnsToTheRunsStartAndRemovesItsBookmarks) {
  using namespace host::testing;
  host::Document& doc = addIn_.app.Documents().Add(openBody(para(run("The Seller sells.")) + para(run("INDEX HERE"))));
  doc.Bookmarks().Add("ReturnHereBK", doc.Range(4, 4));
  doc.Bookmarks().Add("IndexBKStart", doc.Range(18, 18));
  state::blnOptionsAccepted = true;
  ui::script::Click(form_.cmdCancel);
  EXPECT_EQ(doc.SelectionRange().Start(), 4);
  EXPECT_FALSE(doc.Bookmarks().Exists("ReturnHereBK"));
  EXPECT_FALSE(doc.Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(form_.Tag(), "Cancel");
  EXPECT_FALSE(form_.Visible());
  EXPECT_TRUE(form_.Loaded()) << "the run unloads it";
}

TEST_F(MainDialogTest, CancelKeepsTheIndexBookmarkOfARunNotAcceptedAndNeedsNoBookmarks) {
  using namespace host::testing;
  host::Document& doc = addIn_.app.Documents().Add(openBody(para(run("Text"))));
  doc.Bookmarks().Add("IndexBKStart", doc.Range(2, 2));
  ui::script::PressKey(form_.lstTermsInDoc, ui::vbKeyEscape);  // Escape presses Cancel
  EXPECT_TRUE(doc.Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(form_.Tag(), "Cancel");
  EXPECT_FALSE(form_.Visible());
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(MainDialogTest, CancelStillClosesTheDialogWhenTheDocumentCannotBeReached) {
  backend_.Answer("Vellandex", ui::vbOK);
  ui::script::Click(form_.cmdCancel);  // no document is open
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt.rfind("Error: 5986 ", 0), 0u) << backend_.Messages()[0].prompt;
  EXPECT_EQ(form_.Tag(), "Cancel");
  EXPECT_FALSE(form_.Visible());
}

TEST_F(MainDialogTest, OkHandsTheDialogToTheAddIn) {
  ui::script::PressKey(form_.lstTermsInDoc, ui::vbKeyReturn);  // Enter presses OK
  EXPECT_EQ(addIn_.calls, (Items{"cmdOK_Click"}));
  EXPECT_EQ(addIn_.okForm, &form_);
  EXPECT_EQ(form_.Tag(), "") << "the OK path sets no Tag";
}

TEST_F(MainDialogTest, EachTabShowsItsOwnFrame) {
  EXPECT_TRUE(form_.fraTab(0).Visible());
  EXPECT_FALSE(form_.fraTab(2).Visible()) << "the first tab's frame from the start";
  ui::script::SelectTab(form_.tbcTabs, 2);
  EXPECT_FALSE(form_.fraTab(0).Visible());
  EXPECT_FALSE(form_.fraTab(1).Visible());
  EXPECT_TRUE(form_.fraTab(2).Visible());
  EXPECT_TRUE(form_.lblHelpClick.IsShown());
  EXPECT_FALSE(form_.chkBold.IsShown());
}

TEST_F(MainDialogTest, HelpButtonsLinksAndMenuItemsOpenTheirShippedPages) {
  ui::script::SelectTab(form_.tbcTabs, 2);
  for (ui::Control* control :
       std::vector<ui::Control*>{&form_.cmdFormHelp, &form_.lblHelpClick, &form_.cmdGettingStarted, &form_.cmdCreate,
                                 &form_.cmdDelete, &form_.cmdNoHighlight, &form_.cmdUpdate, &form_.cmdLists,
                                 &form_.cmdOptions, &form_.lblFAQClick, &form_.cmdFAQ})
    ui::script::Click(*control);
  ASSERT_EQ(backend_.Opened().size(), 11u);
  const Items pages{"getting-started.html", "getting-started.html", "getting-started.html",
                    "create-index.html",    "remove-indexing.html", "remove-highlighting.html",
                    "update-index.html",    "term-lists.html",      "options.html"};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(opened(i), pages[i]) << i;
    EXPECT_TRUE(std::filesystem::is_regular_file(backend_.Opened()[i])) << backend_.Opened()[i];
  }
  EXPECT_EQ(backend_.Opened()[9], util::FaqTarget(util::AddinFolder()));
  EXPECT_EQ(backend_.Opened()[10], backend_.Opened()[9]);
  EXPECT_EQ(form_.lblHelpClick.MousePointer(), ui::vbCustom) << "the hand over a link";
  EXPECT_EQ(form_.lblFAQClick.MousePointer(), ui::vbCustom);
  EXPECT_EQ(form_.MousePointer(), ui::vbDefault);
}

TEST_F(MainDialogTest, TheAboutBoxOpensModallyFromTheMenuAndThePictureAndIsUnloadedAfter) {
  int shown = 0;
  backend_.OnModal("frmVLXAbout_COM", [&](ui::Form& about) {
    ++shown;
    ui::script::Click(*about.FindControl("cmdOK"));
  });
  ui::script::Click(form_.cmdAbout);
  ui::script::Click(form_.imgAbout);
  EXPECT_EQ(shown, 2);
  for (const ui::Form* loaded : ui::Forms()) EXPECT_NE(loaded->Name(), "frmVLXAbout_COM");
}

TEST_F(MainDialogTest, TheExplanationTakesTheListsRoomWhenNothingWasFound) {
  const int shortHeight = form_.lblTermsInDoc.Height();
  EXPECT_LE(form_.lblTermsInDoc.Top() + shortHeight, form_.frameTermsInDoc.Top()) << "above the list";
  form_.Hide();
  form_.frameTermsInDoc.SetVisible(false);
  form_.Show();
  EXPECT_EQ(form_.lblTermsInDoc.Top() + form_.lblTermsInDoc.Height(),
            form_.frameTermsInDoc.Top() + form_.frameTermsInDoc.Height());
  form_.Hide();
  form_.frameTermsInDoc.SetVisible(true);
  form_.Show();
  EXPECT_EQ(form_.lblTermsInDoc.Height(), shortHeight);
}

}  // namespace
}  // namespace dialogs
