#include "host/model/window.h"

#include <string>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/text/story.h"

namespace host {

namespace {

// Special panes and seek views 1 to 8 name the same stories.
int storyOfPaneOrSeek(int value) {
  switch (value) {
    case wdPanePrimaryHeader: return wdPrimaryHeaderStory;
    case wdPaneFirstPageHeader: return wdFirstPageHeaderStory;
    case wdPaneEvenPagesHeader: return wdEvenPagesHeaderStory;
    case wdPanePrimaryFooter: return wdPrimaryFooterStory;
    case wdPaneFirstPageFooter: return wdFirstPageFooterStory;
    case wdPaneEvenPagesFooter: return wdEvenPagesFooterStory;
    case wdPaneFootnotes: return wdFootnotesStory;
    case wdPaneEndnotes: return wdEndnotesStory;
    default: return 0;
  }
}

const char* storyName(int storyType) {
  switch (storyType) {
    case wdFootnotesStory: return "footnotes";
    case wdEndnotesStory: return "endnotes";
    case wdCommentsStory: return "comments";
    default: return "such header or footer";
  }
}

// Puts the selection at the start of a story, remembering where it was in the main text.
void moveSelectionInto(Document& doc, int storyType) {
  Story* story = doc.story(storyType);
  if (!story)
    throw Error(kErrViewNotAvailable, std::string("The document has no ") + storyName(storyType) + " to show.");
  Range selection = doc.SelectionRange();
  WindowState& w = doc.windowState();
  if (&selection.GetStory() == &doc.mainStory())
    w.mainSelection = doc.makeRange(doc.mainStory(), selection.Start(), selection.End());
  doc.Select(doc.makeRange(*story, 0, 0));
}

// Puts the selection back where it was in the main text (at its start when it never left).
void moveSelectionToMainText(Document& doc) {
  WindowState& w = doc.windowState();
  if (&doc.SelectionRange().GetStory() != &doc.mainStory())
    doc.Select(w.mainSelection ? w.mainSelection : doc.Range(0, 0));
  w.mainSelection = Range();
}

// Opening a special pane splits the window at half its height.
constexpr int kSpecialPaneSplit = 50;

}  // namespace

int View::Type() const { return doc_->windowState().viewType; }

void View::SetType(int type) {
  if (type < wdNormalView || type > wdReadingView)
    throw Error(kErrBadArgument, "There is no view type " + std::to_string(type) + ".");
  doc_->windowState().viewType = type;
}

int View::SplitSpecial() const { return doc_->windowState().splitSpecial; }

void View::SetSplitSpecial(int pane) {
  WindowState& w = doc_->windowState();
  if (pane == wdPaneNone) {
    if (w.splitSpecial != wdPaneNone) {
      moveSelectionToMainText(*doc_);
      w.splitVertical = 0;
    }
    w.splitSpecial = wdPaneNone;
    return;
  }
  const int storyType = pane == wdPaneComments ? static_cast<int>(wdCommentsStory) : storyOfPaneOrSeek(pane);
  if (!storyType) throw Error(kErrBadArgument, "The pane " + std::to_string(pane) + " is not offered.");
  moveSelectionInto(*doc_, storyType);
  w.splitSpecial = pane;
  if (w.splitVertical == 0) w.splitVertical = kSpecialPaneSplit;
}

int View::SeekView() const { return doc_->windowState().seekView; }

void View::SetSeekView(int seek) {
  WindowState& w = doc_->windowState();
  if (w.viewType != wdPrintView && w.viewType != wdPrintPreview && w.viewType != wdWebView)
    throw Error(kErrViewNotAvailable, "SeekView is available in print layout, print preview and web layout only.");
  if (seek == wdSeekMainDocument) {
    moveSelectionToMainText(*doc_);
    w.seekView = seek;
    return;
  }
  const int storyType = storyOfPaneOrSeek(seek);
  if (!storyType) throw Error(kErrBadArgument, "There is no seek view " + std::to_string(seek) + ".");
  moveSelectionInto(*doc_, storyType);
  w.seekView = seek;
}

bool View::ShowHiddenText() const { return doc_->View().showHiddenText; }
void View::SetShowHiddenText(bool on) { doc_->View().showHiddenText = on; }
bool View::ShowAll() const { return doc_->View().showAll; }
void View::SetShowAll(bool on) { doc_->View().showAll = on; }
bool View::ShowFieldCodes() const { return doc_->View().showFieldCodes; }
void View::SetShowFieldCodes(bool on) { doc_->View().showFieldCodes = on; }

long Window::PanesCount() const { return doc_->windowState().splitVertical != 0 ? 2 : 1; }

int Window::SplitVertical() const { return doc_->windowState().splitVertical; }

void Window::SetSplitVertical(int percent) {
  if (percent < 0 || percent > 99)
    throw Error(kErrOutOfRange, "A window split runs from 0 to 99 percent, not " + std::to_string(percent) + ".");
  if (percent == 0) View().SetSplitSpecial(wdPaneNone);
  doc_->windowState().splitVertical = percent;
}

}  // namespace host
