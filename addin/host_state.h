#pragma once
// The host's state around a find-and-index run: what the two preparation steps record and
// switch (background checking, hidden text, fast saves), the earlier indexing they clear, and
// how the settings and the view are put back at the end. The quoted path records the spelling,
// grammar and fast-save settings too, without changing the first two, so that the restore step
// gives every user back their own values whichever path ran.

#include "host/model/document.h"
#include "host/shell/application.h"

namespace addin {

/// After the quoted-term stage: fast saves off, the index position marked, hidden text off,
/// earlier index entries, index and marking colours removed. Failures reach the run.
void PrepareFlaggedSearch(host::Application& app, host::Document& doc);

/// After the capitalised-term stage: background checking and hidden text off (recorded first),
/// then PrepareDocument run in the preparing progress window. Failures reach the run.
void PrepareInitCapsSearch(host::Application& app, host::Document& doc);

/// The preparing window's job on the run's application, document and engine: earlier index
/// entries, index and marking colours removed with the screen frozen.
void PrepareDocument();

/// Puts back the quote option (and every quote's form), hidden text, background checking, the
/// document's error displays and fast saves. A failure ends it silently with the screen on.
void RestoreWordSettings(host::Application& app, host::Document& doc, bool replaceQuotes, bool showHiddenText,
                         bool allowFastSave);

/// Removes a window split and returns to print layout; a failure is reported ("Reset doc view").
void ResetDocView(host::Document& doc, host::Application& app);

/// Print layout, on the pane's view or, with a special pane open, the window's; false after a
/// failure, reported as "Print view".
bool fncSetPrintView(host::Document& doc);

/// Sets a view type where fncSetPrintView would set print layout. Failures reach the caller.
void RestoreViewType(host::Document& doc, int viewType);

}  // namespace addin
