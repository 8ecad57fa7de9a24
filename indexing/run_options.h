#pragma once
// What the main dialog's controls ask of an indexing pass: the search options, the two
// optional lists, and the index's columns and separator.

#include <optional>
#include <string>

#include "dialogs/frm_vlx_com.h"

namespace indexing {

/// The options of one indexing pass, read from the main dialog when OK is pressed.
struct RunOptions {
  bool matchCase = false;
  bool indexFullCaps = false;
  std::string indexType = "IndexAll";  // or "IndexDefs": only the definitions are indexed
  bool includeNotUsed = false;
  bool includeNotFound = false;
};

/// The options as the dialog shows them: a box counts when ticked, full capitals and
/// definitions only also need their control enabled.
RunOptions readRunOptions(const dialogs::frmVLX_COM& form);

/// The number of columns typed in txtCols: a whole number from 1 to 4, spaces around it
/// allowed; nullopt for anything else (empty, not a number, out of range).
std::optional<long> columnCount(const dialogs::frmVLX_COM& form);

/// The separator between an entry and its pages: txtSep, followed by a tab when chkTabSep
/// is ticked.
std::string separator(const dialogs::frmVLX_COM& form);

/// True when the columns box holds a valid number; otherwise tells the user so, puts the
/// cursor in the box and returns false.
bool columnsAccepted(dialogs::frmVLX_COM& form);

}  // namespace indexing
