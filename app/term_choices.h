#pragma once
// Which terms a run indexes (--only, --exclude, --add, --add-file): chosen on the main dialog's
// two lists before OK, as a user chooses them. Term list files are read by the dialog's own
// "Load saved list" button, so they are read exactly as the dialog reads them.

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ui/form.h"
#include "ui/script/backend.h"

namespace app {

/// The terms the command line chooses.
struct TermChoices {
  std::optional<std::string> only;     // a term list: index only the found terms it holds
  std::optional<std::string> exclude;  // a term list: leave the found terms it holds out
  std::vector<std::string> add;        // terms to add
  std::vector<std::string> addFiles;   // term lists whose terms to add

  /// Registers the flags on a sub-command.
  void addFlags(CLI::App& command);
  /// The flags again, as command-line arguments (to run the program once more with them).
  std::vector<std::string> arguments() const;
  /// Refuses (BatchFailure, bad input) a term list that cannot be read or is not named .txt,
  /// before anything is done.
  void checkFiles() const;
  /// Chooses on the main dialog: the found terms selected are all of them, or those of
  /// --only, less those of --exclude, less any that the search took across a tab or a line
  /// or paragraph break; then the terms of --add-file and --add are added, selected.
  /// Returns what went wrong, else "".
  std::string applyTo(ui::Form& dialog, ui::script::Backend& user) const;
};

/// The number of terms selected in the main dialog's two lists.
int selectedTerms(ui::Form& dialog);

}  // namespace app
