#include "host/platform/warnings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/testing/captured_warnings.h"

namespace host {
namespace {

TEST(Warnings, ReachTheInstalledSinkAndNothingOnceItIsRemoved) {
  std::vector<std::string> heard;
  WarningSink before = SetWarningSink([&](const std::string& line) { heard.push_back(line); });
  Warn("plain line");
  WarnSettings("the options file is damaged.");
  SetWarningSink(nullptr);
  Warn("dropped");
  SetWarningSink(std::move(before));
  EXPECT_EQ(heard, (std::vector<std::string>{"plain line", "vellandex-host: warning: the options file is damaged."}));
}

TEST(Warnings, ACaptureCollectsLinesAndPutsTheProgramsSinkBack) {
  std::vector<std::string> program;
  WarningSink before = SetWarningSink([&](const std::string& line) { program.push_back(line); });
  {
    testing::CapturedWarnings captured;
    Warn("first");
    Warn("second");
    EXPECT_EQ(captured.text(), "first\nsecond\n");
  }
  Warn("after");
  SetWarningSink(std::move(before));
  EXPECT_EQ(program, std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace host
