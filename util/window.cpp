#include "util/window.h"

#include "ui/controls.h"

namespace util {

ui::Form* DisableXButton(const std::string& caption) {
  ui::Form* window = ui::FindFormByCaption(caption);
  if (window) window->SetControlBox(false);
  return window;
}

// One window at a time is locked on the original platform, and unlocking names none.
void LockWindow(ui::Form* window, bool lock) {
  if (lock) {
    if (window) window->SetRedrawLocked(true);
    return;
  }
  for (ui::Form* form : ui::Forms()) form->SetRedrawLocked(false);
}

void ShowFrame(ui::Form& form) {
  const auto* tabs = dynamic_cast<const ui::TabStrip*>(form.FindControl("tbcTabs"));
  if (!tabs) return;
  for (int i = 0; i < tabs->TabCount(); ++i)
    if (auto* frame = form.FindControl("fraTab", i)) frame->SetVisible(i == tabs->SelectedIndex());
  form.Refresh();
}

}  // namespace util
