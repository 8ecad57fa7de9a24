#pragma once
// A form rendered as a Qt dialog: one widget per control, bound to the models both ways.
// Model changes reach the widgets at the next pass of the event loop (or at once on
// Show, Refresh and Focus), so filling a long list costs one rebuild, not one per item.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "ui/backend.h"

class QDialog;
class QEventLoop;
class QMenuBar;
class QObject;
class QWidget;

namespace ui {
class Form;
class Control;
}  // namespace ui

namespace ui::qt {

class Binding;
class Dialog;
class Filter;

/// The visible window new windows and boxes belong to, nullptr for none.
QWidget* ActiveOwner();

/// The Qt view of one loaded form.
class FormWindow : public FormView {
 public:
  /// Builds the (hidden) window of a form being loaded.
  explicit FormWindow(Form& form);
  ~FormWindow() override;

  void Show(bool modal) override;
  void RunModal() override;
  void Hide() override;
  void Refresh() override;
  void FormChanged() override;
  void ControlChanged(Control& control) override;
  void Focus(Control& control) override;
  int TextWidth(const std::string& text) const override;

  /// The top-level window.
  QWidget* Window() const;
  /// The form shown.
  Form& GetForm() const { return form_; }
  /// Brings every widget up to date with its model.
  void Flush();
  /// The control a widget (or one of its children) renders, nullptr for none.
  Control* ControlOf(QWidget* widget) const;
  /// The widget a control's widget belongs in: its container's, or the client area.
  QWidget* ParentFor(const Control& control) const;
  /// The object every connection of this window hangs on.
  QObject* Context() const;

 private:
  void Build();
  void ApplyTabOrder();

  Form& form_;
  QPointer<Dialog> dialog_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<Filter> filter_;  // event filter and context of every connection
  std::map<const Control*, std::unique_ptr<Binding>> bindings_;
  std::vector<Control*> pending_;
  bool flushQueued_ = false;
  QEventLoop* loop_ = nullptr;
};

}  // namespace ui::qt
