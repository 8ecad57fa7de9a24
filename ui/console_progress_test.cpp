#include "ui/console_progress.h"

#include <sstream>

#include <gtest/gtest.h>

namespace ui {
namespace {

class Console : public ::testing::Test {
 protected:
  void TearDown() override { SetConsoleProgress(ConsoleMode::Off); }
  std::ostringstream out;
};

TEST_F(Console, OffOrAutoWithoutATerminalPrintsNothing) {
  SetConsoleProgress(ConsoleMode::Off, &out, true);
  ShowConsoleProgress("Please wait", "Sorting", "", 0, 0);
  SetConsoleProgress(ConsoleMode::Auto, &out, false);
  ShowConsoleProgress("Please wait", "Sorting", "", 0, 0);
  EndConsoleProgress();
  EXPECT_EQ(out.str(), "");
}

TEST_F(Console, IntoAFileEachChangeIsOneLine) {
  SetConsoleProgress(ConsoleMode::Always, &out, false);
  ShowConsoleProgress("Please wait", "Building search list", "", 0, 0);
  ShowConsoleProgress("Please wait", "Building search list", "", 0, 0);
  ShowConsoleProgress("Please wait", "Indexing document:  Term", "", 1, 3);
  ShowConsoleProgress("Please wait", "", "", 0, 0);
  EndConsoleProgress();
  EXPECT_EQ(out.str(),
            "Building search list\n"
            "[#######-------------]  33% Indexing document:  Term\n"
            "Please wait\n");
}

TEST_F(Console, OnATerminalTheLineIsRedrawnAndClearedAtTheEnd) {
  SetConsoleProgress(ConsoleMode::Auto, &out, true);
  ShowConsoleProgress("Please wait", "Finishing", "", 4, 4);
  EndConsoleProgress();
  EXPECT_EQ(out.str(), "\r[####################] 100% Finishing\x1b[K\r\x1b[K");
}

TEST_F(Console, LongStepsAreCutToOneLine) {
  SetConsoleProgress(ConsoleMode::Always, &out, false);
  ShowConsoleProgress("", std::string(200, 'x'), "", 0, 0);
  EXPECT_EQ(out.str(), std::string(79, 'x') + "\n");
}

TEST(PercentDone, RoundsTheFractionHalfToEven) {
  EXPECT_EQ(PercentDone(1, 3), 33);
  EXPECT_EQ(PercentDone(2, 3), 67);
  EXPECT_EQ(PercentDone(1, 8), 12);
  EXPECT_EQ(PercentDone(3, 8), 38);
  EXPECT_EQ(PercentDone(1, 200), 0) << "0.005 rounds to 0.00";
  EXPECT_EQ(PercentDone(3, 200), 2) << "0.015 rounds to 0.02";
  EXPECT_EQ(PercentDone(7, 7), 100);
  EXPECT_EQ(PercentDone(2000000000, 2000000000), 100) << "no overflow";
}

}  // namespace
}  // namespace ui
