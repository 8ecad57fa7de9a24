#pragma once
// The bindings of a form window: one per control, each keeping its widget (or menu action) in
// step with the control's model both ways. Each kind of control has its own binding.

#include <memory>
#include <string>

#include <QSignalBlocker>
#include <QString>
#include <QWidget>

#include "ui/constants.h"
#include "ui/control.h"
#include "ui/qt/form_window.h"

class QAction;

namespace ui::qt {

/// The property of a widget that names the control it renders.
inline constexpr const char* kControlProperty = "vlxControl";

/// A UTF-8 string as Qt's.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// Keeps one widget (or menu action) in step with its control.
class Binding {
 public:
  Binding(FormWindow& window, Control& control, QWidget* widget)
      : window_(window), control_(control), widget_(widget) {}
  virtual ~Binding() = default;

  /// Model to widget.
  void Update() {
    if (!widget_) return Sync();
    QSignalBlocker block(widget_);
    if (QWidget* parent = window_.ParentFor(control_); widget_->parentWidget() != parent) widget_->setParent(parent);
    widget_->setEnabled(control_.Enabled());
    widget_->setToolTip(Q(control_.ToolTipText()));
    if (control_.MousePointer() == vbCustom) widget_->setCursor(Qt::PointingHandCursor);
    else widget_->unsetCursor();
    Sync();
    if (control_.Width() > 0 && control_.Height() > 0) {
      widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
    } else {
      widget_->adjustSize();
      widget_->move(control_.Left(), control_.Top());
    }
    widget_->setVisible(control_.Visible());
  }
  QWidget* Widget() const { return widget_; }

 protected:
  virtual void Sync() {}
  // After the user acted the model may have kept its old state: show that state again.
  void Resync() { window_.ControlChanged(control_); }
  QObject* Context() const { return window_.Context(); }

  FormWindow& window_;
  Control& control_;
  QWidget* widget_;
};

/// The binding of a control and a new widget for it under parent; nullptr for controls
/// without a widget of their own (menus are bound to their actions).
std::unique_ptr<Binding> MakeBinding(FormWindow& window, Control& control, QWidget* parent);
/// The binding of a menu or menu item and its action.
std::unique_ptr<Binding> MakeMenuBinding(FormWindow& window, Control& control, QAction* action);

}  // namespace ui::qt
