#pragma once
// The flags that override the search and index options, as the options dialog shows them.
// Each flag is set on the dialog's own control before its Search button is pressed, as a
// user would set it, so that the add-in saves and reads the option the usual way.

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ui/form.h"

namespace app {

/// The options given on the command line; an empty value leaves the saved option alone.
struct OptionFlags {
  std::optional<std::string> search;  // "quoted" or "caps"
  std::optional<bool> bold;
  std::optional<std::string> openQuote, closeQuote;  // a quote character or its code
  std::optional<bool> caseSensitive;
  std::optional<bool> fullCaps;
  std::optional<bool> ignoreNumbers;
  std::optional<bool> highlight;
  std::optional<bool> definitionsOnly;
  std::optional<bool> notUsed, notFound;
  std::optional<int> cols;
  std::optional<std::string> sep;
  std::optional<bool> tab;

  /// Registers the flags of the search options (search type, bold, quotes, case, capitals,
  /// numbers) on a sub-command.
  void addSearchFlags(CLI::App& command);
  /// Registers --open-quote and --close-quote on a sub-command (addSearchFlags does too).
  void addQuoteFlags(CLI::App& command);
  /// Registers the flags of the index options (highlight, what to index, the lists, columns,
  /// separator) on a sub-command.
  void addIndexFlags(CLI::App& command);
  /// The flags again, as command-line arguments (to run the program once more with them).
  std::vector<std::string> arguments() const;
  /// Sets the flags on the option controls of a dialog, as a user would, in the order the
  /// dialog's own reactions need (the search type first, then what it enables). Returns what
  /// is wrong when a flag cannot be set (a quote the dialog does not offer, an option the
  /// chosen search type switches off), else "".
  std::string applyTo(ui::Form& dialog) const;
};

}  // namespace app
