#include "ui/controls.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "ui/form.h"

namespace ui {

void Label::SetAlignment(int alignment) {
  alignment_ = alignment;
  Changed();
}

void Label::SetBackColor(long color) {
  backColor_ = color;
  Changed();
}

void Label::SetBackStyle(int style) {
  backStyle_ = style;
  Changed();
}

void Label::SetBorderStyle(int style) {
  borderStyle_ = style;
  Changed();
}

void CommandButton::SetDefault(bool isDefault) {
  if (isDefault) {
    for (Control* control : Parent().Controls()) {
      auto* button = dynamic_cast<CommandButton*>(control);
      if (button && button != this && button->default_) {
        button->default_ = false;
        button->Changed();
      }
    }
  }
  default_ = isDefault;
  Changed();
}

void CommandButton::SetCancel(bool isCancel) {
  cancel_ = isCancel;
  Changed();
}

void CheckBox::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Changed();
  RaiseClick();
}

void OptionButton::SetValue(bool value) {
  if (value_ == value) return;
  value_ = value;
  Changed();
  if (!value) return;
  for (Control* control : Parent().Controls()) {
    auto* other = dynamic_cast<OptionButton*>(control);
    if (other && other != this && other->Container() == Container() && other->value_) {
      other->value_ = false;
      other->Changed();
    }
  }
  RaiseClick();
}

void TextBox::SetText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Changed();
  RaiseChange();
}

void Image::SetPicture(std::string path) {
  picture_ = std::move(path);
  Changed();
}

void TabStrip::AddTab(std::string caption) {
  tabs_.push_back(std::move(caption));
  if (selected_ < 0) selected_ = 0;
  Changed();
}

void TabStrip::SetSelectedIndex(int index) {
  if (index < 0 || index >= TabCount()) throw std::out_of_range("tab index out of range");
  if (selected_ == index) return;
  selected_ = index;
  Changed();
  RaiseClick();
}

void StatusBar::SetSimpleText(std::string text) {
  text_ = std::move(text);
  Changed();
}

void UpDown::Attach(TextBox* buddy, int min, int max) {
  buddy_ = buddy;
  min_ = min;
  max_ = std::max(min, max);
  value_ = std::clamp(value_, min_, max_);
  Changed();
}

void UpDown::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (buddy_) buddy_->SetText(std::to_string(value));
  if (value_ == value) return;
  value_ = value;
  Changed();
  RaiseChange();
}

int UpDown::BuddyValue() const {
  if (!buddy_) return value_;
  const std::string& text = buddy_->Text();
  int number = value_;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : value_;
}

void UpDown::Up() { SetValue(BuddyValue() + 1); }

void UpDown::Down() { SetValue(BuddyValue() - 1); }

void Menu::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

}  // namespace ui
