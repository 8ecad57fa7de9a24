#pragma once
// Writing the option controls of either dialog to the settings file, and the enabling rules
// that tie the quote lists and the index-what buttons to the search type.

#include "dialogs/option_controls.h"

namespace dialogs {

/// Enables the quote lists with their labels and both index-what buttons for terms in quotes
/// (searchType 0); disables them for capitalised words (1).
void ApplySearchTypeRules(OptionControls& form, int searchType);

/// Writes the options shown on the form to the settings file in their fixed key order and
/// re-applies the enabling rules; a failing step is reported ("Error setting defaults") and the
/// next one runs.
void SaveOptions(OptionControls& form);

}  // namespace dialogs
