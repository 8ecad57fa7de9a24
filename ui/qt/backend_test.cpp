#include "ui/qt/backend.h"

#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"
#include "ui/message_box.h"

// Fontconfig keeps its caches until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace ui::qt {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

struct Options : Form {
  Options() : Form("frmOptions") {
    SetCaption(" Search and index options");
    SetSize(320, 200);
    chkBold.SetCaption("Defined terms in &bold");
    chkBold.Move(10, 10, 200, 24);
    lblNote.SetCaption("Please wait");
    lblNote.Move(10, 40, 200, 20);
    lstTerms.Move(10, 70, 100, 80);
    cmdOK.SetCaption("Search");
    cmdOK.Move(220, 160, 90, 28);
    cmdOK.Click = [this] { SetTag("OK"), Hide(); };
  }
  CheckBox chkBold{*this, "chkBold"};
  Label lblNote{*this, "lblNote"};
  ListBox lstTerms{*this, "lstTerms"};
  CommandButton cmdOK{*this, "cmdOK"};
};

class QtBackend : public ::testing::Test {
 protected:
  QApplication& app = App();  // before the backend, which needs it
  Backend backend;
};

TEST_F(QtBackend, AModalFormRunsUntilItsButtonHidesIt) {
  Options form;
  form.lstTerms.AddItem("Agreement");
  bool ranInsideTheLoop = false;
  QTimer::singleShot(0, [&] {
    QWidget* window = Backend::WindowOf(form);
    ASSERT_NE(window, nullptr);
    ranInsideTheLoop = window->isVisible() && window->isModal();
    EXPECT_EQ(window->windowTitle(), " Search and index options");
    EXPECT_EQ(window->findChild<QLabel*>("lblNote")->text(), "Please wait");
    EXPECT_EQ(window->findChild<QListWidget*>("lstTerms")->item(0)->text(), "Agreement");
    window->findChild<QCheckBox*>("chkBold")->click();  // widget to model
    window->findChild<QPushButton*>("cmdOK")->click();
  });
  form.Show(vbModal);
  EXPECT_TRUE(ranInsideTheLoop);
  EXPECT_EQ(form.Tag(), "OK");
  EXPECT_EQ(form.chkBold.Value(), vbChecked);
  EXPECT_FALSE(Backend::WindowOf(form)->isVisible());
  form.Unload();
  EXPECT_EQ(Backend::WindowOf(form), nullptr);
}

TEST_F(QtBackend, AMessageBoxShowsItsIconAndButtonsAndReturnsThePressedOne) {
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Confirm delete");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(MsgBox("Delete selected term(s) from list?", vbYesNo + vbQuestion + vbDefaultButton2, "Confirm delete"),
            vbNo);
}

TEST_F(QtBackend, ModelChangesReachTheWidgetsAndTheCloseBoxCanBeTakenAway) {
  Options form;
  form.Show();
  form.SetControlBox(false);
  form.lblNote.SetCaption("Building search list");
  form.lstTerms.AddItem("A term much longer than the list is wide");
  form.lstTerms.SetHorizontalExtent(400);
  form.Refresh();
  QWidget* window = Backend::WindowOf(form);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window->findChild<QLabel*>("lblNote")->text(), "Building search list");
  auto* list = window->findChild<QListWidget*>("lstTerms");
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), 400 - list->viewport()->width());
  form.Unload();
}

// A form whose tab order is not its creation order.
struct Search : Form {
  Search() : Form("frmSearch") {
    SetSize(300, 200);
    chkBold.SetCaption("Defined terms in &bold");
    chkBold.Move(10, 10, 200, 24);
    lblTerm.SetCaption("&Term:");
    lblTerm.Move(10, 40, 60, 20);
    txtTerm.Move(80, 40, 120, 24);
    lstTerms.SetMultiSelect(vbMultiSelectExtended);
    lstTerms.Move(10, 70, 200, 80);
    cmdOK.SetCaption("Search");
    cmdOK.Move(210, 160, 80, 28);
    SetTabOrder({&lblTerm, &txtTerm, &cmdOK, &lstTerms, &chkBold});
    txtTerm.KeyDown = [this](int& keyCode, int) { keysSeen.push_back(keyCode); };
  }
  CheckBox chkBold{*this, "chkBold"};
  Label lblTerm{*this, "lblTerm"};
  TextBox txtTerm{*this, "txtTerm"};
  ListBox lstTerms{*this, "lstTerms"};
  CommandButton cmdOK{*this, "cmdOK"};
  std::vector<int> keysSeen;
};

// Shows the form and makes its window the active one, so that access keys reach it.
QWidget* ShowActive(Form& form) {
  form.Show();
  QWidget* window = Backend::WindowOf(form);
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  return window;
}

TEST_F(QtBackend, TabFollowsTheFormsOrderAndALabelsAccessKeyFocusesTheControlAfterIt) {
  Search form;
  QWidget* window = ShowActive(form);
  auto* edit = window->findChild<QLineEdit*>("txtTerm");
  EXPECT_EQ(QApplication::focusWidget(), edit) << "the first control of the tab order has the focus";
  EXPECT_EQ(window->findChild<QLabel*>("lblTerm")->buddy(), edit);

  std::vector<QString> visited;
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(visited, (std::vector<QString>{"cmdOK", "lstTerms", "chkBold", "txtTerm"}));
  EXPECT_EQ(form.ActiveControl(), &form.txtTerm) << "the model follows the widgets' focus";
  EXPECT_TRUE(form.keysSeen.empty()) << "Tab moves the focus and is no key of the control's";

  QTest::keyClick(window, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(form.ActiveControl(), &form.chkBold);
  QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(form.ActiveControl(), &form.txtTerm) << "the label's access key reaches its text box";
  form.Unload();
}

TEST_F(QtBackend, SpaceTogglesTheCurrentItemAndSpacePlusClickTheClickedOne) {
  Search form;
  for (const char* term : {"Agreement", "Buyer", "Seller"}) form.lstTerms.AddItem(term);
  QWidget* window = ShowActive(form);
  auto* list = window->findChild<QListWidget*>("lstTerms");
  form.lstTerms.SetFocus();
  list->setCurrentRow(1, QItemSelectionModel::NoUpdate);

  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_TRUE(form.lstTerms.Selected(1));
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_FALSE(form.lstTerms.Selected(1));

  QTest::keyClick(list, Qt::Key_Space);  // Buyer selected again
  QTest::keyPress(list, Qt::Key_Space);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(2)).center());
  QTest::keyRelease(list, Qt::Key_Space);
  EXPECT_TRUE(form.lstTerms.Selected(2)) << "added to the selection";
  EXPECT_TRUE(form.lstTerms.Selected(1)) << "the other selected item stays selected";
  EXPECT_FALSE(form.lstTerms.Selected(0));
  form.Unload();
}

TEST_F(QtBackend, APictureFitsItsControlKeepingItsShape) {
  const std::string path = ::testing::TempDir() + "vlx_picture_" + std::to_string(QCoreApplication::applicationPid()) +
                           ".png";
  QImage tall(10, 20, QImage::Format_RGB32);
  tall.fill(Qt::darkBlue);
  ASSERT_TRUE(tall.save(QString::fromStdString(path)));
  Form form("frmPicture");
  Image logo(form, "imgLogo");
  Image natural(form, "imgNatural");
  logo.Move(10, 10, 40, 40);
  logo.SetPicture(path);
  natural.Move(60, 10, 0, 0);
  natural.SetPicture(path);
  form.Show();
  form.Refresh();
  QWidget* window = Backend::WindowOf(form);
  EXPECT_EQ(window->findChild<QLabel*>("imgLogo")->pixmap().size(), QSize(20, 40));
  EXPECT_EQ(window->findChild<QLabel*>("imgNatural")->pixmap().size(), QSize(10, 20)) << "no size: its own size";
  form.Unload();
  std::remove(path.c_str());
}

TEST_F(QtBackend, TheArrowsOfAnUpDownAreNoStopOfTab) {
  Form form("frmColumns");
  TextBox txtCols(form, "txtCols");
  UpDown updownCols(form, "updownCols");
  CommandButton cmdOK(form, "cmdOK");
  txtCols.Move(10, 10, 40, 24);
  updownCols.Move(50, 10, 18, 24);
  cmdOK.Move(80, 10, 60, 24);
  updownCols.Attach(&txtCols, 1, 4);
  ShowActive(form);
  txtCols.SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(form.ActiveControl(), &cmdOK);
  form.Unload();
}

}  // namespace
}  // namespace ui::qt
