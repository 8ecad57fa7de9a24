#pragma once
// A find-and-index run driven from the command line: the add-in's own "Find and index" button
// is clicked; the options dialog gets the command line's options, set on its controls as a
// user sets them, and Search; the main dialog is handed to the command, which chooses terms
// and ends it with OK or Cancel.

#include <functional>
#include <string>

#include "app/batch_session.h"
#include "app/option_flags.h"
#include "ui/form.h"

namespace app {

/// What happened in a find-and-index run, as far as the command line can tell.
struct RunOutcome {
  std::string optionsProblem;         // a flag the options dialog could not take
  std::string choiceProblem;          // a choice the main dialog could not take
  std::string openQuote, closeQuote;  // the quote characters the options dialog searched with
  bool mainDialogShown = false;       // the search ended in the main dialog
  bool nothingChosen = false;         // no term was selected, so the dialog was cancelled
  bool indexed = false;               // OK indexed the document and ended the dialog
};

/// What the command does in the main dialog; it returns true to press OK, false for Cancel,
/// and may note a problem in the outcome.
using MainDialogScript = std::function<bool(ui::Form& dialog, RunOutcome& outcome)>;

/// Clicks "Find and index" in the session's document. The options dialog takes options and,
/// with setAsDefaults, its "Set as defaults" button before Search; a flag it cannot take
/// cancels it. The main dialog is handed to script; OK with no term selected is not pressed.
/// The outcome is filled as the run goes (those who watch the run's messages may read it).
void runFindAndIndex(BatchSession& session, const OptionFlags& options, bool setAsDefaults,
                     const MainDialogScript& script, RunOutcome& outcome);

/// Throws the failure of a run that stopped on the way (BatchFailure): a flag or choice that
/// could not be taken, or an index place refused (bad input); quotes that do not pair up
/// (refused); a failure the add-in reported (internal). Nothing when the run went its way.
void checkRun(const BatchSession& session, const RunOutcome& outcome, const std::string& input);

}  // namespace app
