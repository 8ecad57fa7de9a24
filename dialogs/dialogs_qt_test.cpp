// The dialogs as Qt draws them, on Qt's offscreen platform: they fit the screen, nothing is
// cut off or covered, and the keyboard reaches every control by Tab and by access key.
#include <algorithm>
#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialogs/frm_vlx_about_com.h"
#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_options.h"
#include "dialogs/testing/fake_addin.h"
#include "dialogs/testing/sample_options.h"
#include "host/testing/test_documents.h"
#include "state/run_state.h"
#include "ui/qt/backend.h"

// Fontconfig keeps its caches until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace dialogs {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "dialogs_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

QString WidgetName(const ui::Control& control) {
  QString name = QString::fromStdString(control.Name());
  if (control.Index() >= 0) name += "_" + QString::number(control.Index());
  return name;
}

// The access key of a caption ("&Select all" gives 's'), 0 for none.
char AccessKey(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return 0;
}

bool Inside(const ui::Control* control, const ui::Control* frame) {
  for (const ui::Control* c = control; c; c = c->Container())
    if (c == frame) return true;
  return false;
}

// Every reaction becomes a record of the click, so that keys start no search, box or browser.
std::vector<std::string>* Record(ui::Form& form, const std::set<const ui::Control*>& keep = {}) {
  auto* clicks = new std::vector<std::string>;
  for (ui::Control* control : form.Controls()) {
    if (keep.count(control)) continue;
    control->Click = [clicks, control] { clicks->push_back(control->Name()); };
    control->KeyDown = nullptr;
    control->KeyPress = nullptr;
    control->LostFocus = nullptr;
  }
  return clicks;
}

class DialogsOnQt : public ::testing::Test {
 protected:
  // A message box or file chooser nobody expected would wait for ever: fail and close it.
  void SetUp() override {
    QObject::connect(&watchdog_, &QTimer::timeout, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog->objectName().startsWith("frm")) return;
      ADD_FAILURE() << "unexpected " << dialog->metaObject()->className() << " \""
                    << dialog->windowTitle().toStdString() << "\"";
      dialog->reject();
    });
    watchdog_.start(100);
  }

  // Shows the form and makes it the active window, so that keys reach it.
  QWidget* ShowActive(ui::Form& form) {
    form.Show();
    form.Refresh();
    QWidget* window = ui::qt::Backend::WindowOf(form);
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
  }
  static QWidget* WidgetOf(ui::Form& form, const ui::Control& control) {
    return ui::qt::Backend::WindowOf(form)->findChild<QWidget*>(WidgetName(control));
  }
  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }

  // The controls Tab should visit, in order: those of the tab order the user can reach.
  static std::vector<const ui::Control*> Reachable(const ui::Form& form) {
    std::vector<const ui::Control*> out;
    for (const ui::Control* control : form.TabOrder())
      if (control->CanFocus() && control->IsUsable()) out.push_back(control);
    return out;
  }
  // Presses Tab round the whole window from the first reachable control.
  static void ExpectTabCycle(ui::Form& form, const std::string& where) {
    const std::vector<const ui::Control*> expected = Reachable(form);
    ASSERT_FALSE(expected.empty());
    const_cast<ui::Control*>(expected.front())->SetFocus();
    std::vector<std::string> visited, wanted;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const ui::Control* active = form.ActiveControl();
      visited.push_back(active ? WidgetName(*active).toStdString() : "(none)");
      wanted.push_back(WidgetName(*expected[i]).toStdString());
      Press(Qt::Key_Tab);
    }
    EXPECT_EQ(visited, wanted) << where;
    EXPECT_EQ(form.ActiveControl(), expected.front()) << where << ": Tab comes round to the first control";
    Press(Qt::Key_Backtab);
    EXPECT_EQ(form.ActiveControl(), expected.back()) << where << ": Shift+Tab goes back";
  }

  // Each shown control with an access key is reached by Alt and its key (pressed again while
  // other controls share the key, as the platform cycles through them): a button is pressed,
  // any other control gets the focus.
  static void ExpectAccessKeysReachTheirControls(ui::Form& form, const std::vector<std::string>& clicks,
                                                 const std::string& where) {
    std::map<char, int> sharing;
    for (const ui::Control* control : form.Controls())
      if (control->IsShown() && !dynamic_cast<const ui::Menu*>(control)) ++sharing[AccessKey(control->Caption())];
    sharing['h'] += 1;  // the Help menu
    for (ui::Control* control : form.Controls()) {
      const char key = AccessKey(control->Caption());
      if (!key || !control->IsShown() || dynamic_cast<ui::Menu*>(control)) continue;
      const bool isFrame = dynamic_cast<ui::Frame*>(control) != nullptr;
      const ui::Control* target = dynamic_cast<ui::Label*>(control) ? form.AccessKeyTarget(*control) : control;
      ASSERT_NE(target, nullptr) << where << ": " << control->Name() << " hands its key to nothing";
      const bool isButton = dynamic_cast<ui::CommandButton*>(control) != nullptr;
      bool reached = false;
      for (int tries = 0; tries <= sharing[key] && !reached; ++tries) {
        const std::size_t clicked = clicks.size();
        QTest::keyClick(ui::qt::Backend::WindowOf(form), key, Qt::AltModifier);
        if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
        if (isButton) QTest::qWait(150);  // the press shows before the click
        reached = isFrame ? Inside(form.ActiveControl(), control)
                          : form.ActiveControl() == target ||
                                (isButton && clicks.size() > clicked && clicks.back() == control->Name());
      }
      EXPECT_TRUE(reached) << where << ": Alt+" << key << " does not reach " << WidgetName(*control).toStdString();
    }
  }

  // Nothing spills out of its frame or the window, covers a neighbour or is cut off.
  static void ExpectLaidOut(ui::Form& form, const std::string& where) {
    QWidget* window = ui::qt::Backend::WindowOf(form);
    // Room for a title bar above and a panel below on a 1366x768 screen.
    EXPECT_LE(window->width(), 1366) << where;
    EXPECT_LE(window->height() + 32 + 48, 768) << where;
    std::vector<QWidget*> shown;
    for (ui::Control* control : form.Controls()) {
      QWidget* widget = WidgetOf(form, *control);
      if (!widget || !control->IsShown()) continue;
      shown.push_back(widget);
      const std::string name = WidgetName(*control).toStdString();
      EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << where << ": " << name << " spills";
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << where << ": " << name << " is cut off";
        EXPECT_LE(button->sizeHint().height(), button->height()) << where << ": " << name << " is cut off";
      } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << where << ": " << name << " is cut off";
      } else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QTabBar*>(widget)) {
        EXPECT_LE(widget->sizeHint().height(), widget->height()) << where << ": " << name << " is cut off";
      }
    }
    for (QWidget* a : shown) {
      for (QWidget* b : shown) {
        if (a >= b || a->parentWidget() != b->parentWidget()) continue;
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << where << ": " << a->objectName().toStdString() << " covers " << b->objectName().toStdString();
      }
    }
  }

  QApplication& app_ = App();  // before the backend, which needs it
  ui::qt::Backend backend_;
  QTimer watchdog_;
};

TEST_F(DialogsOnQt, TheMainDialogFitsAndTheKeyboardReachesEveryControlOnEachTab) {
  frmVLX_COM form;
  testing::ShowDefaultOptions(form);
  for (const char* term : {"Agreement", "Purchase Price"}) form.lstTermsInDoc.AddItem(term);
  form.lstAddTerms.AddItem("Long Stop Date");
  std::unique_ptr<std::vector<std::string>> clicks(Record(form, {&form.tbcTabs}));
  ShowActive(form);
  EXPECT_EQ(form.ActiveControl(), &form.lstTermsInDoc) << "the found terms come first";
  for (int tab = 0; tab < form.tbcTabs.TabCount(); ++tab) {
    const std::string where = "tab " + form.tbcTabs.TabCaption(tab);
    if (tab > 0) {  // the arrow keys on the tab strip turn the page
      form.tbcTabs.SetFocus();
      Press(Qt::Key_Right);
    }
    ASSERT_EQ(form.tbcTabs.SelectedIndex(), tab);
    ASSERT_TRUE(form.fraTab(tab).IsShown()) << where;
    ExpectLaidOut(form, where);
    ExpectTabCycle(form, where);
    ExpectAccessKeysReachTheirControls(form, *clicks, where);
  }
  form.Unload();
}

TEST_F(DialogsOnQt, TheOptionsDialogFitsAndTheKeyboardReachesEveryControl) {
  frmVLXOptions form;
  testing::ShowDefaultOptions(form);
  std::unique_ptr<std::vector<std::string>> clicks(Record(form));
  ShowActive(form);
  EXPECT_EQ(form.ActiveControl(), &form.optSearchType(0));
  ExpectLaidOut(form, "options");
  ExpectTabCycle(form, "options");
  ExpectAccessKeysReachTheirControls(form, *clicks, "options");
  form.Unload();
}

TEST_F(DialogsOnQt, TheAboutBoxFitsAndClosesByKeyboard) {
  frmVLXAbout_COM about;
  QWidget* window = ShowActive(about);
  ExpectLaidOut(about, "about");
  auto* logo = window->findChild<QLabel*>("Image1");
  EXPECT_EQ(logo->pixmap().size(), QSize(64, 64)) << "the drawing, drawn at its place's size";
  Press(Qt::Key_Escape);
  EXPECT_FALSE(about.Visible());
  about.Unload();
}

TEST_F(DialogsOnQt, TermsAreAddedChosenAndTheDialogEndedByKeyboardAlone) {
  testing::FakeAddIn addIn;
  addIn.app.Documents().Add(host::testing::openBody(host::testing::para(host::testing::run("The Buyer buys."))));
  frmVLX_COM form;
  testing::ShowDefaultOptions(form);
  for (const char* term : {"Agreement", "Buyer", "Seller"}) form.lstTermsInDoc.AddItem(term);
  form.SetVLXAddIn(&addIn);
  ShowActive(form);

  QTest::keyClick(ui::qt::Backend::WindowOf(form), 'x', Qt::AltModifier);  // the label names the text box
  ASSERT_EQ(form.ActiveControl(), &form.txtAddTerm);
  QTest::keyClicks(QApplication::focusWidget(), "Deposit");
  QTest::keyClick(ui::qt::Backend::WindowOf(form), 'a', Qt::AltModifier);
  QTest::qWait(200);
  EXPECT_EQ(form.lstAddTerms.ListCount(), 1);
  EXPECT_EQ(form.lstAddTerms.List(0), "Deposit");
  EXPECT_EQ(form.ActiveControl(), &form.txtAddTerm) << "ready for the next term";

  form.lstTermsInDoc.SetFocus();
  Press(Qt::Key_Down, Qt::ControlModifier);  // moves without selecting
  Press(Qt::Key_Space);                      // toggles the current term without touching the others
  Press(Qt::Key_Down, Qt::ControlModifier);
  Press(Qt::Key_Space);
  EXPECT_FALSE(form.lstTermsInDoc.Selected(0));
  EXPECT_TRUE(form.lstTermsInDoc.Selected(1));
  EXPECT_TRUE(form.lstTermsInDoc.Selected(2));

  Press(Qt::Key_Return);
  EXPECT_EQ(addIn.calls, (std::vector<std::string>{"cmdOK_Click"})) << "Enter is OK";
  Press(Qt::Key_Escape);
  EXPECT_EQ(form.Tag(), "Cancel") << "Escape is Cancel";
  EXPECT_FALSE(form.Visible());
  form.Unload();
}

}  // namespace
}  // namespace dialogs
