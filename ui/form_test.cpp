#include "ui/form.h"

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/list_controls.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace ui {
namespace {

// A dialog that reports its outcome in its Tag, as the add-in's dialogs do.
struct Dialog : Form {
  Dialog() : Form("frmDialog") {
    cmdOK.Click = [this] {
      SetTag("OK");
      Hide();
    };
    chkBold.LostFocus = [this](Control* next) {
      events.push_back(std::string("chkBold lost to ") + (next ? next->Name() : "none") +
                       (ActiveControl() == next ? " (active)" : ""));
    };
    txtTerm.GotFocus = [this] { events.push_back("txtTerm got"); };
  }
  Label lblHint{*this, "lblHint"};
  Frame fraHidden{*this, "fraHidden"};
  CheckBox chkInHidden{*this, "chkInHidden"};
  CheckBox chkBold{*this, "chkBold"};
  TextBox txtTerm{*this, "txtTerm"};
  CommandButton cmdOK{*this, "cmdOK"};
  std::vector<std::string> events;
  int loads = 0, activations = 0, queryUnloadMode = -1;
  bool refuseUnload = false;

 protected:
  void Form_Load() override { ++loads; }
  void Form_Activate() override { ++activations; }
  void Form_QueryUnload(int& cancel, int mode) override {
    queryUnloadMode = mode;
    cancel = refuseUnload;
  }
};

TEST(Form, LoadRunsOnceAndActivateRunsEachTimeTheFormReappears) {
  script::Backend backend;
  Dialog form;
  form.Load();
  form.Load();
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.activations, 0);
  form.Show();
  form.Show();
  form.Hide();
  form.Show();
  EXPECT_EQ(form.activations, 2);
  EXPECT_EQ(form.loads, 1);
  ASSERT_EQ(Forms().size(), 1u);
  EXPECT_EQ(Forms()[0], &form);
}

TEST(Form, ModalShowReturnsWhenTheScriptPressesAButtonThatHides) {
  script::Backend backend;
  backend.OnModal("frmDialog", [](Form& shown) {
    auto& form = static_cast<Dialog&>(shown);
    EXPECT_TRUE(form.Visible());
    script::Click(form.chkBold);
    script::Click(form.cmdOK);
  });
  Dialog form;
  form.Show(vbModal);
  EXPECT_EQ(form.Tag(), "OK");
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.Loaded()) << "hidden, not unloaded: the caller reads the tag, then unloads";
  EXPECT_EQ(form.chkBold.Value(), vbChecked);
  EXPECT_TRUE(form.Unload());
  EXPECT_FALSE(form.Loaded());
  EXPECT_TRUE(Forms().empty());
}

TEST(Form, FocusMovesToTheFirstUsableControlAndLostFocusNamesTheReceiver) {
  script::Backend backend;
  Dialog form;
  form.fraHidden.SetVisible(false);
  form.chkInHidden.SetContainer(&form.fraHidden);
  form.Show();
  EXPECT_EQ(form.ActiveControl(), &form.chkBold) << "labels and hidden controls take no focus";
  EXPECT_FALSE(form.chkInHidden.SetFocus());
  form.txtTerm.SetEnabled(false);
  EXPECT_FALSE(form.txtTerm.SetFocus());
  form.txtTerm.SetEnabled(true);
  EXPECT_TRUE(form.txtTerm.SetFocus());
  EXPECT_EQ(form.events, (std::vector<std::string>{"chkBold lost to txtTerm (active)", "txtTerm got"}));
}

TEST(Form, TheTabOrderChoosesTheFirstFocusAndLabelsHandTheirAccessKeyOn) {
  script::Backend backend;
  Dialog form;
  form.SetTabOrder({&form.lblHint, &form.cmdOK, &form.txtTerm, &form.chkBold});
  EXPECT_EQ(form.AccessKeyTarget(form.lblHint), &form.cmdOK) << "the next control that takes the focus";
  EXPECT_EQ(form.AccessKeyTarget(form.chkBold), nullptr) << "nothing after it";
  EXPECT_EQ(form.AccessKeyTarget(form.chkInHidden), nullptr) << "not in the order";
  form.cmdOK.SetEnabled(false);
  form.Show();
  EXPECT_EQ(form.ActiveControl(), &form.txtTerm) << "the first usable control in tab order, not in creation order";
}

TEST(Form, QueryUnloadCanKeepTheFormAndTheCloseBoxSaysWhy) {
  script::Backend backend;
  Dialog form;
  form.Show();
  form.refuseUnload = true;
  EXPECT_FALSE(form.Unload());
  EXPECT_EQ(form.queryUnloadMode, vbFormCode);
  EXPECT_TRUE(form.Loaded());
  form.refuseUnload = false;
  EXPECT_TRUE(form.CloseFromTitleBar());
  EXPECT_EQ(form.queryUnloadMode, vbFormControlMenu);
  EXPECT_FALSE(form.Loaded());
}

TEST(Form, WithoutCloseBoxTheTitleBarCannotCloseIt) {
  script::Backend backend;
  Dialog form;
  form.SetControlBox(false);
  form.Show();
  EXPECT_FALSE(form.CloseFromTitleBar());
  EXPECT_EQ(form.queryUnloadMode, -1);
  EXPECT_TRUE(form.Visible());
}

TEST(Form, ShowingAVisibleFormModallyIsRefused) {
  script::Backend backend;
  Dialog form;
  form.Show();
  EXPECT_THROW(form.Show(vbModal), std::logic_error);
}

TEST(Form, UnloadingInsideTheModalLoopEndsIt) {
  script::Backend backend;
  backend.OnModal("frmDialog", [](Form& form) { form.Unload(); });
  Dialog form;
  form.Show(vbModal);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.View(), nullptr);
  form.Show();  // loads again
  EXPECT_EQ(form.loads, 2);
}

TEST(Form, ModalFormsNest) {
  script::Backend backend;
  Dialog inner;
  backend.OnModal("frmOuter", [&](Form& outer) {
    inner.Show(vbModal);
    outer.SetTag(inner.Tag());
    outer.Hide();
  });
  backend.OnModal("frmDialog", [](Form& form) { script::Click(static_cast<Dialog&>(form).cmdOK); });
  Form outer("frmOuter");
  outer.Show(vbModal);
  EXPECT_EQ(outer.Tag(), "OK");
}

TEST(Form, FoundByExactCaptionAmongLoadedForms) {
  script::Backend backend;
  Dialog form;
  form.SetCaption(" Vellandex");
  EXPECT_EQ(FindFormByCaption(" Vellandex"), nullptr) << "not loaded yet";
  form.Load();
  EXPECT_EQ(FindFormByCaption(" Vellandex"), &form);
  EXPECT_EQ(FindFormByCaption("Vellandex"), nullptr);
  EXPECT_EQ(form.FindControl("cmdOK"), &form.cmdOK);
  EXPECT_EQ(form.FindControl("cmdOK", 0), nullptr);
}

TEST(Form, NoBackendIsAClearError) {
  Dialog form;
  EXPECT_THROW(form.Load(), std::logic_error);
}

}  // namespace
}  // namespace ui
