#include "state/run_state.h"

namespace state {

host::Application* pubWdApp = nullptr;
host::Document* pubWdDoc = nullptr;
std::shared_ptr<engine::_clsOSVLXLib> pubEngine;

std::vector<std::string> arrFoundTerms{""};
bool blnOptionsAccepted = false;
bool blnLoadingOptions = false;
bool blnInitCapsGathering = false;

bool blnSavedReplaceQuotes = false;
bool blnSavedAllowFastSave = false;
bool blnSavedCheckSpelling = false;
bool blnSavedCheckGrammar = false;
bool blnSavedShowGrammaticalErrors = false;
bool blnSavedShowSpellingErrors = false;
bool blnSavedShowHiddenText = false;

}  // namespace state
