#pragma once
// The quoted-term list refresh of the main dialog: the quoted search again, with the options
// on screen and without its article step, then the tabs-and-returns warning.

#include <string>

#include "dialogs/frm_vlx_com.h"
#include "host/model/document.h"
#include "host/shell/application.h"

namespace discovery {

/// Fills the run's found-terms array with the terms in quotes of every text story, searched
/// with the bold box and quote lists of the main dialog and indexWhat; progress goes to the
/// dialog's status bar. Sets the found-terms area and warns once in the run about terms that
/// hold tabs or returns.
void RefreshQuotedTermsList(host::Application& app, host::Document& doc, dialogs::frmVLX_COM& form,
                            const std::string& indexWhat);

}  // namespace discovery
