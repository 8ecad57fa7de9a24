#pragma once
// The indexing pass: every term of the search list is searched and marked in the main text,
// the footnotes and the endnotes; then the index goes in and the not-used and not-found
// lists after it.

#include <string>
#include <vector>

#include "dialogs/frm_vlx_com.h"
#include "engine/osvlx_lib.h"
#include "host/model/document.h"
#include "host/model/range.h"
#include "host/shell/application.h"
#include "indexing/run_options.h"

namespace indexing {

/// Runs the pass over the document with screen updating off and the dialog hidden: marks
/// every search-list term in each text story, inserts the index and, as the options ask,
/// the two lists, and leaves the selection at the start of the index.
void IndexDocument(host::Application& wdApp, host::Document& wdDoc, const std::vector<std::string>& searchList,
                   dialogs::frmVLX_COM& form, const RunOptions& options);

/// Marks every counter-array term in one story (and, with full capitals, its capitals
/// form), adding the occurrences to the counts; returns the updated counter array.
engine::CounterArray fncIndexStory(host::Document& wdDoc, host::Range& rngStory, engine::CounterArray arrCounterArray,
                                   int storyType, bool matchCase, bool indexFullCaps, const std::string& indexType);

}  // namespace indexing
