#include "ui/qt/form_window.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"
#include "ui/qt/bindings.h"

namespace ui::qt {
namespace {

// The key code KeyDown reports for a Qt key; 0 for keys without one.
int KeyCodeOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vbKeyF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return vbKeyShift;
    case Qt::Key_Control: return vbKeyControl;
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Delete: return vbKeyDelete;
    default: return 0;
  }
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? vbShiftMask : 0) | (modifiers & Qt::ControlModifier ? vbCtrlMask : 0) |
         (modifiers & Qt::AltModifier ? vbAltMask : 0);
}

}  // namespace

QWidget* ActiveOwner() {
  for (QWidget* window : {QApplication::activeModalWidget(), QApplication::activeWindow()})
    if (window && window->isVisible()) return window;
  return nullptr;
}

// The top-level window. Closing it goes through the form's close box; Escape presses the
// form's cancel button, if any.
class Dialog : public QDialog {
 public:
  Dialog(FormWindow* window, QWidget* parent) : QDialog(parent), window_(window) {}
  FormWindow* window_;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (window_) window_->GetForm().CloseFromTitleBar();
  }
  void reject() override {
    if (!window_) return;
    for (Control* control : window_->GetForm().Controls()) {
      auto* button = dynamic_cast<CommandButton*>(control);
      if (button && button->Cancel() && button->IsUsable()) return button->RaiseClick();
    }
  }
};

// Forwards keys to KeyDown/KeyPress and clicks on labels and pictures; it is also the
// context of every connection, so destroying it cuts the widgets off from the models.
class Filter : public QObject {
 public:
  explicit Filter(FormWindow& window) : window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    Control* control = widget ? window_.ControlOf(widget) : nullptr;
    if (!control) return false;
    if (event->type() == QEvent::MouseButtonRelease) {
      if ((dynamic_cast<Label*>(control) || dynamic_cast<Image*>(control)) && control->IsUsable())
        control->RaiseClick();
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab belongs to the window, which moves the focus; controls never see it.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
    if (int keyCode = KeyCodeOf(key->key())) control->RaiseKeyDown(keyCode, ShiftOf(key->modifiers()));
    const QList<uint> typed = key->text().toUcs4();
    if (typed.isEmpty()) return false;
    int keyAscii = static_cast<int>(typed.first());
    control->RaiseKeyPress(keyAscii);
    if (keyAscii == static_cast<int>(typed.first())) return false;
    // The handler discarded (0) or replaced the character.
    const char32_t replaced = static_cast<char32_t>(keyAscii);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && keyAscii > 0)
      edit->insert(QString::fromUcs4(&replaced, 1));
    return true;
  }

 private:
  FormWindow& window_;
};

FormWindow::FormWindow(Form& form) : form_(form), filter_(std::make_unique<Filter>(*this)) {
  dialog_ = new Dialog(this, ActiveOwner());
  dialog_->setObjectName(Q(form.Name()));
  auto* layout = new QVBoxLayout(dialog_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  client_ = new QWidget(dialog_);
  layout->addWidget(client_);
  Build();
  FormChanged();
  QObject::connect(qApp, &QApplication::focusChanged, filter_.get(), [this](QWidget*, QWidget* now) {
    if (Control* control = ControlOf(now)) control->SetFocus();
  });
}

FormWindow::~FormWindow() {
  filter_.reset();  // first: no event may reach the models any more
  bindings_.clear();
  if (!dialog_) return;
  dialog_->window_ = nullptr;
  // Windows of forms still loaded must not go down with their owner.
  for (Dialog* owned : dialog_->findChildren<Dialog*>(Qt::FindDirectChildrenOnly))
    owned->setParent(nullptr, owned->windowFlags());
  dialog_->hide();
  dialog_->deleteLater();
}

void FormWindow::Build() {
  std::map<const Control*, QMenu*> menus;
  for (Control* control : form_.Controls()) {
    auto* menu = dynamic_cast<Menu*>(control);
    if (menu && !menu->Container()) {
      if (!menuBar_) {
        menuBar_ = new QMenuBar(dialog_);
        dialog_->layout()->setMenuBar(menuBar_);
      }
      QMenu* top = menuBar_->addMenu(Q(menu->Caption()));
      menus[menu] = top;
      bindings_[menu] = MakeMenuBinding(*this, *menu, top->menuAction());
    } else if (!menu) {
      std::unique_ptr<Binding> binding = MakeBinding(*this, *control, client_);
      if (!binding) continue;
      QWidget* widget = binding->Widget();
      QString name = Q(control->Name());
      if (control->Index() >= 0) name += "_" + QString::number(control->Index());
      widget->setObjectName(name);
      widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(control)));
      widget->installEventFilter(filter_.get());
      bindings_[control] = std::move(binding);
    }
  }
  for (Control* control : form_.Controls()) {
    auto* item = dynamic_cast<Menu*>(control);
    if (!item || !item->Container()) continue;
    auto parent = menus.find(item->Container());
    if (parent == menus.end()) continue;
    QAction* action = parent->second->addAction(Q(item->Caption()));
    action->setObjectName(Q(item->Name()));
    bindings_[item] = MakeMenuBinding(*this, *item, action);
  }
  ApplyTabOrder();
  for (Control* control : form_.Controls())  // in creation order, so later controls lie on top
    if (auto binding = bindings_.find(control); binding != bindings_.end()) binding->second->Update();
}

// Tab follows the form's order; each label in it hands its access key to its target.
void FormWindow::ApplyTabOrder() {
  auto widgetOf = [this](const Control* control) -> QWidget* {
    auto binding = bindings_.find(control);
    return binding == bindings_.end() ? nullptr : binding->second->Widget();
  };
  QWidget* previous = nullptr;
  for (Control* control : form_.TabOrder()) {
    QWidget* widget = widgetOf(control);
    if (!widget) continue;
    if (auto* label = qobject_cast<QLabel*>(widget); label && dynamic_cast<Label*>(control)) {
      label->setBuddy(widgetOf(form_.AccessKeyTarget(*control)));
    } else if (control->CanFocus()) {
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }
}

QWidget* FormWindow::ParentFor(const Control& control) const {
  if (!control.Container()) return client_;
  auto container = bindings_.find(control.Container());
  return container != bindings_.end() && container->second->Widget() ? container->second->Widget() : client_;
}

QObject* FormWindow::Context() const { return filter_.get(); }

QWidget* FormWindow::Window() const { return dialog_; }

Control* FormWindow::ControlOf(QWidget* widget) const {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == dialog_) return nullptr;
    if (const QVariant value = w->property(kControlProperty); value.isValid()) {
      // Only widgets inside this window count.
      for (QWidget* up = w; up; up = up->parentWidget())
        if (up == dialog_) return reinterpret_cast<Control*>(value.value<quintptr>());
      return nullptr;
    }
  }
  return nullptr;
}

void FormWindow::Show(bool modal) {
  if (!dialog_) return;
  Flush();
  if (dialog_->isVisible() && dialog_->isModal() != modal) dialog_->hide();
  dialog_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void FormWindow::RunModal() {
  if (!dialog_ || !form_.Visible()) return;
  QEventLoop loop;
  QObject::connect(dialog_, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  loop_ = nullptr;
}

void FormWindow::Hide() {
  if (dialog_) dialog_->hide();
  if (loop_) loop_->quit();
}

void FormWindow::Refresh() {
  Flush();
  if (dialog_) dialog_->repaint();
}

void FormWindow::FormChanged() {
  if (!dialog_) return;
  dialog_->setWindowTitle(Q(form_.Caption()));
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (form_.ControlBox()) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
  if (dialog_->windowFlags() != flags) {
    const bool shown = dialog_->isVisible();
    dialog_->setWindowFlags(flags);  // hides the window
    if (shown) dialog_->show();
  }
  client_->setFixedSize(form_.Width(), form_.Height());
  if (form_.MousePointer() == vbCustom) client_->setCursor(Qt::PointingHandCursor);
  else client_->unsetCursor();
  dialog_->setUpdatesEnabled(!form_.RedrawLocked());
}

void FormWindow::ControlChanged(Control& control) {
  if (std::find(pending_.begin(), pending_.end(), &control) == pending_.end()) pending_.push_back(&control);
  if (flushQueued_) return;
  flushQueued_ = true;
  QMetaObject::invokeMethod(
      filter_.get(), [this] { Flush(); }, Qt::QueuedConnection);
}

void FormWindow::Flush() {
  flushQueued_ = false;
  std::vector<Control*> pending;
  pending.swap(pending_);
  for (Control* control : pending)
    if (auto binding = bindings_.find(control); binding != bindings_.end()) binding->second->Update();
}

void FormWindow::Focus(Control& control) {
  Flush();
  if (auto binding = bindings_.find(&control); binding != bindings_.end() && binding->second->Widget())
    binding->second->Widget()->setFocus(Qt::OtherFocusReason);
}

int FormWindow::TextWidth(const std::string& text) const {
  return QFontMetrics(dialog_ ? dialog_->font() : QApplication::font()).horizontalAdvance(Q(text));
}

}  // namespace ui::qt
