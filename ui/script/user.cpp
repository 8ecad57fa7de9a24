#include "ui/script/user.h"

#include <cctype>
#include <string>

#include "ui/script/backend.h"

namespace ui::script {
namespace {

std::string Describe(const Control& control) {
  std::string name = control.Parent().Name() + "." + control.Name();
  if (control.Index() >= 0) name += "(" + std::to_string(control.Index()) + ")";
  return name;
}

void Reach(const Control& control) {
  if (!control.IsUsable())
    throw ScriptError("the user cannot reach " + Describe(control) +
                      (control.IsShown() ? " (disabled)" : " (not shown)"));
}

void ClickButton(Form& form, bool (CommandButton::*role)() const) {
  for (Control* control : form.Controls()) {
    auto* button = dynamic_cast<CommandButton*>(control);
    if (button && (button->*role)() && button->IsUsable()) {
      button->RaiseClick();
      return;
    }
  }
}

// The UTF-8 text of one code point.
std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace

void Focus(Control& control) {
  Reach(control);
  control.SetFocus();
}

void Click(Control& control) {
  Reach(control);
  control.SetFocus();
  if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    check->SetValue(check->Value() == vbChecked ? vbUnchecked : vbChecked);
  } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    option->SetValue(true);
  } else {
    control.RaiseClick();
  }
}

void Type(TextBox& box, std::string_view text) {
  Focus(box);
  for (std::size_t i = 0; i < text.size();) {
    // Decode one UTF-8 character.
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    if (c < 0x80 && (std::isalnum(static_cast<int>(c)) || c == ' ')) {
      int keyCode = std::toupper(static_cast<int>(c));
      box.RaiseKeyDown(keyCode, std::isupper(static_cast<int>(c)) ? vbShiftMask : 0);
    }
    int keyAscii = static_cast<int>(c);
    box.RaiseKeyPress(keyAscii);
    if (keyAscii != 0) box.SetText(box.Text() + Utf8(static_cast<char32_t>(keyAscii)));
  }
}

void PressKey(Control& control, int keyCode, int shift) {
  Focus(control);
  control.RaiseKeyDown(keyCode, shift);
  const bool character = keyCode == vbKeyBack || keyCode == vbKeyReturn || keyCode == vbKeyEscape ||
                         keyCode == vbKeySpace || (keyCode >= '0' && keyCode <= '9') ||
                         (keyCode >= 'A' && keyCode <= 'Z');
  if (keyCode == 0 || !character) return;
  int keyAscii = keyCode >= 'A' && keyCode <= 'Z' && !(shift & vbShiftMask) ? std::tolower(keyCode) : keyCode;
  control.RaiseKeyPress(keyAscii);
  if (keyAscii == 0) return;
  auto* box = dynamic_cast<TextBox*>(&control);
  if (keyAscii == vbKeyReturn && !dynamic_cast<CommandButton*>(&control)) {
    ClickButton(control.Parent(), &CommandButton::Default);
  } else if (keyAscii == vbKeyEscape) {
    ClickButton(control.Parent(), &CommandButton::Cancel);
  } else if (box && keyAscii == vbKeyBack) {
    std::string text = box->Text();
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (!text.empty()) text.pop_back();
    box->SetText(text);
  } else if (box && keyAscii >= ' ') {
    box->SetText(box->Text() + Utf8(static_cast<char32_t>(keyAscii)));
  } else if (keyAscii == ' ' && (dynamic_cast<CommandButton*>(&control) || dynamic_cast<CheckBox*>(&control))) {
    Click(control);
  }
}

void ClickItem(ListBox& list, int index, int shift) {
  Focus(list);
  if (list.MultiSelect() == vbMultiSelectNone) {
    list.SetListIndex(index);
    return;
  }
  const bool toggle = list.MultiSelect() == vbMultiSelectSimple || (shift & vbCtrlMask);
  if (toggle) {
    list.SetSelected(index, !list.Selected(index));
  } else {
    for (int i = 0; i < list.ListCount(); ++i) list.SetSelected(i, i == index);
  }
  const int before = list.ListIndex();
  list.SetListIndex(index);  // raises Click when the current item changes
  if (before == index) list.RaiseClick();
}

void Choose(ComboBox& combo, int index) {
  Focus(combo);
  combo.SetListIndex(index);
}

void Spin(UpDown& spinner, bool up) {
  Reach(spinner);
  if (up) spinner.Up();
  else spinner.Down();
}

void SelectTab(TabStrip& tabs, int index) {
  Focus(tabs);
  tabs.SetSelectedIndex(index);
}

void CloseWindow(Form& form) {
  if (!form.Visible()) throw ScriptError("the form " + form.Name() + " is not shown");
  if (!form.CloseFromTitleBar()) throw ScriptError("the form " + form.Name() + " has no close box");
}

}  // namespace ui::script
