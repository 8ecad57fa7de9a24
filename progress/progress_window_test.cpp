#include "progress/progress_window.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace progress {
namespace {

TEST(WorkerWindow, TheJobRunsWhileTheWindowShowsAndIsDoneWhenShowReturns) {
  ui::script::Backend backend;
  frmVLXProgressFormVLXPreparing window;
  window.lblLabel1.SetCaption("Please wait");
  window.lblLabel2.SetCaption("Preparing document...");
  bool visibleDuringJob = false;
  window.Job = [&] { visibleDuringJob = window.Visible(); };
  window.Show(ui::vbModeless);
  EXPECT_TRUE(visibleDuringJob);
  EXPECT_FALSE(window.Visible());
  EXPECT_TRUE(window.Unload());
}

TEST(WorkerWindow, TheCappedListReportsItsResultInTheTag) {
  ui::script::Backend backend;
  frmVLXProgressFormGetCappedList window;
  window.Job = [] { return true; };
  window.Show();
  EXPECT_EQ(window.Tag(), "True");
  window.Job = [] { return false; };
  window.Show();
  EXPECT_EQ(window.Tag(), "False");
}

TEST(WorkerWindow, AFailingJobStillHidesTheWindow) {
  ui::script::Backend backend;
  frmVLXProgressFormVLXClose window;
  window.Job = [] { throw std::runtime_error("restoring failed"); };
  EXPECT_THROW(window.Show(), std::runtime_error);
  EXPECT_FALSE(window.Visible());
}

TEST(ProgressWindow, ShowLinesSetsTheTextAndHidesTheBar) {
  frmVLXProgressFormGetCappedList window;
  window.ShowLines("Please wait", "Working", "");
  EXPECT_EQ(window.lblLabel1.Caption(), "Please wait");
  EXPECT_EQ(window.lblLabel2.Caption(), "Working");
  EXPECT_EQ(window.lblLabel3.Caption(), "");
  EXPECT_FALSE(window.lblProgBarCompleted.Visible());
  EXPECT_FALSE(window.lblProgBarTotal.Visible());
}

TEST(ProgressWindow, DisableXButtonKeepsTheWindowWithThatCaption) {
  ui::script::Backend backend;
  frmProgressForm window;
  window.SetCaption("Please wait");
  window.Show();
  window.DisableXButton("Please wait");
  EXPECT_EQ(window.Handle(), &window);
  EXPECT_FALSE(window.ControlBox());
}

}  // namespace
}  // namespace progress
