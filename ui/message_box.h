#pragma once
// Message boxes: what one shows and how its style number splits into buttons, icon and
// default button.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/constants.h"

namespace ui {

/// One message box, as shown (and, once answered, with the button pressed).
struct Message {
  std::string title;  // never empty: an empty title becomes kAppTitle
  std::string prompt;
  int style = vbOKOnly;  // buttons + icon + default button
  int result = 0;        // vbOK ... vbNo once answered

  /// vbOKOnly ... vbRetryCancel.
  int Buttons() const { return style & 7; }
  /// 0 (none), vbCritical, vbQuestion, vbExclamation or vbInformation.
  int Icon() const { return style & 0x70; }
  /// The results the box offers, in the order its buttons stand.
  std::vector<int> Results() const;
  /// The result of the default button.
  int DefaultResult() const;
};

/// The result a button's name stands for ("ok", "cancel", "abort", "retry", "ignore",
/// "yes", "no", in any case), for answers given on the command line; nullopt otherwise.
std::optional<int> ResultFromName(std::string_view name);

/// Shows a message box through the active backend and returns the button pressed.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = "");

}  // namespace ui
