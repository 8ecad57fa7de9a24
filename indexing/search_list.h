#pragma once
// The search list: the terms selected in the main dialog, longest first, so that a longer
// term is marked before a shorter one inside it.

#include <string>
#include <vector>

#include "dialogs/frm_vlx_com.h"

namespace indexing {

/// Hides the dialog and returns the selected found terms (in list order) followed by the
/// selected added terms, sorted longest first; duplicates stay.
std::vector<std::string> fncBuildSearchList(dialogs::frmVLX_COM& form);

}  // namespace indexing
