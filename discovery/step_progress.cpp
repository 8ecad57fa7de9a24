#include "discovery/step_progress.h"

#include "progress/cls_prog_form.h"

namespace discovery {

StepProgress::StepProgress(dialogs::frmVLX_COM& form, bool inWindow) : form_(form), inWindow_(inWindow) {}

StepProgress::~StepProgress() {
  if (!inWindow_) form_.StatusBar1.SetSimpleText("");
  else if (opened_ && progress::pubProgForm) progress::pubProgForm->CloseProgress();
}

void StepProgress::Step(const std::string& message, const std::string& statusText) {
  if (!inWindow_) {
    form_.StatusBar1.SetSimpleText(statusText);
    return;
  }
  if (!progress::pubProgForm) return;  // no add-in connection: nowhere to show it
  if (!opened_) progress::pubProgForm->ShowProgress(ui::vbModeless);
  opened_ = true;
  progress::pubProgForm->UpdateProgress("Please wait", message, "", 0, 0, "Please wait");
}

}  // namespace discovery
