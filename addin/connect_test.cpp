#include "addin/connect.h"

#include <fstream>

#include <gtest/gtest.h>

#include "addin/count_process.h"
#include "host/platform/error.h"
#include "host/testing/temp_folder.h"
#include "progress/cls_prog_form.h"
#include "settings/app_settings.h"
#include "state/run_state.h"
#include "ui/script/backend.h"

namespace addin {
namespace {

using host::testing::EnvGuard;
using host::testing::TempFolder;

// The Tools menu as captions, popups with their buttons in brackets.
std::string toolsMenu(host::Application& app) {
  std::string out;
  host::CommandBarControls controls = app.CommandBars().Item("Tools").Controls();
  for (long i = 1; i <= controls.Count(); ++i) {
    host::CommandBarControl c = controls.Item(i);
    out += (out.empty() ? "" : " | ") + c.Caption();
    if (c.Type() == host::msoControlPopup) {
      out += " [";
      for (long j = 1; j <= c.Controls().Count(); ++j)
        out += (j > 1 ? ", " : "") + c.Controls().Item(j).Caption() + "=" + c.Controls().Item(j).Tag();
      out += "]";
    }
  }
  return out;
}

class ConnectTest : public ::testing::Test {
 protected:
  TempFolder config_;
  EnvGuard xdg_{"XDG_CONFIG_HOME", config_.path().string()};
  ui::script::Backend backend_;
  host::Application app_;
  host::AddInInstance instance_{Connect::kProgId, ""};
};

constexpr const char* kInstalled =
    "Vellande&x [&Find and index=VLXIndexTag, &Remove indexing=RemoveIndexTag, "
    "Remove &highlighting only=RemoveHighlightTag, &Update index=UpdateTag] | COM Add-Ins...";

TEST_F(ConnectTest, TheFirstHostGetsOnePopupWithFourButtonsAndTheComAddInsCommand) {
  // A popup left by an earlier connection, and the built-in command already there.
  host::CommandBarControls tools = app_.CommandBars().Item("Tools").Controls();
  host::CommandBarControl stale = tools.Add(host::msoControlPopup);
  stale.SetTag("VLXMenu");
  stale.SetCaption("Vellande&x");
  tools.Add(host::msoControlButton, host::kComAddInsControlId).SetCaption("&COM Add-Ins...");

  Connect connect([] { return 1L; });
  host::CustomArray custom{host::kStartedByUser};
  connect.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);

  EXPECT_EQ(toolsMenu(app_),
            "COM Add-Ins... | " + std::string(kInstalled).substr(0, std::string(kInstalled).find(" | ")));
  EXPECT_EQ(connect.mcbCOMMenuButton().Style(), host::msoButtonCaption);
  EXPECT_EQ(connect.mcbVLXIndexButton().Style(), host::msoButtonCaption);
  EXPECT_TRUE(progress::pubProgForm);
  EXPECT_EQ(&connect.wdApp(), &app_);

  // A click on the first button starts the find-and-index run, which needs a document.
  backend_.Answer("No document to index", ui::vbOK);
  connect.mcbVLXIndexButton().Execute();
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "At least 1 document needs to be open to run the indexer.");
  EXPECT_FALSE(connect.FormDisplayed());
}

TEST_F(ConnectTest, TwoLeftOverPopupsLoseOnlyTheFirstOnEachConnection) {
  host::CommandBarControls tools = app_.CommandBars().Item("Tools").Controls();
  for (int i = 0; i < 2; ++i) tools.Add(host::msoControlPopup).SetTag("VLXMenu");
  Connect connect([] { return 1L; });
  host::CustomArray custom{host::kStartedByUser};
  connect.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);
  EXPECT_EQ(tools.Count(), 3);  // one stale popup, the new popup, the COM Add-Ins command
}

TEST_F(ConnectTest, ASecondHostAnAutomatedHostAndAnExternalConnectionInstallNothing) {
  Connect second([] { return 2L; });
  host::CustomArray custom{host::kStartedByUser};
  second.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);
  EXPECT_EQ(toolsMenu(app_), "");
  EXPECT_EQ(&second.wdApp(), &app_);

  Connect external([] { return 1L; });
  external.AddinInstance_OnConnection(app_, host::ext_cm_External, instance_, custom);
  EXPECT_EQ(toolsMenu(app_), "");

  Connect automated([] { return 1L; });
  host::CustomArray byAutomation{host::kStartedByAutomation};
  automated.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, byAutomation);
  EXPECT_TRUE(automated.blnInactive());
  EXPECT_EQ(toolsMenu(app_), "");
  EXPECT_THROW(automated.wdApp(), host::Error);

  // A host that does not say how it was started still gets the menu.
  Connect unknown([] { return 1L; });
  host::CustomArray none;
  unknown.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, none);
  EXPECT_EQ(toolsMenu(app_), kInstalled);
}

TEST_F(ConnectTest, DisconnectionRemovesThePopupSavesTheCustomizationAndRecordsWhetherTheDialogWasReached) {
  Connect connect([] { return 1L; });
  host::CustomArray custom{host::kStartedByUser};
  connect.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);
  connect.SetFormDisplayed(true);
  connect.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom);
  EXPECT_EQ(toolsMenu(app_), "COM Add-Ins...");
  EXPECT_TRUE(app_.CustomizationContext().Saved());
  EXPECT_EQ(settings::GetSetting("Vellandex", "Settings", "DisplayOnConnect"), "1");
  EXPECT_FALSE(connect.FormDisplayed());
  EXPECT_FALSE(progress::pubProgForm);

  connect.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);
  connect.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom);
  EXPECT_EQ(settings::GetSetting("Vellandex", "Settings", "DisplayOnConnect"), "0");
}

TEST_F(ConnectTest, WithASecondHostRunningDisconnectionLeavesTheMenuAndSavesNothing) {
  long hosts = 1;
  Connect connect([&] { return hosts; });
  host::CustomArray custom{host::kStartedByUser};
  connect.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom);
  app_.CustomizationContext().SetSaved(false);
  hosts = 2;
  connect.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom);
  EXPECT_EQ(toolsMenu(app_), kInstalled);
  EXPECT_FALSE(app_.CustomizationContext().Saved());
  EXPECT_EQ(settings::GetSetting("Vellandex", "Settings", "DisplayOnConnect", "unset"), "unset");
}

TEST_F(ConnectTest, StartUpCompletionCreatesTheEngineThroughTheRegistryInTheFirstHostOnly) {
  std::filesystem::create_directories(config_ / "vellandex-host/registry");
  std::filesystem::copy_file(VLX_ENGINE_REGISTRATION, config_ / "vellandex-host/registry/OSVLXDLL.json");
  state::pubEngine.reset();
  host::CustomArray custom;
  Connect second([] { return 2L; });
  second.AddinInstance_OnStartupComplete(custom);
  EXPECT_FALSE(state::pubEngine);
  Connect first([] { return 1L; });
  first.AddinInstance_OnStartupComplete(custom);
  ASSERT_TRUE(state::pubEngine);
  std::vector<std::string> terms{"a", "ccc", "bb"};
  EXPECT_EQ(state::pubEngine->fncListSort(terms), (std::vector<std::string>{"ccc", "bb", "a"}));
  state::pubEngine.reset();
}

TEST(CountHostProcesses, CountsTheProcessesRunningTheDesktopHostByTheirCommandName) {
  TempFolder proc;
  auto process = [&](const std::string& id, const std::string& comm) {
    std::filesystem::create_directories(proc / id);
    std::ofstream(proc / id / "comm") << comm << "\n";
  };
  process("1", "systemd");
  process("200", "vellandex-host");
  process("201", "vellandex");  // the batch program is no host
  process("305", "vellandex-host");
  process("self", "vellandex-host");                  // not a process id
  std::filesystem::create_directories(proc / "400");  // a process that went away
  EXPECT_EQ(CountHostProcesses(proc.path()), 2);
  EXPECT_EQ(CountHostProcesses(proc / "missing"), 0);
}

TEST(CountWordProcesses, AProcessThatIsNoDesktopHostSharesItsMenusWithNobody) { EXPECT_EQ(CountWordProcesses(), 1); }

}  // namespace
}  // namespace addin
