#pragma once
// The desktop host as the program creates it: a component in a library of its own, so that the
// sub-commands, which never show a window, run without loading the windowing toolkit.

#include <string>

namespace app::desktop {

/// Runs the desktop host.
class DesktopProgram {
 public:
  static constexpr const char* kInterfaceId = "Vellandex.DesktopProgram";
  /// The identifier the program's registry gives the desktop host's library.
  static constexpr const char* kProgId = "Vellandex.DesktopHost";
  virtual ~DesktopProgram() = default;
  /// `vellandex` with no sub-command, or with a document: runs the desktop host until its window
  /// closes; returns the program's exit code.
  virtual int Run(const std::string& file) = 0;
};

}  // namespace app::desktop
