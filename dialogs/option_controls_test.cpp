#include "dialogs/option_controls.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_options.h"
#include "dialogs/quote_lists.h"
#include "state/run_state.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace dialogs {
namespace {

constexpr const char* kReminder =
    "You'll need to click the 'Find terms and refresh list' button to refresh the 'Terms found in document' list.";

// The six controls that only searches for terms in quotes use.
std::vector<const ui::Control*> quoteControls(const OptionControls& form) {
  return {&form.lblOpenQuote,  &form.cmbOpenQuote,    &form.lblCloseQuote,
          &form.cmbCloseQuote, &form.optIndexWhat(0), &form.optIndexWhat(1)};
}

class OptionControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (OptionControls* form : {static_cast<OptionControls*>(&main_), static_cast<OptionControls*>(&options_)}) {
      FillQuoteLists(*form);
      state::blnLoadingOptions = true;
      form->optSearchType(0).SetValue(true);
      form->optIndexWhat(0).SetValue(true);
      state::blnLoadingOptions = false;
    }
    main_.Show();
    options_.Show();
  }
  void TearDown() override { state::blnInitCapsGathering = false; }
  int reminders() const {
    return static_cast<int>(std::count_if(backend_.Messages().begin(), backend_.Messages().end(),
                                          [](const ui::Message& m) { return m.title == "Refresh terms list"; }));
  }

  ui::script::Backend backend_;
  frmVLX_COM main_;
  frmVLXOptions options_;
};

TEST_F(OptionControlsTest, CapitalisedWordsDisableTheQuoteControlsAndTheMainDialogRemindsOnce) {
  backend_.Answer("Refresh terms list", ui::vbOK);
  ui::script::Click(main_.optSearchType(1));
  for (const ui::Control* control : quoteControls(main_)) EXPECT_FALSE(control->Enabled()) << control->Name();
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, kReminder);
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly + ui::vbInformation);

  ui::script::Click(main_.optSearchType(0));
  for (const ui::Control* control : quoteControls(main_)) EXPECT_TRUE(control->Enabled()) << control->Name();
  EXPECT_EQ(reminders(), 2);

  ui::script::Click(options_.optSearchType(1));
  for (const ui::Control* control : quoteControls(options_)) EXPECT_FALSE(control->Enabled()) << control->Name();
  EXPECT_EQ(reminders(), 2) << "the options dialog has no found list to refresh";
}

TEST_F(OptionControlsTest, WhileCodeSetsTheOptionsTheSearchTypeButtonsDoNothing) {
  state::blnLoadingOptions = true;
  main_.optSearchType(1).SetValue(true);
  state::blnLoadingOptions = false;
  EXPECT_TRUE(main_.cmbOpenQuote.Enabled());
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(OptionControlsTest, DefinitionsOnlyTicksTheTabAndAllInstancesClearsIt) {
  ui::script::SelectTab(main_.tbcTabs, 1);
  for (OptionControls* form : {static_cast<OptionControls*>(&main_), static_cast<OptionControls*>(&options_)}) {
    ui::script::Click(form->optIndexWhat(1));
    EXPECT_EQ(form->chkTabSep.Value(), ui::vbChecked);
    ui::script::Click(form->optIndexWhat(0));
    EXPECT_EQ(form->chkTabSep.Value(), ui::vbUnchecked);
  }
}

TEST_F(OptionControlsTest, AChangedBoldRemindsWhenTheFocusMovesOnButNotToTheButtonsThatRefresh) {
  backend_.Answer("Refresh terms list", ui::vbOK);
  ui::script::Click(main_.chkBold);
  ui::script::Click(main_.cmdRefresh);
  EXPECT_EQ(reminders(), 0) << "refresh is what the reminder asks for";

  ui::script::Click(main_.chkBold);
  ui::script::Focus(main_.optSearchType(1));
  EXPECT_EQ(reminders(), 0) << "the search type reminds by its own click";

  main_.lstTermsInDoc.AddItem("Agreement");
  ui::script::Click(main_.chkBold);
  ui::script::ClickItem(main_.lstTermsInDoc, 0);
  EXPECT_EQ(reminders(), 1) << "changed, then a click into the term list";

  ui::script::Focus(main_.chkBold);
  ui::script::Focus(main_.txtAddTerm);
  EXPECT_EQ(reminders(), 1) << "unchanged since it got the focus";

  ui::script::Click(main_.chkBold);
  ui::script::Click(main_.chkBold);
  ui::script::Focus(main_.txtAddTerm);
  EXPECT_EQ(reminders(), 1) << "changed and changed back";
}

TEST_F(OptionControlsTest, NoReminderWhileCapitalisedTermsAreGatheredNorOnTheOptionsDialog) {
  state::blnInitCapsGathering = true;
  ui::script::Click(main_.chkBold);
  ui::script::Focus(main_.txtAddTerm);
  state::blnInitCapsGathering = false;
  ui::script::Click(options_.chkBold);
  ui::script::Focus(options_.chkHighlight);
  ui::script::Choose(options_.cmbOpenQuote, 2);
  ui::script::Focus(options_.chkHighlight);
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(OptionControlsTest, ADifferentQuoteRemindsWhenTheFocusMovesOn) {
  backend_.Answer("Refresh terms list", ui::vbOK);
  ui::script::Choose(main_.cmbOpenQuote, 0);  // the entry it had
  ui::script::Focus(main_.chkHighlight);
  EXPECT_EQ(reminders(), 0);
  ui::script::Choose(main_.cmbCloseQuote, 4);
  ui::script::Focus(main_.cmdSetDefaults);
  EXPECT_EQ(reminders(), 0) << "setting the defaults refreshes the list";
  ui::script::Choose(main_.cmbOpenQuote, 3);
  ui::script::Focus(main_.chkHighlight);
  EXPECT_EQ(reminders(), 1);
}

TEST_F(OptionControlsTest, UntickingCaseSensitiveDisablesFullCapsButKeepsItsTick) {
  state::blnLoadingOptions = true;
  main_.chkCaseSensitive.SetValue(ui::vbChecked);
  main_.chkIndexCaps.SetValue(ui::vbChecked);
  state::blnLoadingOptions = false;
  ui::script::Click(main_.chkCaseSensitive);
  EXPECT_FALSE(main_.chkIndexCaps.Enabled());
  EXPECT_EQ(main_.chkIndexCaps.Value(), ui::vbChecked);
  ui::script::Click(main_.chkCaseSensitive);
  EXPECT_TRUE(main_.chkIndexCaps.Enabled());
}

TEST_F(OptionControlsTest, AKeyOnCaseSensitiveOpensItsHelpButAModifierAloneDoesNot) {
  ui::script::PressKey(options_.chkCaseSensitive, ui::vbKeyShift, ui::vbShiftMask);
  ui::script::PressKey(options_.chkCaseSensitive, ui::vbKeyControl, ui::vbCtrlMask);
  EXPECT_TRUE(backend_.Opened().empty());
  ui::script::PressKey(main_.chkCaseSensitive, ui::vbKeyF1);
  ASSERT_EQ(backend_.Opened().size(), 1u);
  EXPECT_EQ(std::filesystem::path(backend_.Opened()[0]).filename(), "case-sensitive.html");
}

TEST_F(OptionControlsTest, TheColumnsBoxTakesOnlyTheDigitsOneToFour) {
  ui::script::SelectTab(main_.tbcTabs, 1);
  ui::script::Type(main_.txtCols, "a0 15x4");
  EXPECT_EQ(main_.txtCols.Text(), "14");
  ui::script::PressKey(main_.txtCols, ui::vbKeyBack);
  EXPECT_EQ(main_.txtCols.Text(), "1");
  for (int key : {ui::vbKeyBack, ui::vbKeyTab, ui::vbKeyReturn, ui::vbKeyEscape, int('1'), int('4')})
    EXPECT_TRUE(ColumnsKeyPasses(key)) << key;
  for (int key : {int('0'), int('5'), int('-'), int(' '), 0x00E9}) EXPECT_FALSE(ColumnsKeyPasses(key)) << key;
}

}  // namespace
}  // namespace dialogs
