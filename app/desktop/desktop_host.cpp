#include "app/desktop/desktop_host.h"

#include <sys/prctl.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QStatusBar>

#include "app/desktop/main_window.h"
#include "app/desktop/quit_signals.h"
#include "app/exit_codes.h"
#include "host/platform/config_dirs.h"
#include "ui/message_box.h"
#include "ui/qt/backend.h"

namespace app::desktop {
namespace {

bool hasDisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* value = std::getenv(variable); value && *value) return true;
  return false;
}

}  // namespace

DesktopHost::DesktopHost(std::optional<std::filesystem::path> settingsDir,
                         std::vector<std::filesystem::path> registryFolders)
    : app_(std::move(settingsDir)),
      registry_(registryFolders),
      addIns_(app_, registry_),
      window_(std::make_unique<MainWindow>(app_)) {
  app_.setRepaint([this] { window_->repaintNow(); });
  app_.CommandBars().setBuiltInAction([this](int id) {
    if (id == host::kComAddInsControlId) ui::MsgBox(describeAddIns(), ui::vbInformation, "COM Add-Ins");
  });
}

DesktopHost::~DesktopHost() {
  window_.reset();
  addIns_.DisconnectAll(host::ext_dm_HostShutdown);
}

void DesktopHost::start(const std::string& file) {
  addIns_.ConnectAtStartup({host::kStartedByUser});
  window_->rebuildMenuBar();
  window_->show();
  if (!file.empty()) window_->openFile(file);
  try {
    addIns_.StartupComplete({});
  } catch (const std::exception& e) {
    ui::MsgBox(std::string("An add-in could not complete its start-up: ") + e.what(), ui::vbExclamation, "Vellandex");
  }
  const std::vector<std::string> loaded = addIns_.ProgIds();
  std::string missing;
  for (const host::AddInEntry& entry : registry_.AddIns())
    if (entry.loadBehavior == host::kLoadAtStartup &&
        std::find(loaded.begin(), loaded.end(), entry.progId) == loaded.end())
      missing += (missing.empty() ? "" : ", ") + entry.friendlyName;
  if (!missing.empty())
    window_->statusBar()->showMessage(QString::fromStdString("Not loaded: " + missing + " (the terminal says why)"));
  else if (loaded.empty())
    window_->statusBar()->showMessage(
        QStringLiteral("No add-in is registered: run vellandex register to add Vellandex"));
}

std::string DesktopHost::describeAddIns() const {
  const std::vector<std::string> loaded = addIns_.ProgIds();
  std::string text;
  for (const host::AddInEntry& entry : registry_.AddIns()) {
    const bool isLoaded = std::find(loaded.begin(), loaded.end(), entry.progId) != loaded.end();
    text += (entry.friendlyName.empty() ? entry.progId : entry.friendlyName) + " (" + entry.progId + ")";
    if (!entry.description.empty()) text += ": " + entry.description;
    text += std::string(isLoaded ? "; loaded" : "; not loaded") +
            (entry.loadBehavior == host::kLoadAtStartup ? ", loads at start-up.\n" : ".\n");
  }
  if (text.empty()) text = "No add-in is registered.\n";
  return text + "\n`vellandex register` registers the Vellandex add-in; `vellandex unregister` removes it.";
}

int RunDesktopHost(const std::string& file) {
  if (!file.empty() && !std::filesystem::exists(file)) {
    std::cerr << "vellandex: " << file << " does not exist\n";
    return kExitBadInput;
  }
  if (!hasDisplay()) {
    std::cerr << "vellandex: there is no display to show the window on (DISPLAY is not set); "
                 "the sub-commands work without one (see vellandex --help)\n";
    return kExitBadInput;
  }
  int argc = 1;
  char name[] = "vellandex";
  char* argv[] = {name, nullptr};
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vellandex"));
  ui::qt::Backend backend;
  MainWindow* window = nullptr;
  QuitOnSignals interrupts([&window] { window ? window->quitWhenIdle() : QCoreApplication::quit(); });
  // Add-ins tell desktop hosts from batch programs by this name.
  ::prctl(PR_SET_NAME, host::kHostProcessName, 0, 0, 0);
  DesktopHost desktop(host::UserConfigDir(), host::ComponentRegistry::DefaultFolders());
  window = &desktop.window();
  desktop.start(file);
  const int code = QApplication::exec();
  window = nullptr;  // the window goes before the add-ins are disconnected
  return code == 0 ? kExitDone : kExitInternal;
}

}  // namespace app::desktop
