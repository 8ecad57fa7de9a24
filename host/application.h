#pragma once
// Application: the word processor's application object around the open documents: the
// documents, the active document and its selection, the options and screen updating.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/document.h"
#include "host/find.h"
#include "host/options.h"
#include "host/range.h"

namespace host {

class Application;

/// What Selection.GoTo goes to.
enum GoToItem : int { wdGoToBookmark = -1, wdGoToPage = 1 };
/// Which one of them.
enum GoToDirection : int { wdGoToFirst = 1, wdGoToAbsolute = 1 };

/// The selection of the active document's window.
class Selection {
 public:
  explicit Selection(Application& app) : app_(app) {}
  /// The selected range (a live range: moving it moves the selection).
  host::Range Range() const;
  long Start() const { return Range().Start(); }
  long End() const { return Range().End(); }
  void Collapse(int direction = wdCollapseStart) { Range().Collapse(direction); }
  int StoryType() const { return Range().StoryType(); }
  long TablesCount() const { return Range().TablesCount(); }
  /// The selection's find (it remembers its settings, as the find dialog does).
  host::Find Find() const { return Range().Find(); }
  /// wdStory: moves the selection to the start of its story.
  void HomeKey(int unit = wdStory);
  /// wdGoToBookmark with a name selects the bookmark's start; wdGoToPage with wdGoToFirst
  /// goes to the start of the main text.
  void GoTo(int what, int which = wdGoToFirst, long count = 1, const std::string& name = "");

 private:
  Application& app_;
};

/// The open documents.
class Documents {
 public:
  explicit Documents(Application& app) : app_(app) {}
  long Count() const;
  /// The document with that name; host::Error 5941 when none is open under it.
  Document& Item(const std::string& name) const;
  /// Opens a file and makes it the active document.
  Document& Open(const std::string& path);
  /// Takes a document already opened (tests, batch use) and makes it active.
  Document& Add(std::unique_ptr<Document> doc);
  /// Closes a document without saving.
  void Close(Document& doc);

 private:
  Application& app_;
};

/// The application.
class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  host::Documents Documents() { return host::Documents(*this); }
  /// The active document; host::Error 5986 when no document is open.
  Document& ActiveDocument();
  host::Selection Selection() { return host::Selection(*this); }
  host::Options& Options() { return *options_; }
  bool ScreenUpdating() const { return screenUpdating_; }
  void SetScreenUpdating(bool on) { screenUpdating_ = on; }
  /// Asks the desktop host to repaint; nothing happens in batch use.
  void ScreenRefresh();
  /// Called by ScreenRefresh (the desktop host sets it).
  void setRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

 private:
  friend class host::Documents;
  std::vector<std::unique_ptr<Document>> documents_;
  Document* active_ = nullptr;
  std::shared_ptr<host::Options> options_ = std::make_shared<host::Options>();
  bool screenUpdating_ = true;
  std::function<void()> repaint_;
};

}  // namespace host
