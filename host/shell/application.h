#pragma once
// Application: the word processor's application object around the open documents: the
// documents, the active document and its selection and window, the options, screen updating,
// the command bars and their customization context. Given a settings folder, it keeps the
// options and the customization there between runs; without one it keeps nothing.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/model/document.h"
#include "host/model/find.h"
#include "host/model/options.h"
#include "host/model/range.h"
#include "host/shell/command_bars.h"
#include "host/shell/customization.h"

namespace host {

class Application;

/// The command name the desktop host's process runs under, by which add-ins count the hosts
/// running (the batch program is no host for that count).
inline constexpr const char* kHostProcessName = "vellandex-host";

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
  /// The document with that name; host::kErrNoSuchMember when none is open under it.
  Document& Item(const std::string& name) const;
  /// Opens a file and makes it the active document.
  Document& Open(const std::string& path);
  /// Takes a document already opened (tests, batch use) and makes it active. Until the user
  /// chose the quote option, it follows the form most of the document's double quotes have.
  Document& Add(std::unique_ptr<Document> doc);
  /// Closes a document without saving.
  void Close(Document& doc);

 private:
  Application& app_;
};

/// The application.
class Application {
 public:
  /// An application that keeps nothing between runs (batch use, tests).
  Application();
  /// An application that keeps its options and customization in a settings folder (none:
  /// keeps nothing); host::UserConfigDir() gives the user's.
  explicit Application(std::optional<std::filesystem::path> settingsDir);
  /// Keeps the options when they changed (a failure to write them is a warning).
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
  /// The active document's window; host::Error 5986 when no document is open.
  host::Window ActiveWindow() { return ActiveDocument().ActiveWindow(); }
  /// The menus and toolbars.
  host::CommandBars& CommandBars() { return *commandBars_; }
  /// Where the kept controls of the command bars are stored.
  host::CustomizationContext& CustomizationContext() { return *customization_; }

  /// Writes the options to the settings folder now (nothing without one); host::Error 5273
  /// when they cannot be written.
  void SaveOptions();
  /// The settings folder, if the application keeps anything.
  const std::optional<std::filesystem::path>& settingsDir() const { return settingsDir_; }

 private:
  friend class host::Documents;
  std::optional<std::filesystem::path> settingsDir_;
  std::vector<std::unique_ptr<Document>> documents_;
  Document* active_ = nullptr;
  std::shared_ptr<host::Options> options_ = std::make_shared<host::Options>();
  host::Options keptOptions_;  // as last read or written
  bool screenUpdating_ = true;
  std::function<void()> repaint_;
  std::unique_ptr<host::CommandBars> commandBars_;
  std::unique_ptr<host::CustomizationContext> customization_;
};

}  // namespace host
