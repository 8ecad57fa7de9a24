// dialog-screenshots FOLDER: draws the main dialog (each tab, and with nothing found), the
// options dialog and the About box with sample content through the Qt rendering, and saves
// each as a PNG in FOLDER. Run it on Qt's offscreen platform or under a virtual display.
#include <iostream>
#include <string>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "dialogs/frm_vlx_about_com.h"
#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_options.h"
#include "dialogs/testing/sample_options.h"
#include "discovery/quoted_terms.h"
#include "ui/qt/backend.h"

namespace {

void FillTerms(dialogs::frmVLX_COM& form) {
  discovery::ShowFoundTermsArea(form, true);
  for (const char* term : {"Accounts", "Agreement", "Business Day", "Buyer", "Completion", "Completion Date",
                           "Consideration", "Disclosure Letter", "Encumbrance", "Purchase Price", "Sale Shares",
                           "Seller", "Seller's Group", "Tax Warranties", "Warranties"})
    form.lstTermsInDoc.AddItem(term);
  for (int i = 0; i < form.lstTermsInDoc.ListCount(); ++i) form.lstTermsInDoc.SetSelected(i, i != 6 && i != 8);
  form.lstTermsInDoc.SetListIndex(0);
  for (const char* term : {"Intellectual Property Rights", "Long Stop Date"}) form.lstAddTerms.AddItem(term);
  form.txtAddTerm.SetText("Management Accounts");
}

bool Save(ui::Form& form, const QDir& folder, const char* name) {
  form.Refresh();
  QCoreApplication::processEvents();
  const QString path = folder.filePath(name);
  if (!ui::qt::Backend::WindowOf(form)->grab().save(path)) {
    std::cerr << "dialog-screenshots: cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: dialog-screenshots FOLDER\n";
    return 2;
  }
  QApplication app(argc, argv);
  ui::qt::Backend backend;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::cerr << "dialog-screenshots: cannot make " << argv[1] << "\n";
    return 1;
  }
  bool ok = true;
  {
    dialogs::frmVLX_COM main;
    dialogs::testing::ShowDefaultOptions(main);
    FillTerms(main);
    main.Show();
    const char* names[] = {"main-dialog-search.png", "main-dialog-index.png", "main-dialog-readme.png"};
    for (int tab = 0; tab < main.tbcTabs.TabCount(); ++tab) {
      main.tbcTabs.SetSelectedIndex(tab);
      ok = Save(main, folder, names[tab]) && ok;
    }
    main.Unload();
  }
  {
    // Nothing found: the explanation takes the list's place.
    dialogs::frmVLX_COM main;
    dialogs::testing::ShowDefaultOptions(main);
    discovery::ShowFoundTermsArea(main, false);
    main.Show();
    ok = Save(main, folder, "main-dialog-nothing-found.png") && ok;
    main.Unload();
  }
  {
    dialogs::frmVLXOptions options;
    dialogs::testing::ShowDefaultOptions(options);
    options.Show();
    ok = Save(options, folder, "options-dialog.png") && ok;
    options.Unload();
  }
  {
    dialogs::frmVLXAbout_COM about;
    about.Show();
    ok = Save(about, folder, "about-box.png") && ok;
    about.Unload();
  }
  return ok ? 0 : 1;
}
