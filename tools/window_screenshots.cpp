// window-screenshots FOLDER: draws the desktop host's main window with the sample contract
// before indexing with its Tools > Vellandex menu open, with the main dialog of "Find and
// index" over it, and after indexing (at the index, and at the top of the text), and saves each
// as a PNG in FOLDER. The add-in is
// registered in a configuration folder of the tool's own, so the user's settings are left
// alone. Run it on Qt's offscreen platform or under a virtual display.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "app/desktop/desktop_host.h"
#include "app/desktop/document_view.h"
#include "app/desktop/main_window.h"
#include "app/desktop/registration.h"
#include "host/model/document.h"
#include "host/model/find.h"
#include "host/shell/registry.h"
#include "ui/qt/backend.h"

namespace {

namespace fs = std::filesystem;

// The window with the given popups drawn over it where they stand.
QPixmap Composite(QWidget& window, std::initializer_list<QWidget*> popups) {
  QPixmap shot = window.grab();
  QPainter painter(&shot);
  const QPoint origin = window.mapToGlobal(QPoint(0, 0));
  for (QWidget* popup : popups) painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - origin, popup->grab());
  return shot;
}

bool Save(const QPixmap& shot, const QDir& folder, const char* name) {
  const QString path = folder.filePath(name);
  if (!shot.save(path)) {
    std::cerr << "window-screenshots: cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

QMenu* MenuOf(QMenuBar& bar, const char* name) { return bar.findChild<QMenu*>(name, Qt::FindDirectChildrenOnly); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: window-screenshots FOLDER\n";
    return 2;
  }
  QTemporaryDir config;
  ::setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication qt(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::cerr << "window-screenshots: cannot make " << argv[1] << "\n";
    return 1;
  }
  const fs::path sample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";
  const fs::path contract = fs::path(config.path().toStdString()) / "sample-contract.docx";
  fs::copy_file(sample, contract);
  app::desktop::RegisterAddIn(*host::ComponentRegistry::ProgramFolder(), *host::ComponentRegistry::UserFolder());

  ui::qt::Backend backend;
  app::desktop::DesktopHost desktop(std::nullopt, host::ComponentRegistry::DefaultFolders());
  app::desktop::MainWindow& window = desktop.window();
  window.resize(1100, 780);
  desktop.start(contract.string());
  Settle();
  bool ok = true;

  // Tools > Vellandex, open.
  QMenu* tools = MenuOf(*window.menuBar(), "Tools");
  tools->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(tools->menuAction()).bottomLeft()));
  Settle();
  QMenu* vellandex = tools->findChild<QMenu*>("VLXMenu");
  tools->setActiveAction(vellandex->menuAction());
  vellandex->popup(tools->mapToGlobal(tools->actionGeometry(vellandex->menuAction()).topRight()));
  Settle();
  ok = Save(Composite(window, {tools, vellandex}), folder, "main-window-menu.png") && ok;
  vellandex->hide();
  tools->hide();

  // The index goes before the schedules: the cursor is put at the start of the first one, as a
  // user puts it there with a click.
  host::Document& doc = *window.document();
  host::Range schedules = doc.Content();
  host::Find find = schedules.Find();
  find.SetText("Schedule 1 \u2013 Purchased Assets");
  if (!find.Execute()) {
    std::cerr << "window-screenshots: the sample has no first schedule\n";
    return 1;
  }
  schedules.Collapse(host::wdCollapseStart);
  schedules.Select();
  // The dialogs are answered as a user answers them: Search, then OK; the main dialog is drawn
  // over the window first.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      std::cout << "window-screenshots: answered \"" << box->text().toStdString() << "\"\n";
      box->defaultButton() ? box->defaultButton()->click() : box->buttons().first()->click();
      return;
    }
    auto* button = modal->findChild<QAbstractButton*>("cmdOK");
    if (!button) return;
    if (modal->objectName() == "frmVLX_COM")
      ok = Save(Composite(window, {modal}), folder, "main-window-dialog.png") && ok;
    button->click();
  });
  answer.start(200);
  vellandex->findChild<QAction*>("VLXIndexTag")->trigger();
  Settle();
  answer.stop();
  if (!doc.Bookmarks().Exists("VellandexIndex")) {
    std::cerr << "window-screenshots: the sample was not indexed\n";
    return 1;
  }
  ok = Save(window.grab(), folder, "main-window-indexed.png") && ok;
  window.textView()->verticalScrollBar()->setValue(0);
  Settle();
  ok = Save(window.grab(), folder, "main-window-marked.png") && ok;
  return ok ? 0 : 1;
}
