#pragma once
// The menu's two remove commands: the whole indexing (entries, index, lists, marking colours)
// or only the marking colours, each behind the progress window.

#include "host/model/document.h"
#include "host/shell/application.h"

namespace addin {

/// Removes this program's index entries from the text stories, the index with its lists, and
/// the marking colours, and leaves the cursor at the start of the document. wdDoc is the
/// active document, nullptr when none is open (then nothing happens).
void RemoveIndexing(host::Application& wdApp, host::Document* wdDoc);

/// Removes the marking colours only and says so. wdDoc as for RemoveIndexing.
void RemoveHighlighting(host::Application& wdApp, host::Document* wdDoc);

}  // namespace addin
