#include "ui/script/user.h"

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace ui::script {
namespace {

struct Options : Form {
  Options() : Form("frmOptions") {
    // Only the digits 1 to 4 and the control keys reach the columns box.
    txtCols.KeyPress = [](int& key) {
      if (key != 8 && key != 9 && key != 13 && key != 27 && (key < '1' || key > '4')) key = 0;
    };
    chkCase.KeyDown = [this](int& key, int) { keys.push_back(key); };
    cmdOK.Click = [this] { SetTag("OK"), Hide(); };
    cmdCancel.Click = [this] { SetTag("Cancel"), Hide(); };
    cmdOK.SetDefault(true);
    cmdCancel.SetCancel(true);
    lstTerms.SetMultiSelect(vbMultiSelectExtended);
    for (const char* term : {"Agreement", "Term", "Terms"}) lstTerms.AddItem(term);
  }
  Frame fraTab{*this, "fraTab"};
  CheckBox chkOnTab{*this, "chkOnTab"};
  TextBox txtCols{*this, "txtCols"};
  TextBox txtSep{*this, "txtSep"};
  CheckBox chkCase{*this, "chkCase"};
  ListBox lstTerms{*this, "lstTerms"};
  CommandButton cmdOK{*this, "cmdOK"};
  CommandButton cmdCancel{*this, "cmdCancel"};
  std::vector<int> keys;
};

class User : public ::testing::Test {
 protected:
  void SetUp() override {
    form.chkOnTab.SetContainer(&form.fraTab);
    form.Show();
  }
  Backend backend;
  Options form;
};

TEST_F(User, KeyPressFiltersWhatIsTyped) {
  Type(form.txtCols, "a3x9 1");
  EXPECT_EQ(form.txtCols.Text(), "31");
}

TEST_F(User, BackspaceRemovesAWholeCharacter) {
  Type(form.txtSep, ":\xE2\x80\x94");  // colon and an em dash
  PressKey(form.txtSep, vbKeyBack);
  EXPECT_EQ(form.txtSep.Text(), ":");
}

TEST_F(User, AnyKeyReachesKeyDown) {
  PressKey(form.chkCase, vbKeyF1);
  PressKey(form.chkCase, 'A', vbShiftMask);
  EXPECT_EQ(form.keys, (std::vector<int>{vbKeyF1, 'A'}));
}

TEST_F(User, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  PressKey(form.txtSep, vbKeyReturn);
  EXPECT_EQ(form.Tag(), "OK");
  form.Show();
  PressKey(form.txtSep, vbKeyEscape);
  EXPECT_EQ(form.Tag(), "Cancel");
}

TEST_F(User, ControlsTheUserCannotReachAreRefused) {
  form.cmdOK.SetEnabled(false);
  EXPECT_THROW(Click(form.cmdOK), ScriptError);
  form.fraTab.SetVisible(false);
  EXPECT_THROW(Click(form.chkOnTab), ScriptError);
  form.fraTab.SetVisible(true);
  Click(form.chkOnTab);
  EXPECT_EQ(form.chkOnTab.Value(), vbChecked);
  form.Hide();
  EXPECT_THROW(Click(form.chkCase), ScriptError);
}

TEST_F(User, ClicksInAnExtendedListSelectOneAndCtrlClicksToggle) {
  int clicks = 0;
  form.lstTerms.Click = [&] { ++clicks; };
  ClickItem(form.lstTerms, 0);
  ClickItem(form.lstTerms, 2, vbCtrlMask);
  EXPECT_TRUE(form.lstTerms.Selected(0));
  EXPECT_TRUE(form.lstTerms.Selected(2));
  ClickItem(form.lstTerms, 2, vbCtrlMask);
  EXPECT_FALSE(form.lstTerms.Selected(2));
  ClickItem(form.lstTerms, 1);
  EXPECT_EQ(form.lstTerms.SelCount(), 1);
  EXPECT_EQ(form.lstTerms.ListIndex(), 1);
  EXPECT_EQ(clicks, 4);
}

TEST_F(User, ClosingAFormWithoutCloseBoxIsRefused) {
  form.SetControlBox(false);
  EXPECT_THROW(CloseWindow(form), ScriptError);
  form.SetControlBox(true);
  CloseWindow(form);
  EXPECT_FALSE(form.Loaded());
}

}  // namespace
}  // namespace ui::script
