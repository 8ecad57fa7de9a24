#pragma once
// What the desktop host's tests share: one QApplication on the offscreen platform, and a
// private configuration folder in which the Vellandex add-in is registered as
// `vellandex register` registers it, with the components of this build.

#include <sys/types.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "app/desktop/registration.h"
#include "host/shell/application.h"
#include "host/shell/registry.h"
#include "host/testing/temp_folder.h"

namespace app::desktop::testing {

/// The tests' application.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "desktop_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

/// Runs what is waiting in the event loop (a menu choice's click, paints).
inline void Settle() {
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

/// Waits (up to ten seconds) until a process runs under the desktop host's name; false when it
/// never does.
inline bool RunsAsDesktopHost(pid_t pid) {
  for (int i = 0; i < 1000; ++i) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (std::getline(comm, name) && name == host::kHostProcessName) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

/// A configuration folder of the test's own with the add-in registered in it.
class RegisteredConfig {
 public:
  RegisteredConfig() {
    RegisterAddIn(*host::ComponentRegistry::ProgramFolder(), *host::ComponentRegistry::UserFolder());
  }
  /// The folder.
  const host::testing::TempFolder& folder() const { return folder_; }
  /// The host's settings folder inside it.
  std::filesystem::path hostFolder() const { return folder_ / "vellandex-host"; }

 private:
  host::testing::TempFolder folder_;
  host::testing::EnvGuard xdg_{"XDG_CONFIG_HOME", folder_.path().string()};
};

/// The top-level menu of the window's menu bar that shows the named command bar.
inline QMenu* BarMenu(QMenuBar& bar, const char* name) {
  return bar.findChild<QMenu*>(name, Qt::FindDirectChildrenOnly);
}

/// A menu as the user opens it: drawn afresh from its command bar.
inline QMenu* Opened(QMenu* menu) {
  if (menu) emit menu->aboutToShow();
  return menu;
}

}  // namespace app::desktop::testing
