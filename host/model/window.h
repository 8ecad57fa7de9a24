#pragma once
// The document's window, its active pane and the pane's view: the view type, the special
// pane (footnotes, endnotes ...) and the story the layout views are looking at. Each document
// has one window, and its panes share one view. What the view shows (hidden text, field codes)
// is the document's ViewState, which find obeys; moving to another story moves the selection.

#include <utility>

#include "host/model/range.h"

namespace host {

class Document;

/// View types.
enum WdViewType : int {
  wdNormalView = 1,
  wdOutlineView = 2,
  wdPrintView = 3,
  wdPrintPreview = 4,
  wdMasterView = 5,
  wdWebView = 6,
  wdReadingView = 7,
};

/// Stories a layout view can look at (SeekView).
enum WdSeekView : int {
  wdSeekMainDocument = 0,
  wdSeekPrimaryHeader = 1,
  wdSeekFirstPageHeader = 2,
  wdSeekEvenPagesHeader = 3,
  wdSeekPrimaryFooter = 4,
  wdSeekFirstPageFooter = 5,
  wdSeekEvenPagesFooter = 6,
  wdSeekFootnotes = 7,
  wdSeekEndnotes = 8,
};

/// Special panes a window can open (SplitSpecial).
enum WdSpecialPane : int {
  wdPaneNone = 0,
  wdPanePrimaryHeader = 1,
  wdPaneFirstPageHeader = 2,
  wdPaneEvenPagesHeader = 3,
  wdPanePrimaryFooter = 4,
  wdPaneFirstPageFooter = 5,
  wdPaneEvenPagesFooter = 6,
  wdPaneFootnotes = 7,
  wdPaneEndnotes = 8,
  wdPaneComments = 15,
};

/// What a document's window remembers besides what it shows.
struct WindowState {
  int viewType = wdPrintView;
  int splitSpecial = wdPaneNone;
  int seekView = wdSeekMainDocument;
  int splitVertical = 0;  // percentage of the upper pane; 0 when not split
  Range mainSelection;    // the main-text selection to return to from another story
};

/// The view of a window's pane.
class View {
 public:
  /// The view of a document's window.
  explicit View(DocumentRef doc) : doc_(std::move(doc)) {}
  /// wdPrintView, wdNormalView ...
  int Type() const;
  /// Sets the view type; host::Error 5 for a value that is no view type.
  void SetType(int type);
  /// The open special pane (wdPaneNone when none).
  int SplitSpecial() const;
  /// Opens a special pane and puts the selection at the start of its story; wdPaneNone closes
  /// it and puts the selection back into the main text. host::kErrViewNotAvailable when the
  /// document has no such story, host::kErrBadArgument for a pane that is not offered.
  void SetSplitSpecial(int pane);
  /// The story a layout view looks at.
  int SeekView() const;
  /// Looks at another story (print layout, print preview and web layout only, else
  /// host::kErrViewNotAvailable) and puts the selection at its start; wdSeekMainDocument puts it
  /// back into the main text. host::kErrViewNotAvailable when the document has no such story.
  void SetSeekView(int seek);
  /// True when hidden text is shown (find then sees it).
  bool ShowHiddenText() const;
  /// Shows or hides hidden text.
  void SetShowHiddenText(bool on);
  /// Shows every non-printing character and hidden text.
  bool ShowAll() const;
  /// Shows or hides non-printing characters and hidden text.
  void SetShowAll(bool on);
  /// True when fields show their codes instead of their results.
  bool ShowFieldCodes() const;
  /// Shows field codes or results.
  void SetShowFieldCodes(bool on);

 private:
  DocumentRef doc_;
};

/// A pane of a window.
class Pane {
 public:
  /// The active pane of a document's window.
  explicit Pane(DocumentRef doc) : doc_(std::move(doc)) {}
  /// The pane's view (shared by the window's panes).
  host::View View() const { return host::View(doc_); }

 private:
  DocumentRef doc_;
};

/// A document's window.
class Window {
 public:
  /// The window of a document.
  explicit Window(DocumentRef doc) : doc_(std::move(doc)) {}
  /// The pane that has the selection.
  host::Pane ActivePane() const { return host::Pane(doc_); }
  /// The view of the active pane.
  host::View View() const { return host::View(doc_); }
  /// 2 while a special pane is open, else 1.
  long PanesCount() const;
  /// The upper pane's share of the window in percent; 0 when the window is not split.
  int SplitVertical() const;
  /// Splits the window (1 to 99) or removes the split (0), which also closes a special pane;
  /// host::Error 4608 outside 0 to 99.
  void SetSplitVertical(int percent);
  /// The window's document.
  Document& GetDocument() const { return *doc_; }

 private:
  DocumentRef doc_;
};

}  // namespace host
