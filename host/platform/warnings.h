#pragma once
// Where library code reports what went wrong and was worked around (a damaged options file, an
// add-in that failed to load, no configuration folder): to the sink the program installs, never
// straight to a terminal. One sink for the process, as the configuration folders are.

#include <functional>
#include <string>

namespace host {

/// Receives each warning as one line of text, without its line break.
using WarningSink = std::function<void(const std::string& line)>;

/// Installs sink for the whole process and returns the one it replaces; with none installed
/// warnings are dropped.
WarningSink SetWarningSink(WarningSink sink);

/// Hands one line to the installed sink.
void Warn(const std::string& line);

/// Warns in the host's name ("vellandex-host: warning: " and the message).
void WarnSettings(const std::string& message);

}  // namespace host
