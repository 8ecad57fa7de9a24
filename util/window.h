#pragma once
// Window helpers shared by the dialogs: taking away the close box, the redraw lock, and
// showing the frame of the selected tab.

#include <string>

#include "ui/form.h"

namespace util {

/// Takes the close box away from the loaded form whose caption is exactly caption and
/// returns that form, for the caller to keep; nullptr (and nothing done) when none has it.
ui::Form* DisableXButton(const std::string& caption);

/// With lock set, stops redrawing window; with it clear, lets every locked window redraw.
void LockWindow(ui::Form* window, bool lock);

/// Makes visible exactly the frame fraTab(i) whose index i is the tab selected in
/// tbcTabs; a form without these controls is left alone.
void ShowFrame(ui::Form& form);

}  // namespace util
