#pragma once
// The term gathering stage of a find-and-index run: the option controls of a dialog loaded
// from the settings file, and the candidate terms gathered into the hidden main dialog, by the
// quoted-term stage or the capitalised-term stage.

#include <string>

#include "dialogs/frm_vlx_com.h"
#include "dialogs/option_controls.h"
#include "host/model/document.h"

namespace addin {

/// Stage results: the stage failed, terms were gathered, or the run stops (the user was told).
enum StageResult : int { kStageFailed = 0, kStageGoOn = 1, kStageStop = 2 };

/// Sets a dialog's option controls from the settings file, writing the first-run defaults
/// when there is no file (IniProbMsg for each that fails) and repairing unusable quote codes.
/// True when it returns; failures reach the caller.
bool fncLoadSettingsIntoForm(dialogs::OptionControls& form);

/// The quoted-term stage: checks the quote pairs, finds the quoted terms into the run's
/// found-terms array and lists them in the dialog. A failure is reported and gives 0.
int fncGatherFlaggedTerms(host::Document& doc, dialogs::frmVLX_COM& form);

/// The capitalised-term stage (searchType "SearchInitCaps"): offers to save, clears earlier
/// indexing, finds the capitalised candidates and lists them. A failure is reported and gives 0.
int fncGatherInitCapsTerms(host::Document& doc, dialogs::frmVLX_COM& form, const std::string& searchType);

}  // namespace addin
