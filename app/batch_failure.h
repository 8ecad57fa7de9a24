#pragma once
// The failure of a command of the program, with the exit code it ends the program with.

#include <string>

namespace app {

/// The failure of a batch command, with the exit code it ends the program with.
struct BatchFailure {
  int exitCode;
  std::string message;
};

}  // namespace app
