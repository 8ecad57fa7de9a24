#include <gtest/gtest.h>

#include "dialogs/frm_vlx_change_quotes.h"
#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_remove_articles.h"
#include "dialogs/quote_lists.h"
#include "host/testing/temp_folder.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/locations.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace dialogs {
namespace {

class QuoteDialogs : public ::testing::Test {
 protected:
  void SetUp() override { settings::SetIniPath(folder_.path().string()); }
  void TearDown() override { settings::SetIniPath(""); }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
};

TEST_F(QuoteDialogs, QuoteListsOfferTheFiveCharactersWithTheirCodes) {
  frmVLX_COM form;
  form.cmbOpenQuote.AddItem("left over");
  FillQuoteLists(form);
  ASSERT_EQ(form.cmbOpenQuote.ListCount(), 5);
  const char* characters[] = {"\u201C", "\u201D", "\u201E", "\u00AB", "\u00BB"};
  const int codes[] = {147, 148, 132, 171, 187};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(form.cmbOpenQuote.List(i), characters[i]);
    EXPECT_EQ(form.cmbCloseQuote.ItemData(i), codes[i]);
  }
  EXPECT_EQ(form.cmbOpenQuote.ListIndex(), 0);
  EXPECT_EQ(form.cmbCloseQuote.ListIndex(), 1);
}

TEST_F(QuoteDialogs, TheSelectorPicksEachCodeAndLeavesAListWhoseCodeIsNotOffered) {
  frmVLX_COM form;
  FillQuoteLists(form);
  SelectQuoteCombination(form, 171, 187);
  EXPECT_EQ(SelectedQuoteCode(form.cmbOpenQuote, 0), 171);
  EXPECT_EQ(SelectedQuoteCode(form.cmbCloseQuote, 0), 187);
  SelectQuoteCombination(form, 34, 148);  // the straight quote is not in the lists
  EXPECT_EQ(SelectedQuoteCode(form.cmbOpenQuote, 0), 171);
  EXPECT_EQ(SelectedQuoteCode(form.cmbCloseQuote, 0), 148);
  form.cmbOpenQuote.Clear();
  EXPECT_EQ(SelectedQuoteCode(form.cmbOpenQuote, 147), 147);
}

TEST_F(QuoteDialogs, ChangeQuotesStartsOnTheStoredPairAndOKStoresTheChosenOne) {
  settings::fncWriteIni(settings::kSection, settings::kOpenQuote, "132");
  settings::fncWriteIni(settings::kSection, settings::kCloseQuote, "148");
  backend_.OnModal("frmVLXChangeQuotes", [](ui::Form& f) {
    auto& form = static_cast<frmVLXChangeQuotes&>(f);
    EXPECT_EQ(form.cmbOpenQuote.Text(), "\u201E");
    EXPECT_EQ(form.cmbCloseQuote.Text(), "\u201D");
    ui::script::Choose(form.cmbOpenQuote, 3);
    ui::script::Choose(form.cmbCloseQuote, 4);
    ui::script::Click(form.cmdOK);
  });
  frmVLXChangeQuotes dialog;
  dialog.Show(ui::vbModal);
  EXPECT_EQ(dialog.Tag(), "OK");
  EXPECT_EQ(settings::fncReadIni(settings::kSection, "openquote"), "171");
  EXPECT_EQ(settings::fncReadIni(settings::kSection, "closeQuote"), "187");
}

TEST_F(QuoteDialogs, ChangeQuotesCancelledOrClosedStoresNothing) {
  settings::fncWriteIni(settings::kSection, settings::kOpenQuote, "147");
  for (bool closeBox : {false, true}) {
    backend_.OnModalOnce("frmVLXChangeQuotes", [closeBox](ui::Form& f) {
      auto& form = static_cast<frmVLXChangeQuotes&>(f);
      ui::script::Choose(form.cmbOpenQuote, 4);
      if (closeBox) ui::script::CloseWindow(form);
      else ui::script::Click(form.cmdCancel);
    });
    frmVLXChangeQuotes dialog;
    dialog.Show(ui::vbModal);
    EXPECT_EQ(dialog.Tag(), "Cancel") << closeBox;
    EXPECT_EQ(settings::fncReadIni(settings::kSection, settings::kOpenQuote), "147") << closeBox;
  }
}

TEST_F(QuoteDialogs, RemoveArticlesIsATickListWhoseCloseBoxCancels) {
  frmVLXRemoveArticles dialog;
  dialog.lstTerms.AddItem("the Company");
  dialog.lstTerms.AddItem("a Party");
  backend_.OnModalOnce("frmVLXRemoveArticles", [](ui::Form& f) {
    auto& form = static_cast<frmVLXRemoveArticles&>(f);
    ui::script::ClickItem(form.lstTerms, 1);
    ui::script::ClickItem(form.lstTerms, 0);
    ui::script::ClickItem(form.lstTerms, 1);  // a second click takes the tick away
    ui::script::Click(form.cmdOK);
  });
  dialog.Show(ui::vbModal);
  EXPECT_EQ(dialog.Tag(), "OK");
  EXPECT_TRUE(dialog.lstTerms.Selected(0));
  EXPECT_FALSE(dialog.lstTerms.Selected(1));

  backend_.OnModalOnce("frmVLXRemoveArticles", [](ui::Form& f) { ui::script::CloseWindow(f); });
  dialog.Show(ui::vbModal);
  EXPECT_EQ(dialog.Tag(), "Cancel");
}

}  // namespace
}  // namespace dialogs
