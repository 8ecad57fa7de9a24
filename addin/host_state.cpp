#include "addin/host_state.h"

#include <exception>

#include "discovery/run_objects.h"
#include "host/model/window.h"
#include "host/platform/error.h"
#include "progress/progress_window.h"
#include "state/run_state.h"
#include "util/messages.h"

namespace addin {

namespace {

// The spelling, grammar and error-display settings, as the restore step puts them back.
void recordChecking(host::Application& app, host::Document& doc) {
  state::blnSavedCheckSpelling = app.Options().CheckSpellingAsYouType;
  state::blnSavedCheckGrammar = app.Options().CheckGrammarAsYouType;
  state::blnSavedShowGrammaticalErrors = doc.ShowGrammaticalErrors();
  state::blnSavedShowSpellingErrors = doc.ShowSpellingErrors();
}

void hideHiddenText(host::Document& doc) {
  host::View view = doc.ActiveWindow().View();
  state::blnSavedShowHiddenText = view.ShowHiddenText();
  view.SetShowHiddenText(false);
}

void removeEarlierIndexing(host::Application& app, host::Document& doc, bool clearUndo) {
  engine::_clsOSVLXLib& engine = discovery::RunEngine();
  engine.StripIndexEntries(app, doc, false);
  if (clearUndo) doc.UndoClear();
  bool removeBookmark = false;
  engine.RemoveIndex(app, doc, removeBookmark);
  if (clearUndo) doc.UndoClear();
  engine.RestoreTextColor(doc);
  if (clearUndo) doc.UndoClear();
}

void screenOn(host::Application& app) {
  app.SetScreenUpdating(true);
  app.ScreenRefresh();
}

// The view a view type is set on: the window's while a special pane is open, else the pane's.
host::View viewToSet(host::Document& doc) {
  host::Window window = doc.ActiveWindow();
  return window.View().SplitSpecial() == host::wdPaneNone ? window.ActivePane().View() : window.View();
}

bool setPrintView(host::Document& doc, std::exception_ptr& failure) {
  try {
    viewToSet(doc).SetType(host::wdPrintView);
    return true;
  } catch (const std::exception& error) {
    failure = std::current_exception();
    util::ShowErrMsg("Print view", error);
    return false;
  }
}

}  // namespace

void PrepareFlaggedSearch(host::Application& app, host::Document& doc) {
  state::blnSavedAllowFastSave = app.Options().AllowFastSave;
  recordChecking(app, doc);
  app.Options().AllowFastSave = false;
  host::Range selection = doc.SelectionRange();
  selection.Collapse(host::wdCollapseStart);
  if (!doc.Bookmarks().Exists("VellandexIndex")) doc.Bookmarks().Add("IndexBKStart", selection);
  app.ActiveWindow().ActivePane().View().SetShowAll(false);
  hideHiddenText(doc);
  app.SetScreenUpdating(false);
  removeEarlierIndexing(app, doc, false);
  screenOn(app);
}

void PrepareInitCapsSearch(host::Application& app, host::Document& doc) {
  host::Options& options = app.Options();
  state::blnSavedReplaceQuotes = options.AutoFormatAsYouTypeReplaceQuotes;
  state::blnSavedAllowFastSave = options.AllowFastSave;
  recordChecking(app, doc);
  options.CheckSpellingAsYouType = false;
  options.CheckGrammarAsYouType = false;
  doc.SetShowGrammaticalErrors(false);
  doc.SetShowSpellingErrors(false);
  doc.ActiveWindow().ActivePane().View().SetShowAll(false);
  hideHiddenText(doc);

  progress::frmVLXProgressFormVLXPreparing window;
  window.ShowLines("Please wait", "Preparing document...", "");
  window.Job = PrepareDocument;
  window.Show(ui::vbModeless);
  window.Unload();
}

void PrepareDocument() {
  host::Application& app = discovery::RunApplication();
  if (!state::pubWdDoc) throw host::Error(host::kErrObjectNotSet, "Object variable or With block variable not set");
  app.SetScreenUpdating(false);
  removeEarlierIndexing(app, *state::pubWdDoc, true);
  screenOn(app);
}

void RestoreWordSettings(host::Application& app, host::Document& doc, bool replaceQuotes, bool showHiddenText,
                         bool allowFastSave) {
  try {
    app.Options().AutoFormatAsYouTypeReplaceQuotes = replaceQuotes;
    discovery::RunEngine().SmartQuoteToggle(doc);
    doc.UndoClear();
    doc.ActiveWindow().View().SetShowHiddenText(showHiddenText);
    app.Options().CheckSpellingAsYouType = state::blnSavedCheckSpelling;
    app.Options().CheckGrammarAsYouType = state::blnSavedCheckGrammar;
    doc.SetShowGrammaticalErrors(state::blnSavedShowGrammaticalErrors);
    doc.SetShowSpellingErrors(state::blnSavedShowSpellingErrors);
    // The run switched fast saves off; the user's own setting comes back.
    app.Options().AllowFastSave = allowFastSave;
  } catch (const std::exception&) {
    // What is not yet written keeps its run-time value; the run goes on to its end.
    screenOn(app);
  }
}

void ResetDocView(host::Document& doc, host::Application& app) {
  try {
    doc.ActiveWindow().SetSplitVertical(0);
    std::exception_ptr failure;
    if (!setPrintView(doc, failure)) std::rethrow_exception(failure);
    screenOn(app);
  } catch (const std::exception& error) {
    util::ShowErrMsg("Reset doc view", error);
  }
}

bool fncSetPrintView(host::Document& doc) {
  std::exception_ptr failure;
  return setPrintView(doc, failure);
}

void RestoreViewType(host::Document& doc, int viewType) { viewToSet(doc).SetType(viewType); }

}  // namespace addin
