#pragma once
// The step before a capitalised search. Discovery never writes the user's file, so nothing
// forces a save: a document with unsaved changes is offered a save before the run changes it
// (Yes saves, No searches without saving, Cancel stops); a read-only document is searched
// all the same, after one notice in the run.

#include <string>

#include "dialogs/frm_vlx_com.h"
#include "host/model/document.h"

namespace discovery {

/// For searchType "SearchInitCaps": 1 to search, 2 when the user cancelled (or declined to
/// choose a file to save to), 0 when saving failed (reported, titled "Save document").
/// blnOfferSave is true before the run has changed the document; the main dialog's refresh
/// passes false, since saving then would write the run's half-prepared document. Any other
/// search type gives 1 at once.
int fncSaveBeforeSearch(host::Document& doc, dialogs::frmVLX_COM& form, bool blnOfferSave,
                        const std::string& searchType);

}  // namespace discovery
