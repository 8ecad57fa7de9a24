#pragma once
// Where a search shows what it is doing: the progress window, or the main dialog's status bar
// while that dialog is on screen.

#include <string>

#include "dialogs/frm_vlx_com.h"

namespace discovery {

/// One search's progress display; closes what it opened when it goes.
class StepProgress {
 public:
  /// inWindow shows the steps in the progress window, else in form's status bar.
  StepProgress(dialogs::frmVLX_COM& form, bool inWindow);
  ~StepProgress();
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;

  /// Shows a step: message in the window under "Please wait", or statusText in the bar.
  void Step(const std::string& message, const std::string& statusText);

 private:
  dialogs::frmVLX_COM& form_;
  bool inWindow_;
  bool opened_ = false;
};

}  // namespace discovery
