// The sub-commands run where no window can be shown: neither the program nor the add-in and the
// engine it loads for a run bring in the windowing toolkit.
#include <gtest/gtest.h>

#include "app/testing/program.h"

namespace app {
namespace {

using namespace app::testing;

TEST(BatchLibraries, AnIndexRunLoadsTheComponentsButNoWindowingToolkit) {
  TempFolder tmp;
  // The dynamic loader names each library it opens, the components' included.
  const Outcome run = shell(tmp, "LD_DEBUG=files '" + std::string(VLX_PROGRAM) + "' index " + shellArg(kSample) +
                                     " -o " + shellArg(tmp / "out.docx"));
  EXPECT_EQ(run.exitCode, 0) << run.all();
  EXPECT_NE(run.errors.find("libVLXDLLCOM.so"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("libOSVLXDLL.so"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find("libQt6Widgets"), std::string::npos);
  EXPECT_EQ(run.errors.find("libQt6Gui"), std::string::npos);
  EXPECT_EQ(run.errors.find("libvlxdesktop"), std::string::npos);
}

}  // namespace
}  // namespace app
