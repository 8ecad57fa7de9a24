#include "app/find_and_index.h"

#include "app/careful_user.h"
#include "app/exit_codes.h"
#include "app/term_choices.h"
#include "ui/list_controls.h"
#include "ui/script/user.h"

namespace app {
namespace {

// The message of a title whose text says more, "" when none was shown.
std::string shownText(const BatchSession& session, const std::string& title) {
  for (const ui::Message& m : session.messages())
    if (m.title == title) return m.prompt;
  return "";
}

}  // namespace

void runFindAndIndex(BatchSession& session, const OptionFlags& options, bool setAsDefaults,
                     const MainDialogScript& script, RunOutcome& outcome) {
  outcome = RunOutcome{};
  session.user().OnModal("frmVLXOptions", [&](ui::Form& form) {
    outcome.optionsProblem = options.applyTo(form);
    if (!outcome.optionsProblem.empty()) {
      ui::script::Click(control(form, "cmdCancel"));
      return;
    }
    outcome.openQuote = dynamic_cast<ui::ComboBox&>(control(form, "cmbOpenQuote")).Text();
    outcome.closeQuote = dynamic_cast<ui::ComboBox&>(control(form, "cmbCloseQuote")).Text();
    if (setAsDefaults) ui::script::Click(control(form, "cmdSetDefaults"));
    ui::script::Click(control(form, "cmdOK"));
  });
  session.user().OnModal("frmVLX_COM", [&](ui::Form& form) {
    outcome.mainDialogShown = true;
    const bool ok = script(form, outcome);
    if (ok && selectedTerms(form) == 0) outcome.nothingChosen = true;
    if (!ok || outcome.nothingChosen) {
      ui::script::Click(control(form, "cmdCancel"));
      return;
    }
    ui::script::Click(control(form, "cmdOK"));
    // OK leaves the dialog open only when it refused or failed, and said why.
    outcome.indexed = !form.Visible();
    if (form.Visible()) form.Hide();
  });
  session.click("VLXIndexTag");
}

void checkRun(const BatchSession& session, const RunOutcome& outcome, const std::string& input) {
  if (!outcome.optionsProblem.empty()) throw BatchFailure{kExitBadInput, outcome.optionsProblem};
  if (!outcome.choiceProblem.empty()) throw BatchFailure{kExitBadInput, outcome.choiceProblem};
  if (session.shown("Cannot index"))
    throw BatchFailure{kExitRefused, input + ": its double quotes do not pair up (vellandex check-quotes shows where)"};
  if (session.shown("Cannot continue - inside a table"))
    throw BatchFailure{kExitBadInput, input + ": the index cannot go inside a table; choose another place with --at"};
  if (session.shown("Cannot continue - inside a field"))
    throw BatchFailure{kExitBadInput,
                       input + ": the index cannot go inside another field; choose another place with --at"};
  if (session.shown("Cannot continue - inside a content control"))
    throw BatchFailure{kExitBadInput,
                       input + ": the index cannot go inside a content control; choose another place with --at"};
  if (shownText(session, "Cannot continue").find("main body") != std::string::npos)
    throw BatchFailure{kExitBadInput,
                       input + ": the index can only go in the main text; choose another place with --at"};
  if (session.errorShown() || session.shown("Cannot continue"))
    throw BatchFailure{kExitInternal, input + ": the run failed (see the messages above)"};
}

}  // namespace app
