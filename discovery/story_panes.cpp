#include "discovery/story_panes.h"

#include "host/model/window.h"

namespace discovery {

namespace {

void showStory(host::Document& doc, int seekView, int pane) {
  host::Window window = doc.ActiveWindow();
  const int viewType = window.ActivePane().View().Type();
  if (viewType == host::wdPrintView || viewType == host::wdPrintPreview || viewType == host::wdWebView)
    window.View().SetSeekView(seekView);
  else window.View().SetSplitSpecial(pane);
}

}  // namespace

void ShowMainDocumentPane(host::Document& doc) { showStory(doc, host::wdSeekMainDocument, host::wdPaneNone); }
void ShowFootnotesPane(host::Document& doc) { showStory(doc, host::wdSeekFootnotes, host::wdPaneFootnotes); }
void ShowEndnotesPane(host::Document& doc) { showStory(doc, host::wdSeekEndnotes, host::wdPaneEndnotes); }

}  // namespace discovery
