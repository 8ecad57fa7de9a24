#pragma once
// Putting the active window on a story: the layout views look at it (SeekView), the other
// views open it in a special pane (SplitSpecial).

#include "host/model/document.h"

namespace discovery {

/// Puts the window back on the main text.
void ShowMainDocumentPane(host::Document& doc);
/// Puts the window on the footnotes.
void ShowFootnotesPane(host::Document& doc);
/// Puts the window on the endnotes.
void ShowEndnotesPane(host::Document& doc);

}  // namespace discovery
