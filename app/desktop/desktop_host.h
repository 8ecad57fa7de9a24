#pragma once
// The desktop host: the application with the user's options and kept menus, the add-ins it
// loads at start-up through the component registry, and the main window. It plays the word
// processor's part for the add-in: it raises the connection events as a word processor that its
// user started does, runs the built-in "COM Add-Ins..." command, and repaints its window when
// the add-in refreshes the screen.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/shell/addin_connection.h"
#include "host/shell/application.h"
#include "host/shell/registry.h"

namespace app::desktop {

class MainWindow;

/// The application, its add-ins and its window.
class DesktopHost {
 public:
  /// A host that keeps its options and menus in settingsDir (none: keeps nothing) and finds
  /// components and add-ins in registryFolders. Needs a QApplication and a forms backend.
  DesktopHost(std::optional<std::filesystem::path> settingsDir, std::vector<std::filesystem::path> registryFolders);
  /// Closes the window, then disconnects the add-ins, as the host does when it exits.
  ~DesktopHost();
  DesktopHost(const DesktopHost&) = delete;
  DesktopHost& operator=(const DesktopHost&) = delete;

  /// Connects the add-ins that load at start-up, shows the window with the file opened (when
  /// one is given), then completes the start-up.
  void start(const std::string& file);
  /// The main window.
  MainWindow& window() { return *window_; }
  /// The application.
  host::Application& application() { return app_; }
  /// The identifiers of the connected add-ins.
  std::vector<std::string> connectedAddIns() const { return addIns_.ProgIds(); }
  /// What the "COM Add-Ins..." command shows: each registered add-in and whether it is loaded.
  std::string describeAddIns() const;

 private:
  host::Application app_;
  host::ComponentRegistry registry_;
  host::ConnectedAddIns addIns_;
  std::unique_ptr<MainWindow> window_;
};

/// Runs the desktop host until its window closes (see DesktopProgram); returns the program's
/// exit code.
int RunDesktopHost(const std::string& file);

}  // namespace app::desktop
