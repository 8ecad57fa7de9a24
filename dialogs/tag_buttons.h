#pragma once
// The buttons that end a small modal dialog: each sets the dialog's Tag and hides it, so that
// the caller's modal Show returns and reads the outcome.

#include <functional>

#include "ui/controls.h"
#include "ui/form.h"

namespace dialogs {

/// Makes ok the default button, tagging "OK" (after onOK, when given), and cancel the cancel
/// button, tagging "Cancel"; either hides the dialog.
void SetTagButtons(ui::Form& dialog, ui::CommandButton& ok, ui::CommandButton& cancel,
                   std::function<void()> onOK = nullptr);

}  // namespace dialogs
