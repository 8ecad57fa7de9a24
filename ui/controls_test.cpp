#include "ui/controls.h"

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/list_controls.h"

namespace ui {
namespace {

// Models need no backend until a form is loaded.
struct Panel : Form {
  Panel() : Form("frmPanel") {}
  Frame frameA{*this, "frameA"};
  Frame frameB{*this, "frameB"};
  ControlArray<OptionButton> optA{*this, "optA", 2};
  ControlArray<OptionButton> optB{*this, "optB", 2};
  CheckBox chk{*this, "chk"};
  CommandButton cmdOK{*this, "cmdOK"};
  CommandButton cmdCancel{*this, "cmdCancel"};
  TextBox txt{*this, "txt"};
  UpDown updown{*this, "updown"};
  TabStrip tabs{*this, "tabs"};
};

TEST(CheckBox, ChangingTheValueClicksOnceAndSettingTheSameValueDoesNot) {
  Panel form;
  int clicks = 0;
  form.chk.Click = [&] { ++clicks; };
  form.chk.SetValue(vbChecked);
  form.chk.SetValue(vbChecked);
  EXPECT_EQ(clicks, 1);
  form.chk.SetValue(vbUnchecked);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form.chk.Value(), vbUnchecked);
}

TEST(OptionButton, OneSelectedPerContainerAndOnlyTheSelectedOneClicks) {
  Panel form;
  for (int i = 0; i < 2; ++i) {
    form.optA(i).SetContainer(&form.frameA);
    form.optB(i).SetContainer(&form.frameB);
  }
  std::vector<std::string> clicks;
  for (int i = 0; i < 2; ++i) {
    form.optA(i).Click = [&, i] { clicks.push_back("A" + std::to_string(i)); };
    form.optB(i).Click = [&, i] { clicks.push_back("B" + std::to_string(i)); };
  }
  form.optA(0).SetValue(true);
  form.optB(1).SetValue(true);
  form.optA(1).SetValue(true);
  EXPECT_FALSE(form.optA(0).Value());
  EXPECT_TRUE(form.optA(1).Value());
  EXPECT_TRUE(form.optB(1).Value()) << "another frame's group is untouched";
  form.optA(1).SetValue(false);  // deselecting raises nothing
  EXPECT_EQ(clicks, (std::vector<std::string>{"A0", "B1", "A1"}));
  EXPECT_EQ(form.optA(1).Index(), 1);
  EXPECT_EQ(form.optA(1).Name(), "optA");
  EXPECT_THROW(form.optA(2), std::out_of_range);
}

TEST(CommandButton, OnlyOneDefaultButtonPerForm) {
  Panel form;
  form.cmdOK.SetDefault(true);
  form.cmdCancel.SetDefault(true);
  EXPECT_FALSE(form.cmdOK.Default());
  EXPECT_TRUE(form.cmdCancel.Default());
}

TEST(UpDown, StepsFromTheBuddysNumberWithinTheRange) {
  Panel form;
  form.updown.Attach(&form.txt, 1, 4);
  form.txt.SetText("3");
  form.updown.Up();
  EXPECT_EQ(form.txt.Text(), "4");
  form.updown.Up();
  EXPECT_EQ(form.txt.Text(), "4") << "kept at the maximum";
  form.txt.SetText("x");
  form.updown.Down();
  EXPECT_EQ(form.txt.Text(), "3") << "text that is no number steps from the last value";
}

TEST(TabStrip, FirstTabSelectedAndAnUnknownTabRefused) {
  Panel form;
  int clicks = 0;
  form.tabs.Click = [&] { ++clicks; };
  form.tabs.AddTab("Search");
  form.tabs.AddTab("Index");
  EXPECT_EQ(form.tabs.SelectedIndex(), 0);
  form.tabs.SetSelectedIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_THROW(form.tabs.SetSelectedIndex(2), std::out_of_range);
}

struct Lists : Form {
  Lists() : Form("frmLists") {}
  ListBox single{*this, "single"};
  ListBox multi{*this, "multi"};
  ComboBox combo{*this, "combo"};
};

TEST(ListBox, SingleSelectTiesTheSelectionToTheCurrentItem) {
  Lists form;
  int clicks = 0;
  form.single.Click = [&] { ++clicks; };
  for (const char* item : {"a", "b", "c"}) form.single.AddItem(item);
  form.single.SetListIndex(1);
  form.single.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(form.single.Selected(1));
  form.single.SetSelected(2, true);
  EXPECT_EQ(form.single.ListIndex(), 2);
  EXPECT_FALSE(form.single.Selected(1));
  EXPECT_EQ(form.single.SelCount(), 1);
  form.single.SetSelected(2, false);
  EXPECT_EQ(form.single.ListIndex(), -1);
}

TEST(ListBox, InsertingAndRemovingKeepTheCurrentItemAndTheSelections) {
  Lists form;
  form.multi.SetMultiSelect(vbMultiSelectExtended);
  for (const char* item : {"a", "b", "c", "d"}) form.multi.AddItem(item);
  form.multi.SetSelected(1, true);
  form.multi.SetSelected(3, true);
  form.multi.SetListIndex(2);
  EXPECT_EQ(form.multi.SelCount(), 2) << "the caret does not select in a multi-select list";
  form.multi.AddItem("first", 0);
  EXPECT_EQ(form.multi.NewIndex(), 0);
  EXPECT_EQ(form.multi.ListIndex(), 3);
  EXPECT_TRUE(form.multi.Selected(2));
  form.multi.RemoveItem(1);  // "a"
  EXPECT_EQ(form.multi.ListIndex(), 2);
  EXPECT_EQ(form.multi.List(1), "b");
  EXPECT_TRUE(form.multi.Selected(1));
  EXPECT_TRUE(form.multi.Selected(3));
  form.multi.RemoveItem(2);  // the current item
  EXPECT_EQ(form.multi.ListIndex(), -1);
  EXPECT_THROW(form.multi.List(3), std::out_of_range);
  EXPECT_THROW(form.multi.RemoveItem(-1), std::out_of_range);
  EXPECT_THROW(form.multi.AddItem("x", 9), std::out_of_range);
  form.multi.Clear();
  EXPECT_EQ(form.multi.ListCount(), 0);
  EXPECT_EQ(form.multi.SelCount(), 0);
}

TEST(ComboBox, ItemDataTravelsWithItsItemAndTheCurrentItemIsTheText) {
  Lists form;
  for (long code : {147L, 148L}) {
    form.combo.AddItem(code == 147 ? "\xE2\x80\x9C" : "\xE2\x80\x9D");
    form.combo.SetItemData(form.combo.NewIndex(), code);
  }
  form.combo.AddItem("\xE2\x80\x9E", 0);
  form.combo.SetItemData(0, 132);
  EXPECT_EQ(form.combo.ItemData(1), 147);
  EXPECT_EQ(form.combo.ItemData(2), 148);
  form.combo.SetListIndex(2);
  EXPECT_EQ(form.combo.Text(), "\xE2\x80\x9D");
  form.combo.SetText("\xE2\x80\x9E");
  EXPECT_EQ(form.combo.ListIndex(), 0) << "a drop-down list selects the item with that text";
  form.combo.RemoveItem(0);
  EXPECT_EQ(form.combo.Text(), "");
}

TEST(ComboBox, EditableTextChangesRaiseChange) {
  Lists form;
  form.combo.SetStyle(vbComboDropdown);
  int changes = 0;
  form.combo.Change = [&] { ++changes; };
  form.combo.SetText("typed");
  form.combo.SetText("typed");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form.combo.Text(), "typed");
  EXPECT_EQ(form.combo.ListIndex(), -1);
}

}  // namespace
}  // namespace ui
