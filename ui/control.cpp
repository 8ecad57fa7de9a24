#include "ui/control.h"

#include "ui/form.h"

namespace ui {

Control::Control(Form& form, std::string name, int index) : form_(form), name_(std::move(name)), index_(index) {
  form.controls_.push_back(this);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void Control::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Changed();
}

void Control::SetToolTipText(std::string text) {
  toolTip_ = std::move(text);
  Changed();
}

void Control::SetMousePointer(int pointer) {
  mousePointer_ = pointer;
  Changed();
}

void Control::SetContainer(Control* container) {
  container_ = container;
  Changed();
}

void Control::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

void Control::SetWidth(int width) {
  width_ = width;
  Changed();
}

bool Control::IsShown() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return form_.Visible();
}

bool Control::IsUsable() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_ || !c->enabled_) return false;
  return form_.Visible();
}

bool Control::SetFocus() {
  if (!CanFocus() || !IsUsable()) return false;
  form_.MoveFocus(this);
  if (form_.View()) form_.View()->Focus(*this);
  return true;
}

void Control::RaiseClick() {
  if (Click) Click();
}

void Control::RaiseKeyDown(int& keyCode, int shift) {
  if (KeyDown) KeyDown(keyCode, shift);
}

void Control::RaiseKeyPress(int& keyAscii) {
  if (KeyPress) KeyPress(keyAscii);
}

void Control::Changed() { form_.NotifyControl(*this); }

void Control::RaiseChange() {
  if (Change) Change();
}

}  // namespace ui
