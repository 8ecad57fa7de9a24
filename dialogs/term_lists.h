#pragma once
// Loading and saving the main dialog's term lists: the "Load saved list" button, and the two
// save buttons (found terms, additional terms). Wrong names and unavailable files are
// reported and the chooser is offered again until the user cancels it.

#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// Adds the terms of a chosen term list file to list, skipping those it holds already
/// (exact comparison), and widens its scroll extent to the longest item.
void LoadSavedList(ui::Form& owner, ui::ListBox& list);

/// Writes the items of list to a chosen term list file: all of them when none or every one
/// is selected, else as the user answers (Yes the selected, No all, Cancel nothing).
void SaveList(const ui::Form& owner, const ui::ListBox& list);

}  // namespace dialogs
