#pragma once
// The quote lists of the dialogs: the five quote characters a user may choose, each with its
// Windows-1252 code as item data, and the selector that picks a stored open and close code.

#include "dialogs/option_controls.h"
#include "ui/list_controls.h"

namespace dialogs {

/// Empties a quote list and fills it with the five quote entries in their fixed order.
void FillQuoteList(ui::ComboBox& list);

/// Fills both quote lists; entry 0 becomes current in the open list, entry 1 in the close list.
void FillQuoteLists(ui::ComboBox& openList, ui::ComboBox& closeList);
/// The same for the quote lists of a dialog's option controls.
void FillQuoteLists(OptionControls& form);

/// The quote-combination selector: makes current in each list the entry whose item data is
/// its code. A code the list does not offer leaves that list as it was.
void SelectQuoteCombination(ui::ComboBox& openList, ui::ComboBox& closeList, int openCode, int closeCode);
/// The same for the quote lists of a dialog's option controls.
void SelectQuoteCombination(OptionControls& form, int openCode, int closeCode);

/// The code of a quote list's current entry; fallback when no entry is current.
int SelectedQuoteCode(const ui::ComboBox& list, int fallback);

}  // namespace dialogs
