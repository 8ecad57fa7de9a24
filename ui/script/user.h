#pragma once
// What a user does to a form, played on the models: the events fire in the order a real
// window raises them. Acting on a control the user cannot reach (hidden, disabled, on a
// hidden form) throws ScriptError.

#include <string_view>

#include "ui/control.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace ui::script {

/// Moves the focus to the control, as a click into it or Tab would.
void Focus(Control& control);
/// Clicks the control: focus first (when it takes focus), then the click. A check box
/// toggles, an option button is selected, a button, label, picture or menu item is
/// pressed.
void Click(Control& control);
/// Types text into a text box, one character at a time (KeyDown for letters, digits and
/// space, then KeyPress); a character whose KeyPress sets 0 is discarded.
void Type(TextBox& box, std::string_view text);
/// Presses one key on the focused control: KeyDown, then KeyPress for keys that make a
/// character. Enter presses the form's default button, Escape its cancel button, and
/// Backspace deletes the last character of a text box.
void PressKey(Control& control, int keyCode, int shift = 0);
/// Clicks an item of a list box; shift vbCtrlMask toggles it in an extended multi-select list.
void ClickItem(ListBox& list, int index, int shift = 0);
/// Picks an entry of a combo box.
void Choose(ComboBox& combo, int index);
/// Clicks an arrow of an up-down control.
void Spin(UpDown& spinner, bool up);
/// Selects a tab.
void SelectTab(TabStrip& tabs, int index);
/// The close box of the form's title bar; throws ScriptError when it has none.
void CloseWindow(Form& form);

}  // namespace ui::script
