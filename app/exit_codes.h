#pragma once
// The program's exit codes, the same for every sub-command.

namespace app {

/// What a run of the program ended with.
enum ExitCode : int {
  kExitDone = 0,      // the command did what it was asked
  kExitBadInput = 1,  // the user's input is wrong: an option, a missing or unreadable file, not a .docx
  kExitRefused = 2,   // the document was refused: mismatched quotes, nothing to index
  kExitInternal = 3,  // an internal failure
};

}  // namespace app
