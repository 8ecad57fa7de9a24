#pragma once
// The add-in's process-wide values: what the running command works on and the flags its
// parts share. One thread runs every command and dialogs are modal, so plain variables do.

#include <memory>
#include <string>
#include <vector>

#include "engine/osvlx_lib.h"
#include "host/model/document.h"
#include "host/shell/application.h"

namespace state {

/// The application of the running command; nullptr between commands.
extern host::Application* pubWdApp;
/// The document of the running command; nullptr between commands.
extern host::Document* pubWdDoc;
/// The engine, from the host's start-up to the end of the connection.
extern std::shared_ptr<engine::_clsOSVLXLib> pubEngine;

/// The candidate terms the gathering stage found; element 0 holds "" when none were.
extern std::vector<std::string> arrFoundTerms;
/// True once the options dialog of the running find-and-index run was confirmed.
extern bool blnOptionsAccepted;
/// True while code, not the user, sets option controls (their click handlers then do nothing).
extern bool blnLoadingOptions;
/// True while the capitalised-terms stage runs.
extern bool blnInitCapsGathering;

/// Host settings recorded during a run and put back at its end.
extern bool blnSavedReplaceQuotes;
extern bool blnSavedAllowFastSave;
extern bool blnSavedCheckSpelling;
extern bool blnSavedCheckGrammar;
extern bool blnSavedShowGrammaticalErrors;
extern bool blnSavedShowSpellingErrors;
extern bool blnSavedShowHiddenText;

}  // namespace state
