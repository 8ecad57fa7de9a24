#include "host/shell/addin_connection.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/shell/application.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

using testing::TempFolder;

// The captions of the Tools menu's controls, where the test add-in shows its events.
std::vector<std::string> toolsButtons(Application& app) {
  std::vector<std::string> out;
  CommandBarControls controls = app.CommandBars().Item("Tools").Controls();
  for (long i = 1; i <= controls.Count(); ++i)
    out.push_back(controls.Item(i).Caption() + " [" + controls.Item(i).Tag() + "]");
  return out;
}

class ConnectedAddInsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Registration r;
    for (const char* id : {"Test.First", "Test.Second", "Test.Failing", "Test.Manual"})
      r.components.push_back({id, VLX_TEST_COMPONENT, "vlx_test_create_addin"});
    r.addIns = {{"Test.First", "First", "the first", kLoadAtStartup},
                {"Test.Failing", "Failing", "", kLoadAtStartup},
                {"Test.Manual", "Manual", "", 0},
                {"Test.Second", "Second", "", kLoadAtStartup}};
    WriteRegistration(tmp_ / "addins.json", r);
  }
  TempFolder tmp_;
};

TEST_F(ConnectedAddInsTest, StartUpConnectsTheAddInsThatLoadAtStartUpAndRaisesTheirEventsInOrder) {
  Application app;
  ComponentRegistry registry({tmp_.path()});
  {
    ConnectedAddIns addIns(app, registry);
    EXPECT_EQ(addIns.ConnectAtStartup({kStartedByUser}), 2);  // the failing one is skipped
    EXPECT_EQ(addIns.ProgIds(), (std::vector<std::string>{"Test.First", "Test.Second"}));
    EXPECT_EQ(toolsButtons(app),
              (std::vector<std::string>{"Test.First 1 1 [connected]", "Test.Second 1 1 [connected]"}));
    addIns.StartupComplete({});
    EXPECT_EQ(toolsButtons(app), (std::vector<std::string>{"Test.First 1 1 [started]", "Test.Second 1 1 [started]"}));

    // An add-in connected later gets no start-up event.
    addIns.Connect("Test.Manual", ext_cm_AfterStartup, {});
    addIns.StartupComplete({});
    EXPECT_EQ(toolsButtons(app).back(), "Test.Manual 0 - [connected]");
  }
  EXPECT_TRUE(toolsButtons(app).empty());  // every add-in was disconnected when the host went
}

TEST_F(ConnectedAddInsTest, AnAddInThatCannotBeCreatedOrConnectedIsAnErrorAndIsNotKept) {
  Application app;
  ComponentRegistry registry({tmp_.path()});
  ConnectedAddIns addIns(app, registry);
  try {
    addIns.Connect("Test.Unknown", ext_cm_AfterStartup, {});
    FAIL() << "an unregistered add-in was connected";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrCannotCreateObject);
  }
  EXPECT_THROW(addIns.Connect("Test.Failing", ext_cm_AfterStartup, {}), std::runtime_error);
  EXPECT_EQ(addIns.Count(), 0u);
}

}  // namespace
}  // namespace host
