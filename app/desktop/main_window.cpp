#include "app/desktop/main_window.h"

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>

#include "app/desktop/command_bar_menus.h"
#include "app/desktop/document_view.h"
#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/shell/application.h"
#include "host/text/story.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace app::desktop {
namespace {

constexpr const char* kTitle = "Vellandex";

// The menus of the menu bar: the bar each shows and its caption.
constexpr std::pair<const char*, const char*> kMenus[] = {
    {"File", "&File"},   {"Edit", "&Edit"},   {"View", "&View"},     {"Insert", "&Insert"}, {"Format", "F&ormat"},
    {"Tools", "&Tools"}, {"Table", "T&able"}, {"Window", "&Window"}, {"Help", "&Help"},
};

QWidget* Placeholder() {
  auto* label = new QLabel(QStringLiteral("Open a document with File > Open."));
  label->setAlignment(Qt::AlignCenter);
  label->setEnabled(false);
  return label;
}

}  // namespace

MainWindow::MainWindow(host::Application& app) : app_(app) {
  setObjectName(QStringLiteral("mainWindow"));
  resize(1000, 760);
  createActions();
  for (const auto& [bar, caption] : kMenus) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromUtf8(bar));
    const std::string name = bar;
    connect(menu, &QMenu::aboutToShow, this, [this, menu, name] { fillMenu(*menu, name); });
    menus_.emplace_back(menu, name);
  }
  setCentralWidget(Placeholder());
  rebuildMenuBar();
  updateTitle();
  live_ = new QTimer(this);
  live_->setInterval(150);
  connect(live_, &QTimer::timeout, this, [this] {
    if (text_) text_->followEdits();
    if (notes_ && notes_->isVisible()) notes_->followEdits();
  });
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions() {
  auto make = [this](const char* caption, QKeySequence key, auto slot) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);  // its shortcut works while its menu is closed
    return action;
  };
  open_ = make("&Open...", QKeySequence::Open, [this] { chooseFileToOpen(); });
  save_ = make("&Save", QKeySequence::Save, [this] { save(); });
  saveAs_ = make("Save &As...", QKeySequence(), [this] { saveAs(); });
  close_ = make("&Close", QKeySequence::Close, [this] { closeDocument(); });
  exit_ = make("E&xit", QKeySequence::Quit, [this] { close(); });
  fieldCodes_ = make("Field &Codes", QKeySequence(Qt::ALT | Qt::Key_F9), [this](bool on) { toggleView(true, on); });
  hiddenText_ = make("&Hidden Text", QKeySequence(), [this](bool on) { toggleView(false, on); });
  fieldCodes_->setCheckable(true);
  hiddenText_->setCheckable(true);
}

void MainWindow::fillMenu(QMenu& menu, const std::string& bar) {
  ClearMenu(menu);
  if (bar == "File") {
    menu.addActions({open_, save_, saveAs_, close_});
    menu.addSeparator();
    menu.addAction(exit_);
  } else if (bar == "View") {
    fieldCodes_->setChecked(doc_ && doc_->ActiveWindow().View().ShowFieldCodes());
    hiddenText_->setChecked(doc_ && doc_->ActiveWindow().View().ShowHiddenText());
    menu.addActions({fieldCodes_, hiddenText_});
  }
  const host::CommandBarControls controls = app_.CommandBars().Item(bar).Controls();
  if (!menu.isEmpty() && VisibleControls(controls) > 0) menu.addSeparator();
  AppendControls(menu, controls, [this](host::CommandBarControl control) {
    // Clicked once the menu has closed, so that the command's dialogs run outside it.
    QTimer::singleShot(0, this, [this, control] { click(control); });
  });
}

void MainWindow::rebuildMenuBar() {
  for (const auto& [menu, bar] : menus_) {
    const bool own = bar == "File" || bar == "View";
    menu->menuAction()->setVisible(own || VisibleControls(app_.CommandBars().Item(bar).Controls()) > 0);
  }
}

void MainWindow::setBusy(bool busy) {
  busy_ = busy;
  menuBar()->setEnabled(!busy);
  for (QAction* action : actions()) action->setEnabled(!busy);
  if (text_) text_->setInteractive(!busy);
  if (notes_) notes_->setInteractive(!busy);
  busy ? live_->start() : live_->stop();
}

void MainWindow::click(host::CommandBarControl control) {
  if (busy_) return;
  setBusy(true);
  try {
    control.Execute();
  } catch (const std::exception& e) {
    ui::MsgBox(std::string("The command could not run: ") + e.what(), ui::vbExclamation, kTitle);
  }
  setBusy(false);
  documentChanged();
  if (text_) text_->showSelection();
  if (notes_ && notes_->isVisible()) notes_->showSelection();
  rebuildMenuBar();
  if (quitRequested_) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void MainWindow::quitWhenIdle() {
  if (busy_) quitRequested_ = true;
  else QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void MainWindow::documentChanged() {
  if (text_) text_->documentChanged();
  if (notes_) {
    notes_->documentChanged();
    notes_->setVisible(notes_->hasContent());
  }
  updateTitle();
}

void MainWindow::repaintNow() {
  if (text_) text_->repaintNow();
  if (notes_ && notes_->isVisible()) notes_->repaintNow();
}

void MainWindow::updateTitle() {
  const bool open = doc_ != nullptr;
  for (QAction* action : {save_, saveAs_, close_, fieldCodes_, hiddenText_}) action->setEnabled(open && !busy_);
  if (!open) {
    setWindowModified(false);
    setWindowTitle(QString::fromUtf8(kTitle));
    return;
  }
  QString title = QString::fromStdString(doc_->Name()) + QStringLiteral("[*]");
  if (doc_->ReadOnly()) title += QStringLiteral(" (Read-Only)");
  setWindowTitle(title + QStringLiteral(" - ") + QString::fromUtf8(kTitle));
  setWindowModified(!doc_->Saved());
}

void MainWindow::showDocument() {
  splitter_ = new QSplitter(Qt::Vertical);
  text_ = new DocumentView(app_, *doc_, {host::wdMainTextStory}, splitter_);
  notes_ = new DocumentView(app_, *doc_, {host::wdFootnotesStory, host::wdEndnotesStory}, splitter_);
  text_->setObjectName(QStringLiteral("text"));
  notes_->setObjectName(QStringLiteral("notes"));
  notes_->setVisible(notes_->hasContent());
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 1);
  // The caret leaves one view when a click puts it into the other.
  text_->setOnSelectionMoved([this] { notes_->viewport()->update(); });
  notes_->setOnSelectionMoved([this] { text_->viewport()->update(); });
  setCentralWidget(splitter_);
  text_->setFocus();
}

bool MainWindow::openFile(const std::string& path) {
  if (busy_) return false;
  std::unique_ptr<host::Document> opened;
  try {
    opened = host::Document::Open(path);
  } catch (const std::exception& e) {
    const auto* error = dynamic_cast<const host::Error*>(&e);
    ui::MsgBox(error ? error->description() : e.what(), ui::vbExclamation, "Cannot open the document");
    return false;
  }
  if (!closeDocument()) return false;
  doc_ = &app_.Documents().Add(std::move(opened));
  showDocument();
  updateTitle();
  return true;
}

void MainWindow::chooseFileToOpen() {
  if (busy_) return;
  ui::FileRequest request;
  request.title = "Open";
  request.filters = {{"Word documents", "*.docx"}, {"All files", "*"}};
  if (doc_) request.initialFolder = std::filesystem::path(doc_->FullName()).parent_path().string();
  const std::string path = ui::ChooseFile(request);
  if (!path.empty()) openFile(path);
}

bool MainWindow::askToSave() {
  if (!doc_ || doc_->Saved()) return true;
  const int answer = ui::MsgBox("Do you want to save the changes you made to " + doc_->Name() + "?",
                                ui::vbYesNoCancel | ui::vbExclamation, kTitle);
  if (answer == ui::vbYes) return save();
  return answer == ui::vbNo;
}

bool MainWindow::closeDocument() {
  if (!doc_) return true;
  if (busy_ || !askToSave()) return false;
  setCentralWidget(Placeholder());  // deletes the views before their document goes
  splitter_ = nullptr;
  text_ = notes_ = nullptr;
  app_.Documents().Close(*doc_);
  doc_ = nullptr;
  updateTitle();
  return true;
}

bool MainWindow::save() {
  if (!doc_ || busy_) return false;
  if (doc_->ReadOnly()) return saveAs();
  try {
    doc_->Save();
  } catch (const host::Error& e) {
    ui::MsgBox(e.description(), ui::vbExclamation, "Cannot save the document");
    return false;
  }
  updateTitle();
  return true;
}

bool MainWindow::saveAs() {
  if (!doc_ || busy_) return false;
  ui::FileRequest request;
  request.open = false;
  request.title = "Save As";
  request.filters = {{"Word documents", "*.docx"}};
  request.initialFolder = std::filesystem::path(doc_->FullName()).parent_path().string();
  request.fileName = doc_->Name();
  request.defaultExtension = "docx";
  request.confirmOverwrite = true;
  const std::string path = ui::ChooseFile(request);
  if (path.empty()) return false;
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".docx") {
    ui::MsgBox("Documents are saved as .docx files: name the file with .docx at its end.", ui::vbExclamation,
               "Cannot save the document");
    return false;
  }
  try {
    doc_->SaveAs(path);
  } catch (const host::Error& e) {
    ui::MsgBox(e.description(), ui::vbExclamation, "Cannot save the document");
    return false;
  }
  updateTitle();
  return true;
}

void MainWindow::toggleView(bool fieldCodes, bool on) {
  if (!doc_ || busy_) return;
  host::View view = doc_->ActiveWindow().View();
  if (fieldCodes) view.SetShowFieldCodes(on);
  else view.SetShowHiddenText(on);
  documentChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (busy_ || !closeDocument()) event->ignore();
  else event->accept();
}

}  // namespace app::desktop
