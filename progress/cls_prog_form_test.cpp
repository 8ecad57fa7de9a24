#include "progress/cls_prog_form.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include "ui/qt/backend.h"
#include "ui/script/backend.h"

// Fontconfig keeps its caches until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace progress {
namespace {

class ProgForm : public ::testing::Test {
 protected:
  ProgForm() { controller.ShowProgress(ui::vbModeless); }
  frmProgressForm& Window() { return *controller.Window(); }
  ui::script::Backend backend;
  clsProgForm controller;
};

TEST_F(ProgForm, ATotalShowsTheBarAndThePercentageInLineThree) {
  controller.UpdateProgress("Please wait", "Indexing document:  Term", "ignored", 1, 3, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "33% completed");
  EXPECT_EQ(Window().lblLabel3.Alignment(), ui::vbCenter);
  EXPECT_TRUE(Window().lblProgBarCompleted.Visible());
  EXPECT_EQ(Window().lblProgBarCompleted.BackColor(), 0xFF00);
  EXPECT_EQ(Window().lblProgBarCompleted.BackStyle(), ui::vbOpaque);
  EXPECT_EQ(Window().lblProgBarCompleted.Width(), 112);
  EXPECT_TRUE(Window().lblProgBarTotal.Visible());
  EXPECT_EQ(Window().lblProgBarTotal.BackStyle(), ui::vbTransparent);
  EXPECT_EQ(Window().lblLabel2.Caption(), "Indexing document:  Term");
}

TEST_F(ProgForm, HalvesRoundToEven) {
  controller.UpdateProgress("", "", "", 1, 8, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "12% completed");
  controller.UpdateProgress("", "", "", 3, 8, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "38% completed");
  controller.UpdateProgress("", "", "", 0, 5, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "0% completed");
  EXPECT_EQ(Window().lblProgBarCompleted.Width(), 0);
}

TEST_F(ProgForm, DoneEqualToTotalFillsTheBar) {
  controller.UpdateProgress("Please wait", "Indexing endnotes", "", 57, 57, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "100% completed");
  EXPECT_EQ(Window().lblProgBarCompleted.Width(), Window().lblProgBarTotal.Width());
}

TEST_F(ProgForm, MoreDoneThanTotalNeverOverflowsTheFrame) {
  controller.UpdateProgress("", "", "", 5, 4, "");
  EXPECT_EQ(Window().lblProgBarCompleted.Width(), Window().lblProgBarTotal.Width());
}

TEST_F(ProgForm, NoTotalHidesTheBarAndShowsLineThreeAsGiven) {
  controller.UpdateProgress("Please wait", "Building search list", "step 3", 2, 0, "");
  EXPECT_EQ(Window().lblLabel3.Caption(), "step 3");
  EXPECT_EQ(Window().lblLabel3.Alignment(), ui::vbLeftJustify);
  EXPECT_FALSE(Window().lblProgBarCompleted.Visible());
  EXPECT_FALSE(Window().lblProgBarTotal.Visible());
}

TEST_F(ProgForm, AnEmptyCaptionKeepsTheOldOne) {
  controller.UpdateProgress("", "", "", 0, 0, "Please wait");
  controller.UpdateProgress("", "", "", 0, 0, "");
  EXPECT_EQ(Window().Caption(), "Please wait");
}

TEST_F(ProgForm, AHiddenWindowIsShownAgainByAnUpdate) {
  Window().Hide();
  controller.UpdateProgress("Please wait", "Finishing", "", 0, 0, "");
  EXPECT_TRUE(Window().Visible());
}

TEST_F(ProgForm, ClosingTwiceDoesNothingTheSecondTimeAndUpdatingThenFails) {
  frmProgressForm* window = controller.Window();
  EXPECT_TRUE(window->Visible());
  controller.CloseProgress();
  EXPECT_EQ(controller.Window(), nullptr);
  EXPECT_TRUE(ui::Forms().empty());
  controller.CloseProgress();
  EXPECT_THROW(controller.UpdateProgress("", "", "", 0, 0, ""), std::logic_error);
}

TEST_F(ProgForm, ShowingAgainReplacesTheWindow) {
  controller.ShowProgress(ui::vbModeless);
  EXPECT_EQ(ui::Forms().size(), 1u);
}

TEST(ProgFormOnQt, TheWindowShowsThreeLinesAndAGreenBar) {
  static int argc = 1;
  static char name[] = "progress_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  ASSERT_NE(app, nullptr);
  ui::qt::Backend backend;
  clsProgForm controller;
  controller.ShowProgress(ui::vbModeless);
  controller.UpdateProgress("Please wait", "Indexing document", "", 1, 3, "Please wait");
  controller.Window()->Refresh();
  QWidget* window = ui::qt::Backend::WindowOf(*controller.Window());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->findChild<QLabel*>("lblLabel2")->text(), "Indexing document");
  EXPECT_EQ(window->findChild<QLabel*>("lblLabel3")->text(), "33% completed");
  auto* bar = window->findChild<QLabel*>("lblProgBarCompleted");
  EXPECT_EQ(bar->width(), 112);
  EXPECT_TRUE(bar->autoFillBackground());
  EXPECT_EQ(bar->palette().color(QPalette::Window), QColor(0, 255, 0));
  controller.CloseProgress();
}

}  // namespace
}  // namespace progress
