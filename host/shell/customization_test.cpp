#include "host/shell/customization.h"

#include <gtest/gtest.h>

#include "host/platform/files.h"
#include "host/shell/application.h"
#include "host/testing/captured_warnings.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

using testing::TempFolder;

// The add-in's menu as it installs it: a popup of caption-only buttons, and the host's
// "COM Add-Ins..." command.
void installMenu(Application& app) {
  CommandBarControls tools = app.CommandBars().Item("Tools").Controls();
  CommandBarControl popup = tools.Add(msoControlPopup, 0, 0, false);
  popup.SetBeginGroup(true);
  popup.SetCaption("Vellande&x");
  popup.SetTag("VLXMenu");
  popup.SetVisible(true);
  for (const char* caption : {"&Find and index", "&Remove indexing"}) {
    CommandBarControl b = popup.Controls().Add(msoControlButton);
    b.SetCaption(caption);
    b.SetTag(std::string(caption) + "Tag");
    b.SetStyle(msoButtonCaption);
  }
  CommandBarControl com = tools.Add(msoControlButton, kComAddInsControlId);
  com.SetCaption("COM Add-Ins...");
  com.SetStyle(msoButtonCaption);
  tools.Add(msoControlButton, 0, 0, true).SetCaption("only this run");
}

TEST(CustomizationContext, KeptControlsSurviveARestartAndTemporaryOnesDoNot) {
  TempFolder tmp;
  {
    Application app(tmp.path());
    EXPECT_TRUE(app.CustomizationContext().Saved());
    installMenu(app);
    EXPECT_FALSE(app.CustomizationContext().Saved());
    app.CustomizationContext().Save();
    EXPECT_TRUE(app.CustomizationContext().Saved());
  }
  Application next(tmp.path());
  EXPECT_TRUE(next.CustomizationContext().Saved());
  CommandBar tools = next.CommandBars().Item("Tools");
  ASSERT_EQ(tools.Controls().Count(), 2);
  CommandBarControl popup = tools.FindControl(msoControlPopup, 0, "VLXMenu");
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup.Caption(), "Vellande&x");
  EXPECT_TRUE(popup.BeginGroup());
  EXPECT_TRUE(popup.Visible());
  EXPECT_FALSE(popup.Temporary());
  ASSERT_EQ(popup.Controls().Count(), 2);
  EXPECT_EQ(popup.Controls().Item(2).Caption(), "&Remove indexing");
  EXPECT_EQ(popup.Controls().Item(2).Tag(), "&Remove indexingTag");
  EXPECT_EQ(popup.Controls().Item(2).Style(), msoButtonCaption);
  CommandBarControl com = tools.FindControl(0, kComAddInsControlId);
  ASSERT_TRUE(com);
  EXPECT_TRUE(com.BuiltIn());
  EXPECT_EQ(com.Caption(), "COM Add-Ins...");
  EXPECT_TRUE(tools.Controls().Item(2).Is(com));
}

TEST(CustomizationContext, ChangesNotSavedAreNotKept) {
  TempFolder tmp;
  {
    Application app(tmp.path());
    installMenu(app);
    app.CustomizationContext().Save();
    app.CommandBars().Item("Tools").FindControl(msoControlPopup, 0, "VLXMenu").Delete();
    app.CustomizationContext().SetSaved(true);  // marked, not written
    EXPECT_TRUE(app.CustomizationContext().Saved());
  }
  Application next(tmp.path());
  EXPECT_TRUE(next.CommandBars().Item("Tools").FindControl(msoControlPopup, 0, "VLXMenu"));
}

TEST(CustomizationContext, ARemovalSavedIsKept) {
  TempFolder tmp;
  {
    Application app(tmp.path());
    installMenu(app);
    app.CustomizationContext().Save();
  }
  {
    Application app(tmp.path());
    app.CommandBars().Item("Tools").FindControl(msoControlPopup, 0, "VLXMenu").Delete();
    app.CustomizationContext().Save();
    app.CustomizationContext().SetSaved(true);
  }
  Application next(tmp.path());
  EXPECT_FALSE(next.CommandBars().Item("Tools").FindControl(msoControlPopup, 0, "VLXMenu"));
  EXPECT_TRUE(next.CommandBars().Item("Tools").FindControl(0, kComAddInsControlId));
}

TEST(CustomizationContext, AMalformedFileGivesBarsWithoutCustomizationsAndAWarning) {
  TempFolder tmp;
  const char* bad[] = {
      "{ not json",
      R"({"version": 2, "bars": {}})",
      R"({"version": 1, "bars": {"No Such Bar": []}})",
      R"({"version": 1, "bars": {"Tools": [{"type": 10, "caption": 5}]}})",
      R"({"version": 1, "bars": {"Tools": [{"type": 1}, {"type": 3}]}})",
      R"({"version": 1, "bars": {"Tools": [{"type": 10, "controls": [{"type": 1, "style": 9}]}]}})",
  };
  for (const char* content : bad) {
    WriteFileAtomically(tmp / kCustomizationFileName, content);
    testing::CapturedWarnings warnings;
    Application app(tmp.path());
    EXPECT_NE(warnings.text().find("not a valid customization file"), std::string::npos) << content;
    EXPECT_EQ(app.CommandBars().Item("Tools").Controls().Count(), 0) << content;
    EXPECT_TRUE(app.CustomizationContext().Saved());
  }
  // The bad file is left as it was until the next Save replaces it.
  EXPECT_EQ(ReadWholeFile(tmp / kCustomizationFileName), bad[std::size(bad) - 1]);
}

TEST(CustomizationContext, AControlTheHostNoLongerKnowsIsLeftOut) {
  TempFolder tmp;
  WriteFileAtomically(
      tmp / kCustomizationFileName,
      R"({"version": 1, "bars": {"Tools": [{"type": 1, "id": 424242}, {"type": 1, "caption": "ok"}]}})");
  testing::CapturedWarnings warnings;
  Application app(tmp.path());
  EXPECT_NE(warnings.text().find("left out"), std::string::npos);
  ASSERT_EQ(app.CommandBars().Item("Tools").Controls().Count(), 1);
  EXPECT_EQ(app.CommandBars().Item("Tools").Controls().Item(1).Caption(), "ok");
}

TEST(CustomizationContext, WithoutAFileNothingIsReadOrWritten) {
  TempFolder tmp;
  testing::EnvGuard xdg("XDG_CONFIG_HOME", tmp.path().string());
  testing::EnvGuard home("HOME", tmp.path().string());
  {
    Application app;
    EXPECT_FALSE(app.CustomizationContext().file());
    installMenu(app);
    app.CustomizationContext().Save();
    EXPECT_TRUE(app.CustomizationContext().Saved());
  }
  EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
}

}  // namespace
}  // namespace host
