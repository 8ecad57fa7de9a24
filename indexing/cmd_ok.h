#pragma once
// The main dialog's OK: the selected terms are indexed in the whole document, the index and
// the optional lists inserted. The dialog calls it through its add-in link.

#include "dialogs/frm_vlx_com.h"

namespace indexing {

/// Indexes the document of the running command with the terms selected in the dialog. A
/// pending typed term is offered first; with no valid columns, empty lists or nothing
/// selected it stops and the dialog stays open. A failure is reported and Cancel is enabled
/// again, so that the user can leave the dialog.
void cmdOK_Click(dialogs::frmVLX_COM& form);

}  // namespace indexing
