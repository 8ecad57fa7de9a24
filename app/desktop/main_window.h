#pragma once
// The desktop host's main window: the document's text above and its footnotes and endnotes
// below, a menu bar drawn from the application's command bars (so the add-ins' menus appear as
// they install them) with the host's own File and View commands, and a title that shows
// unsaved changes. A chosen control is clicked once the menu has closed; while its command
// runs, the window takes no other command and cannot be closed, and shows the command's edits
// as they happen whenever the screen updates.

#include <functional>
#include <string>

#include <QMainWindow>

#include "host/shell/command_bars.h"

class QAction;
class QMenu;
class QSplitter;
class QTimer;

namespace host {
class Application;
class Document;
}  // namespace host

namespace app::desktop {

class DocumentView;

/// The window of the desktop host.
class MainWindow : public QMainWindow {
 public:
  /// A window over the application's documents and command bars.
  explicit MainWindow(host::Application& app);
  ~MainWindow() override;

  /// Opens a file as the window's document, first asking to save unsaved changes of the one
  /// open; false (the user told why) when it was not opened.
  bool openFile(const std::string& path);
  /// Closes the window's document, first asking to save unsaved changes; false when the user
  /// kept it open.
  bool closeDocument();
  /// Saves the document (Save As for a read-only one); false when it was not saved.
  bool save();
  /// Saves the document under a name the user chooses; false when it was not saved.
  bool saveAs();
  /// Clicks a control as choosing it from the menu does, and shows the result.
  void click(host::CommandBarControl control);
  /// Shows the document afresh after it changed.
  void documentChanged();
  /// Paints the views now, even while screen updating is off.
  void repaintNow();
  /// Quits the application, once the command running (if any) has ended.
  void quitWhenIdle();
  /// Draws the menu bar again from the command bars (which menus show).
  void rebuildMenuBar();

  /// The document shown, nullptr for none.
  host::Document* document() const { return doc_; }
  /// The view of the main text, nullptr without a document.
  DocumentView* textView() const { return text_; }
  /// The view of the footnotes and endnotes, nullptr without a document.
  DocumentView* notesView() const { return notes_; }
  /// True while a command runs.
  bool busy() const { return busy_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void fillMenu(QMenu& menu, const std::string& bar);
  void showDocument();
  void updateTitle();
  void setBusy(bool busy);
  bool askToSave();
  void chooseFileToOpen();
  void toggleView(bool fieldCodes, bool on);

  host::Application& app_;
  host::Document* doc_ = nullptr;
  QSplitter* splitter_ = nullptr;
  DocumentView* text_ = nullptr;
  DocumentView* notes_ = nullptr;
  QAction* open_ = nullptr;
  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* close_ = nullptr;
  QAction* exit_ = nullptr;
  QAction* fieldCodes_ = nullptr;
  QAction* hiddenText_ = nullptr;
  std::vector<std::pair<QMenu*, std::string>> menus_;  // each menu and the bar it shows
  QTimer* live_ = nullptr;                             // while a command runs, shows its edits as the screen updates
  bool busy_ = false;
  bool quitRequested_ = false;
};

}  // namespace app::desktop
