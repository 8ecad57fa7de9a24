#include "dialogs/tag_buttons.h"

namespace dialogs {

void SetTagButtons(ui::Form& dialog, ui::CommandButton& ok, ui::CommandButton& cancel, std::function<void()> onOK) {
  ok.SetCaption("OK");
  ok.SetDefault(true);
  cancel.SetCaption("Cancel");
  cancel.SetCancel(true);
  ok.Click = [&dialog, onOK = std::move(onOK)] {
    if (onOK) onOK();
    dialog.SetTag("OK");
    dialog.Hide();
  };
  cancel.Click = [&dialog] {
    dialog.SetTag("Cancel");
    dialog.Hide();
  };
}

}  // namespace dialogs
