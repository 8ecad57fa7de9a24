// The variants that work through the selection, story by story, as a user would with the
// find dialog: the quote toggle and the colour restore. The add-in uses the range-based
// members; these remain part of the interface.
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "host/model/find.h"
#include "host/model/window.h"
#include "host/platform/error.h"

namespace engine {

namespace {

// Puts the document's window on a story as a user would: layout views look at it, other
// views open its pane (for the main text: close the pane). Either moves the selection there.
void showStory(host::Document& doc, int seekView, int pane) {
  host::Window window = doc.ActiveWindow();
  const int type = window.ActivePane().View().Type();
  if (type == host::wdPrintView || type == host::wdPrintPreview || type == host::wdWebView)
    window.View().SetSeekView(seekView);
  else window.View().SetSplitSpecial(pane);
}

void showMainText(host::Document& doc) { showStory(doc, host::wdSeekMainDocument, host::wdPaneNone); }

// Sets the formatting of a find or of its replacement.
template <typename Target>
void setFormatting(Target target, const host::FindFormat& format) {
  if (format.color) target.Font().SetColor(*format.color);
  if (format.highlight) target.SetHighlight(*format.highlight ? host::kTrue : host::kFalse);
}

// Replaces all through the selection's story (from its start when asked), every match
// option off: the text is found and written back alike, with formatting conditions for what
// is found and formatting for what replaces it.
void replaceAllInSelection(host::Application& app, bool fromStoryStart, const std::string& text,
                           const host::FindFormat& found, const host::FindFormat& replacement) {
  host::Selection selection = app.Selection();
  if (fromStoryStart) selection.HomeKey(host::wdStory);
  host::Find find = selection.Find();
  find.ClearFormatting();
  setFormatting(find, found);
  find.Replacement().ClearFormatting();
  setFormatting(find.Replacement(), replacement);
  find.SetText(text);
  find.Replacement().SetText(text);
  find.SetForward(true);
  find.SetWrap(host::wdFindContinue);
  find.SetFormat(true);
  find.SetMatchCase(false);
  find.SetMatchWholeWord(false);
  find.SetMatchWildcards(false);
  find.SetMatchSoundsLike(false);
  find.SetMatchAllWordForms(false);
  find.Execute(host::wdReplaceAll);
}

// Every double quote written again, in the form the quote option gives it.
void replaceQuotesInSelection(host::Application& app) { replaceAllInSelection(app, true, "\"", {}, {}); }

// Text carrying both marking colours back to automatic colour without highlight.
void restoreColoursInSelection(host::Application& app) {
  host::FindFormat marked;
  marked.color = kMarkColor;
  marked.highlight = true;
  host::FindFormat plain;
  plain.color = host::kColorAutomatic;
  plain.highlight = false;
  replaceAllInSelection(app, false, "", marked, plain);
}

// Runs work in the main text, then in the footnotes and endnotes when there are any.
template <typename Work>
void throughEveryTextStory(host::Application& app, host::Document& doc, Work work) {
  showMainText(doc);
  work(app);
  bool visitedNotes = false;
  if (doc.Footnotes().Count() >= 1) {
    showStory(doc, host::wdSeekFootnotes, host::wdPaneFootnotes);
    work(app);
    visitedNotes = true;
  }
  if (doc.Endnotes().Count() >= 1) {
    showStory(doc, host::wdSeekEndnotes, host::wdPaneEndnotes);
    work(app);
    visitedNotes = true;
  }
  if (visitedNotes) showMainText(doc);
}

}  // namespace

void clsOSVLXLib::xSmartQuoteToggleNEW(host::Application& wdApp, host::Document& wdDoc) {
  try {
    wdApp.Options().Pagination = false;
    throughEveryTextStory(wdApp, wdDoc, replaceQuotesInSelection);
  } catch (const host::Error&) {
    wdApp.Options().Pagination = true;
  }
}

void clsOSVLXLib::RestoreTextColorNEW(host::Application& wdApp, host::Document& wdDoc) {
  throughEveryTextStory(wdApp, wdDoc, restoreColoursInSelection);
}

}  // namespace engine
