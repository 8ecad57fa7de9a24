#pragma once
// The capitalised-terms list step: the capitalised words and phrases of the main text,
// footnotes and endnotes as candidate terms. The text of each story is read once and its
// words found in it; only the bold filter asks the document about a word. Nothing is written
// to the user's file.

#include <string>
#include <vector>

#include "dialogs/frm_vlx_com.h"
#include "host/model/document.h"

namespace discovery {

/// Fills arrTerms with the distinct capitalised candidates of every text story of two or more
/// characters, sorted ascending (one empty element when there are none). blnBold keeps only
/// bold words; the dialog's "ignore words with numbers" box drops words holding digits.
/// inWindow runs the search in the progress window frmVLXProgressFormGetCappedList, else it
/// reports in the dialog's status bar. False after a failure, reported as "Build capped
/// terms array failed".
bool fncBuildCappedTermsArray(host::Document& doc, std::vector<std::string>& arrTerms, dialogs::frmVLX_COM& form,
                              bool blnBold, bool inWindow);

}  // namespace discovery
