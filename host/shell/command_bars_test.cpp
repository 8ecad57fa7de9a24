#include "host/shell/command_bars.h"

#include <vector>

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/testing/errors.h"

namespace host {
namespace {

using testing::errorOf;

std::vector<std::string> captions(CommandBarControls controls) {
  std::vector<std::string> out;
  for (long i = 1; i <= controls.Count(); ++i) out.push_back(controls.Item(i).Caption());
  return out;
}

CommandBarControl addNamed(CommandBarControls controls, int type, const std::string& caption,
                           const std::string& tag = "", bool temporary = false) {
  CommandBarControl c = controls.Add(type, 0, 0, temporary);
  c.SetCaption(caption);
  c.SetTag(tag);
  return c;
}

TEST(CommandBars, BarsAreFoundByNameWithoutRegardToCase) {
  CommandBars bars;
  EXPECT_EQ(bars.Item("Tools").Name(), "Tools");
  EXPECT_EQ(bars.Item("tools").Name(), "Tools");
  EXPECT_EQ(bars.Item("Menu Bar").Controls().Count(), 0);
  EXPECT_EQ(errorOf([&] { bars.Item("Toolz"); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { bars.Item(0L); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { bars.Item(bars.Count() + 1); }), kErrBadArgument);
}

TEST(CommandBarControls, AddAppendsOrGoesBeforeAnIndex) {
  CommandBars bars;
  CommandBarControls tools = bars.Item("Tools").Controls();
  addNamed(tools, msoControlButton, "b");
  addNamed(tools, msoControlButton, "d");
  tools.Add(msoControlButton, 0, 1).SetCaption("a");
  tools.Add(msoControlButton, 0, 3).SetCaption("c");
  tools.Add(msoControlButton, 0, 5).SetCaption("e");  // Count + 1 appends
  EXPECT_EQ(captions(tools), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(errorOf([&] { tools.Add(msoControlButton, 0, 7); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { tools.Add(msoControlButton, 0, -1); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { tools.Add(2); }), kErrBadArgument);  // an edit box is not offered
  EXPECT_EQ(tools.Count(), 5);
  EXPECT_EQ(errorOf([&] { tools.Item(6); }), kErrBadArgument);
}

TEST(CommandBarControls, NewControlsHaveTheObjectModelsDefaults) {
  CommandBars bars;
  CommandBarControl popup = bars.Item("Tools").Controls().Add(msoControlPopup);
  EXPECT_EQ(popup.Type(), msoControlPopup);
  EXPECT_EQ(popup.Id(), kCustomControlId);
  EXPECT_FALSE(popup.BuiltIn());
  EXPECT_FALSE(popup.Temporary());
  EXPECT_TRUE(popup.Visible());
  EXPECT_FALSE(popup.BeginGroup());
  EXPECT_EQ(popup.Style(), msoButtonAutomatic);
  EXPECT_EQ(popup.Caption(), "");
  EXPECT_EQ(popup.Controls().Count(), 0);
}

TEST(CommandBarControls, TheComAddInsCommandIsBuiltIn) {
  CommandBars bars;
  CommandBarControl com = bars.Item("Tools").Controls().Add(msoControlButton, kComAddInsControlId);
  EXPECT_TRUE(com.BuiltIn());
  EXPECT_EQ(com.Id(), 3754);
  EXPECT_EQ(com.Caption(), "&COM Add-Ins...");
  EXPECT_EQ(errorOf([&] { bars.Item("Tools").Controls().Add(msoControlButton, 99999); }), kErrBadArgument);
}

TEST(CommandBarControl, OnlyAPopupHasControlsAndStylesAreChecked) {
  CommandBars bars;
  CommandBarControl button = bars.Item("Tools").Controls().Add(msoControlButton);
  EXPECT_EQ(errorOf([&] { button.Controls(); }), kErrBadArgument);
  button.SetStyle(msoButtonCaption);
  EXPECT_EQ(button.Style(), msoButtonCaption);
  EXPECT_EQ(errorOf([&] { button.SetStyle(4); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { CommandBarControl().Caption(); }), kErrBadArgument);
}

TEST(FindControl, MatchesEveryGivenCriterionAmongTheBarsOwnControlsOnly) {
  CommandBars bars;
  CommandBar tools = bars.Item("Tools");
  CommandBarControl popup = addNamed(tools.Controls(), msoControlPopup, "Menu", "VLXMenu");
  addNamed(popup.Controls(), msoControlButton, "Inner", "InnerTag");
  CommandBarControl button = addNamed(tools.Controls(), msoControlButton, "Button", "VLXMenu");
  CommandBarControl com = tools.Controls().Add(msoControlButton, kComAddInsControlId);

  EXPECT_TRUE(tools.FindControl(msoControlPopup, 0, "VLXMenu").Is(popup));
  EXPECT_TRUE(tools.FindControl(msoControlButton, 0, "VLXMenu").Is(button));
  EXPECT_TRUE(tools.FindControl(0, kComAddInsControlId).Is(com));
  EXPECT_TRUE(tools.FindControl(0, 0, "VLXMenu").Is(popup));  // the first in order
  EXPECT_FALSE(tools.FindControl(0, 0, "InnerTag"));          // inside the popup: not searched
  EXPECT_FALSE(tools.FindControl(msoControlPopup, kComAddInsControlId));
  EXPECT_FALSE(bars.Item("Standard").FindControl(0, kComAddInsControlId));
}

TEST(Delete, OneCallDeletesOnePopupWhenTwoHaveTheSameTag) {
  CommandBars bars;
  CommandBar tools = bars.Item("Tools");
  CommandBarControl first = addNamed(tools.Controls(), msoControlPopup, "First", "VLXMenu");
  CommandBarControl inner = addNamed(first.Controls(), msoControlButton, "Inner");
  CommandBarControl second = addNamed(tools.Controls(), msoControlPopup, "Second", "VLXMenu");

  tools.FindControl(msoControlPopup, 0, "VLXMenu").Delete();
  EXPECT_EQ(captions(tools.Controls()), std::vector<std::string>{"Second"});
  EXPECT_TRUE(tools.FindControl(msoControlPopup, 0, "VLXMenu").Is(second));
  // References to the deleted popup and to its buttons fail rather than act on nothing.
  EXPECT_EQ(errorOf([&] { first.Caption(); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { inner.SetCaption("x"); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { first.Delete(); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { first.Controls(); }), kErrBadArgument);

  tools.FindControl(msoControlPopup, 0, "VLXMenu").Delete();
  EXPECT_FALSE(tools.FindControl(msoControlPopup, 0, "VLXMenu"));
}

TEST(Click, RunsEveryConnectedHandlerInOrderUntilDisconnected) {
  CommandBars bars;
  CommandBarControl button = bars.Item("Tools").Controls().Add(msoControlButton);
  std::vector<std::string> calls;
  ClickConnection a = button.OnClick([&](CommandBarControl ctrl, bool&) {
    EXPECT_TRUE(ctrl.Is(button));
    calls.push_back("a");
  });
  {
    ClickConnection b = button.OnClick([&](CommandBarControl, bool&) { calls.push_back("b"); });
    button.Execute();
  }
  button.Execute();
  a.Disconnect();
  button.Execute();
  EXPECT_EQ(calls, (std::vector<std::string>{"a", "b", "a"}));
}

TEST(Click, AMovedConnectionStaysConnectedAndReassigningDropsTheOldHandler) {
  CommandBars bars;
  CommandBarControl button = bars.Item("Tools").Controls().Add(msoControlButton);
  int first = 0, second = 0;
  ClickConnection kept;
  {
    ClickConnection c = button.OnClick([&](CommandBarControl, bool&) { ++first; });
    kept = std::move(c);
  }
  button.Execute();
  kept = button.OnClick([&](CommandBarControl, bool&) { ++second; });
  button.Execute();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
}

TEST(Click, AHandlerThatDeletesTheControlOrDisconnectsAnotherStopsTheRest) {
  CommandBars bars;
  CommandBarControl button = bars.Item("Tools").Controls().Add(msoControlButton);
  int later = 0;
  ClickConnection laterConnection;
  ClickConnection deleter = button.OnClick([&](CommandBarControl ctrl, bool&) { ctrl.Delete(); });
  laterConnection = button.OnClick([&](CommandBarControl, bool&) { ++later; });
  button.Execute();
  EXPECT_EQ(later, 0);
  EXPECT_EQ(bars.Item("Tools").Controls().Count(), 0);
  EXPECT_EQ(errorOf([&] { button.Execute(); }), kErrBadArgument);

  CommandBarControl other = bars.Item("Tools").Controls().Add(msoControlButton);
  ClickConnection second;
  ClickConnection first = other.OnClick([&](CommandBarControl, bool&) { second.Disconnect(); });
  second = other.OnClick([&](CommandBarControl, bool&) { ++later; });
  other.Execute();
  EXPECT_EQ(later, 0);
}

TEST(Click, ABuiltInControlRunsTheHostsActionUnlessAHandlerCancelsIt) {
  CommandBars bars;
  std::vector<int> actions;
  bars.setBuiltInAction([&](int id) { actions.push_back(id); });
  CommandBarControl com = bars.Item("Tools").Controls().Add(msoControlButton, kComAddInsControlId);
  CommandBarControl custom = bars.Item("Tools").Controls().Add(msoControlButton);
  custom.Execute();
  com.Execute();
  bool cancel = true;
  ClickConnection c = com.OnClick([&](CommandBarControl, bool& cancelDefault) { cancelDefault = cancel; });
  com.Execute();
  EXPECT_EQ(actions, std::vector<int>{kComAddInsControlId});
}

TEST(Click, APopupRaisesNothing) {
  CommandBars bars;
  CommandBarControl popup = bars.Item("Tools").Controls().Add(msoControlPopup);
  int clicks = 0;
  ClickConnection c = popup.OnClick([&](CommandBarControl, bool&) { ++clicks; });
  popup.Execute();
  EXPECT_EQ(clicks, 0);
}

TEST(UnsavedChanges, OnlyChangesToKeptControlsCount) {
  CommandBars bars;
  CommandBarControls tools = bars.Item("Tools").Controls();
  CommandBarControl temporary = tools.Add(msoControlPopup, 0, 0, true);
  temporary.SetCaption("t");
  temporary.Controls().Add(msoControlButton).SetCaption("inside a temporary popup");
  EXPECT_FALSE(bars.unsavedChanges());
  temporary.Delete();
  EXPECT_FALSE(bars.unsavedChanges());

  CommandBarControl kept = tools.Add(msoControlPopup);
  EXPECT_TRUE(bars.unsavedChanges());
  bars.setUnsavedChanges(false);
  kept.SetCaption("");  // no change
  EXPECT_FALSE(bars.unsavedChanges());
  kept.Controls().Add(msoControlButton, 0, 0, true).SetCaption("temporary button");
  EXPECT_FALSE(bars.unsavedChanges());
  kept.SetVisible(false);
  EXPECT_TRUE(bars.unsavedChanges());
  bars.setUnsavedChanges(false);
  kept.Delete();
  EXPECT_TRUE(bars.unsavedChanges());
}

TEST(CommandBars, ReferencesThatOutliveTheBarsFailInsteadOfActing) {
  CommandBarControl button;
  ClickConnection c;
  {
    CommandBars bars;
    button = bars.Item("Tools").Controls().Add(msoControlButton);
    c = button.OnClick([](CommandBarControl, bool&) {});
  }
  EXPECT_EQ(errorOf([&] { button.SetCaption("late"); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { button.Execute(); }), kErrBadArgument);
}

}  // namespace
}  // namespace host
