// What the libraries warn about reaches standard error through the sink the program installs,
// word for word and once.
#include <gtest/gtest.h>

#include "app/testing/program.h"

namespace app {
namespace {

using namespace app::testing;

TEST(ProgramWarnings, ALibraryWarningIsPrintedOnStandardErrorOnce) {
  TempFolder tmp;
  const Outcome run = shell(
      tmp, "env -u HOME -u XDG_CONFIG_HOME '" + std::string(VLX_PROGRAM) + "' terms " + shellArg(kSample));
  EXPECT_EQ(run.exitCode, 0) << run.all();
  const std::string line =
      "vellandex-host: warning: no settings folder (neither XDG_CONFIG_HOME nor HOME is set); options and "
      "customizations cannot be kept.\n";
  const std::size_t at = run.errors.find(line);
  ASSERT_NE(at, std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find(line, at + 1), std::string::npos) << run.errors;
}

}  // namespace
}  // namespace app
