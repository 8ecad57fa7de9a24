#include "progress/cls_prog_form.h"

#include <stdexcept>

#include "ui/console_progress.h"

namespace progress {

std::unique_ptr<clsProgForm> pubProgForm;

clsProgForm::clsProgForm() = default;

clsProgForm::~clsProgForm() {
  if (window_ && window_->Loaded()) window_->Unload();
  ui::EndConsoleProgress();
}

void clsProgForm::ShowProgress(int modal) {
  CloseProgress();
  window_ = std::make_unique<frmProgressForm>();
  window_->Show(modal);
}

void clsProgForm::UpdateProgress(const std::string& line1, const std::string& line2, const std::string& line3,
                                 long done, long total, const std::string& caption) {
  if (!window_) throw std::logic_error("UpdateProgress without a progress window (ShowProgress first)");
  frmProgressForm& window = *window_;
  if (!caption.empty()) window.SetCaption(caption);
  std::string third = line3;
  if (total != 0) {
    third = std::to_string(ui::PercentDone(done, total)) + "% completed";
    window.lblLabel3.SetAlignment(ui::vbCenter);
    window.lblProgBarCompleted.SetVisible(true);
    window.lblProgBarCompleted.SetBackStyle(ui::vbOpaque);
    window.lblProgBarCompleted.SetBackColor(ui::vbGreen);
    window.lblProgBarCompleted.SetBorderStyle(ui::vbFixedSingle);
    window.lblProgBarCompleted.SetWidth(ui::BarWidth(done, total, window.lblProgBarTotal.Width()));
    window.lblProgBarTotal.SetVisible(true);
    window.lblProgBarTotal.SetBackStyle(ui::vbTransparent);
    window.lblProgBarTotal.SetBorderStyle(ui::vbFixedSingle);
  } else {
    window.lblLabel3.SetAlignment(ui::vbLeftJustify);
    window.lblProgBarCompleted.SetVisible(false);
    window.lblProgBarTotal.SetVisible(false);
  }
  window.lblLabel1.SetCaption(line1);
  window.lblLabel2.SetCaption(line2);
  window.lblLabel3.SetCaption(third);
  ui::ShowConsoleProgress(line1, line2, third, done, total);
  if (window.Visible()) window.Refresh();
  else window.Show(ui::vbModeless);
}

void clsProgForm::CloseProgress() {
  if (!window_) return;
  window_->Hide();
  window_->Unload();
  window_.reset();
  ui::EndConsoleProgress();
}

}  // namespace progress
