#include "dialogs/frm_vlx_options.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "dialogs/quote_lists.h"
#include "host/testing/temp_folder.h"
#include "settings/ini_file.h"
#include "settings/locations.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace dialogs {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetIniPath(folder_.path().string());
    FillQuoteLists(form_);
  }
  void TearDown() override { settings::SetIniPath(""); }
  bool saved() const { return std::filesystem::exists(settings::Location().strIniPath()); }
  // Shows the dialog modally; script acts on it.
  void run(std::function<void(frmVLXOptions&)> script) {
    backend_.OnModalOnce("frmVLXOptions", [&](ui::Form& form) { script(static_cast<frmVLXOptions&>(form)); });
    form_.Show(ui::vbModal);
  }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
  frmVLXOptions form_;
};

TEST_F(OptionsDialogTest, SearchSavesTheOptionsAndReportsOk) {
  run([](frmVLXOptions& form) {
    ui::script::Click(form.optSearchType(1));
    ui::script::Click(form.chkHighlight);
    ui::script::Click(form.cmdOK);
  });
  EXPECT_EQ(form_.Tag(), "OK");
  EXPECT_FALSE(form_.Visible());
  EXPECT_EQ(settings::fncReadIni("Defaults", "SearchType"), "SearchInitCaps");
  EXPECT_EQ(settings::fncReadIni("Defaults", "Highlight"), "True");
}

TEST_F(OptionsDialogTest, TheSeparatorIsSavedInQuotesWithTheTabMarkerWhenTheTabIsTicked) {
  run([](frmVLXOptions& form) {
    ui::script::Type(form.txtSep, ":  ");
    ui::script::Click(form.optIndexWhat(1));  // definitions only ticks the tab
    ui::script::Click(form.cmdSetDefaults);
    EXPECT_EQ(settings::fncReadIni("Defaults", "IndexSep"), ":  {TAB}");
    ui::script::Click(form.chkTabSep);
    ui::script::Click(form.cmdOK);
  });
  EXPECT_EQ(settings::fncReadIni("Defaults", "IndexSep"), ":  ") << "spaces kept by the quotes";
  EXPECT_EQ(settings::fncReadIni("Defaults", "IndexWhat"), "IndexDefs");
}

TEST_F(OptionsDialogTest, CancelEscapeAndTheCloseBoxSaveNothingAndReportCancel) {
  run([](frmVLXOptions& form) {
    ui::script::Click(form.chkBold);
    ui::script::Click(form.cmdCancel);
  });
  EXPECT_EQ(form_.Tag(), "Cancel");
  EXPECT_FALSE(saved());

  form_.SetTag("");
  run([](frmVLXOptions& form) { ui::script::PressKey(form.chkBold, ui::vbKeyEscape); });
  EXPECT_EQ(form_.Tag(), "Cancel");

  form_.SetTag("");
  run([](frmVLXOptions& form) { ui::script::CloseWindow(form); });
  EXPECT_EQ(form_.Tag(), "Cancel") << "closing the window must not start the search";
  EXPECT_FALSE(form_.Loaded());
  EXPECT_FALSE(saved());
}

TEST_F(OptionsDialogTest, SetAsDefaultsSavesAndTheDialogStaysOpen) {
  run([&](frmVLXOptions& form) {
    ui::script::Click(form.cmdSetDefaults);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(saved());
    ui::script::Click(form.cmdCancel);
  });
  EXPECT_EQ(settings::fncReadIni("Defaults", "OpenQuote"), "147");
}

TEST_F(OptionsDialogTest, ItsOwnCaptionsAndAHelpMenuWhoseUpdateItemDoesNothing) {
  EXPECT_EQ(form_.Caption(), " Search and index options");
  EXPECT_EQ(form_.lblCloseQuote.Caption(), "C&lose quote&:");
  EXPECT_EQ(form_.lblOpenQuote.Caption(), "Open &quote:");
  EXPECT_EQ(form_.chkIgnoreNums.Caption(), "Ig&nore words with numbers");
  EXPECT_EQ(form_.optIndexWhat(0).Caption(), "Inde&x all instances");
  EXPECT_EQ(form_.cmdOK.Caption(), "Search");
  EXPECT_EQ(form_.cmdSetDefaults.Caption(), "Set as de&faults");
  EXPECT_EQ(form_.cmdGettingStarted.Caption(), "Getting Started");
  form_.Show();
  ui::script::Click(form_.cmdUpdate);
  EXPECT_TRUE(backend_.Opened().empty());
  ui::script::Click(form_.cmdLists);
  ui::script::Click(form_.lblHelpClick);
  ASSERT_EQ(backend_.Opened().size(), 2u);
  EXPECT_EQ(std::filesystem::path(backend_.Opened()[0]).filename(), "term-lists.html");
  EXPECT_EQ(std::filesystem::path(backend_.Opened()[1]).filename(), "getting-started.html");
}

}  // namespace
}  // namespace dialogs
