// The variants that work through the selection, story by story, as a user would with the
// find dialog: the quote toggle and the colour restore. The add-in uses the range-based
// members; these remain part of the interface.
#include "engine/cls_osvlx_lib.h"
#include "host/error.h"
#include "host/find.h"

namespace engine {

namespace {

// Puts the selection at the start of a story of the document (nothing when it has none).
void showStory(host::Document& doc, int storyType) {
  if (host::Story* story = doc.story(storyType)) doc.Select(doc.makeRange(*story, 0, 0));
}

void replaceQuotesInSelection(host::Application& app) {
  host::Selection selection = app.Selection();
  selection.HomeKey(host::wdStory);
  host::Find find = selection.Find();
  find.ClearFormatting();
  find.Replacement().ClearFormatting();
  find.SetText("\"");
  find.Replacement().SetText("\"");
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

void restoreColoursInSelection(host::Application& app) {
  host::Find find = app.Selection().Find();
  find.ClearFormatting();
  find.SetHighlight(host::kTrue);
  find.Font().SetColor(kMarkColor);
  find.Replacement().ClearFormatting();
  find.Replacement().Font().SetColor(host::kColorAutomatic);
  find.Replacement().SetHighlight(host::kFalse);
  find.SetText("");
  find.Replacement().SetText("");
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

// Runs work in the main text, then in the footnotes and endnotes when there are any.
template <typename Work>
void throughEveryTextStory(host::Application& app, host::Document& doc, Work work) {
  showStory(doc, host::wdMainTextStory);
  work(app);
  bool visitedNotes = false;
  if (doc.Footnotes().Count() >= 1) {
    showStory(doc, host::wdFootnotesStory);
    work(app);
    visitedNotes = true;
  }
  if (doc.Endnotes().Count() >= 1) {
    showStory(doc, host::wdEndnotesStory);
    work(app);
    visitedNotes = true;
  }
  if (visitedNotes) showStory(doc, host::wdMainTextStory);
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
