#pragma once
// Putting the index into the document, or bringing an existing one up to date.

#include "dialogs/frm_vlx_com.h"
#include "host/model/document.h"
#include "host/shell/application.h"

namespace indexing {

/// With blnUpdateOnly updates the document's index; otherwise inserts one with the dialog's
/// columns and separator (host::Error 5 when the columns box holds no valid number). Clears
/// the undo list either way.
void IndexInsertOrUpdate(dialogs::frmVLX_COM& form, host::Document& wdDoc, host::Application& wdApp,
                         bool blnUpdateOnly);

}  // namespace indexing
