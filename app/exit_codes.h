#pragma once
// The program's exit codes, the same for every sub-command, and their description as the
// help texts, the manual page and the README show it.

namespace app {

/// What a run of the program ended with.
enum ExitCode : int {
  kExitDone = 0,      // the command did what it was asked
  kExitBadInput = 1,  // the user's input is wrong: an option, a missing or unreadable file, not a .docx
  kExitRefused = 2,   // the document was refused: mismatched quotes, nothing to index
  kExitInternal = 3,  // an internal failure
};

/// The exit codes explained, one line each.
inline constexpr const char* kExitCodesHelp =
    "Exit codes:\n"
    "  0  done\n"
    "  1  the input is wrong: a bad option, a missing or unreadable file, not a .docx, a protected\n"
    "     file, an output that cannot be written\n"
    "  2  the document was refused: its double quotes do not pair up, nothing to index, no index\n"
    "     to update\n"
    "  3  an internal failure\n";

}  // namespace app
