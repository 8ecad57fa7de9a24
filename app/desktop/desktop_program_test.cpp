// The program from the outside: `vellandex register` and `unregister`, the desktop host refusing
// to start without a display or a file, and started and ended as a user's session ends it.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "app/desktop/test_support.h"
#include "host/shell/application.h"
#include "host/shell/registry.h"
#include "host/testing/shell.h"
#include "host/testing/temp_folder.h"

extern char** environ;

namespace app::desktop {
namespace {

namespace fs = std::filesystem;
using host::testing::TempFolder;

const fs::path kSample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";

using Outcome = host::testing::ShellOutcome;

// Runs the program with a private configuration folder and the given variables before it.
Outcome vellandex(const TempFolder& home, const std::string& arguments, const std::string& variables = "") {
  return host::testing::RunShell("XDG_CONFIG_HOME='" + home.path().string() + "' " + variables + " '" + VLX_PROGRAM +
                                 "' " + arguments);
}

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RegisterCommand, RegistersTheAddInForTheUserAndUnregisteringTakesItAway) {
  TempFolder home;
  const fs::path file = home / "vellandex-host" / "registry" / "vellandex.json";
  Outcome registered = vellandex(home, "register");
  EXPECT_EQ(registered.exitCode, 0) << registered.output;
  EXPECT_EQ(registered.output, "Registered the Vellandex add-in in " + file.string() +
                                   "; the desktop host (vellandex with no sub-command) loads it when it starts\n");
  const host::ComponentRegistry registry({file.parent_path()});
  ASSERT_EQ(registry.AddIns().size(), 1u);
  EXPECT_EQ(registry.AddIns()[0].loadBehavior, 3);
  EXPECT_TRUE(registry.Find("OSVLXDLL.clsOSVLXLib"));

  Outcome removed = vellandex(home, "unregister", "XDG_CONFIG_DIRS='" + (home / "machine").string() + "'");
  EXPECT_EQ(removed.exitCode, 0) << removed.output;
  EXPECT_EQ(removed.output, "Removed the Vellandex add-in's registration from " + file.string() + "\n");
  EXPECT_FALSE(fs::exists(file));
  Outcome again = vellandex(home, "unregister", "XDG_CONFIG_DIRS='" + (home / "machine").string() + "'");
  EXPECT_EQ(again.output, "The Vellandex add-in was not registered in " + file.parent_path().string() + "\n");

  // A machine-wide registration still loads it: the user is told.
  fs::create_directories(home / "machine" / "vellandex-host" / "registry");
  fs::copy_file(*host::ComponentRegistry::ProgramFolder() / "components.json",
                home / "machine" / "vellandex-host" / "registry" / "components.json");
  host::WriteRegistration(home / "machine" / "vellandex-host" / "registry" / "addins.json",
                          {{}, {{"VLXDLLCOM.Connect", "Vellandex", "Vellandex add-in", 3}}});
  Outcome machine = vellandex(home, "unregister", "XDG_CONFIG_DIRS='" + (home / "machine").string() + "'");
  EXPECT_NE(machine.output.find("It stays registered for every user of this machine in " +
                                (home / "machine" / "vellandex-host" / "registry").string()),
            std::string::npos)
      << machine.output;
}

TEST(DesktopProgram, WithoutADisplayOrWithAMissingFileItSaysSoAndOpensNothing) {
  TempFolder home;
  Outcome noDisplay = vellandex(home, "", "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(noDisplay.exitCode, 1);
  EXPECT_EQ(noDisplay.output,
            "vellandex: there is no display to show the window on (DISPLAY is not set); the sub-commands work "
            "without one (see vellandex --help)\n");
  Outcome missing = vellandex(home, "'" + (home / "missing.docx").string() + "'", "QT_QPA_PLATFORM=offscreen");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "vellandex: " + (home / "missing.docx").string() + " does not exist\n");
  EXPECT_FALSE(fs::exists(home / "vellandex-host"));
}

// Starts the desktop host on the offscreen platform with a private configuration folder.
pid_t startHost(const TempFolder& home, const fs::path& document) {
  std::vector<std::string> variables{"XDG_CONFIG_HOME=" + home.path().string(), "QT_QPA_PLATFORM=offscreen"};
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("XDG_CONFIG_HOME=", 0) != 0 && std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0)
      variables.push_back(*e);
  std::vector<char*> env;
  for (std::string& v : variables) env.push_back(v.data());
  env.push_back(nullptr);
  std::string program = VLX_PROGRAM, file = document.string();
  char* argv[] = {program.data(), file.data(), nullptr};
  pid_t pid = -1;
  return ::posix_spawn(&pid, VLX_PROGRAM, nullptr, nullptr, argv, env.data()) == 0 ? pid : -1;
}

TEST(DesktopProgram, EndedByItsSessionItDisconnectsTheAddInWhichTakesItsMenuAway) {
  TempFolder home;
  ASSERT_EQ(vellandex(home, "register").exitCode, 0);
  const pid_t host = startHost(home, kSample);
  ASSERT_GT(host, 0);
  ASSERT_TRUE(testing::RunsAsDesktopHost(host));
  ::kill(host, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(host, &status, 0), host);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // The add-in was connected (it keeps what it records at disconnection), removed its popup and
  // saved the customization.
  EXPECT_NE(readFile(home / "Vellandex" / "settings.ini").find("DisplayOnConnect=0"), std::string::npos);
  host::Application after(home / "vellandex-host");
  EXPECT_FALSE(after.CommandBars().Item("Tools").FindControl(host::msoControlPopup, 0, "VLXMenu"));
  EXPECT_TRUE(fs::exists(home / "vellandex-host" / "customization.json"));
}

}  // namespace
}  // namespace app::desktop
