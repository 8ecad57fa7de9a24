#include "util/window.h"

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace util {
namespace {

struct TabbedForm : ui::Form {
  TabbedForm() : ui::Form("frmVLX_COM") {
    SetCaption(" Vellandex");
    for (const char* tab : {"Search", "Index", "Readme"}) tbcTabs.AddTab(tab);
    tbcTabs.Click = [this] { ShowFrame(*this); };
  }
  ui::TabStrip tbcTabs{*this, "tbcTabs"};
  ui::ControlArray<ui::Frame> fraTab{*this, "fraTab", 3};
};

TEST(ShowFrame, OnlyTheSelectedTabsFrameIsVisible) {
  ui::script::Backend backend;
  TabbedForm form;
  form.Show();
  ui::script::SelectTab(form.tbcTabs, 1);
  EXPECT_FALSE(form.fraTab(0).Visible());
  EXPECT_TRUE(form.fraTab(1).Visible());
  EXPECT_FALSE(form.fraTab(2).Visible());
}

TEST(ShowFrame, AFormWithoutTabsIsLeftAlone) {
  ui::script::Backend backend;
  ui::Form form("frmOther");
  ui::Frame fraTab(form, "fraTab", 0);
  ShowFrame(form);
  EXPECT_TRUE(fraTab.Visible());
}

TEST(DisableXButton, TakesTheCloseBoxFromTheFormWithThatCaption) {
  ui::script::Backend backend;
  TabbedForm form;
  form.Show();
  EXPECT_EQ(DisableXButton(" Vellandex"), &form);
  EXPECT_FALSE(form.ControlBox());
  EXPECT_THROW(ui::script::CloseWindow(form), ui::script::ScriptError);
  EXPECT_TRUE(form.Visible());
}

TEST(DisableXButton, ACaptionThatMatchesNoWindowDoesNothing) {
  ui::script::Backend backend;
  TabbedForm form;
  form.Load();
  EXPECT_EQ(DisableXButton("Vellandex"), nullptr) << "the caption must match exactly";
  EXPECT_TRUE(form.ControlBox());
}

TEST(LockWindow, LocksOneWindowAndUnlockingReleasesIt) {
  ui::script::Backend backend;
  TabbedForm form;
  form.Load();
  LockWindow(&form, true);
  EXPECT_TRUE(form.RedrawLocked());
  LockWindow(nullptr, false);
  EXPECT_FALSE(form.RedrawLocked());
  LockWindow(&form, true);
  form.Unload();
  EXPECT_FALSE(form.RedrawLocked()) << "a lock does not outlive its window";
}

}  // namespace
}  // namespace util
