#include "progress/progress_window.h"

#include "ui/console_progress.h"
#include "util/window.h"

namespace progress {

ProgressWindow::ProgressWindow(std::string name) : ui::Form(std::move(name)) {
  SetCaption("Please wait");
  SetSize(360, 132);
  lblLabel1.Move(12, 12, 336, 18);
  lblLabel2.Move(12, 34, 336, 18);
  lblProgBarTotal.Move(12, 60, 336, 18);
  lblProgBarTotal.SetBorderStyle(ui::vbFixedSingle);
  lblProgBarCompleted.Move(12, 60, 0, 18);
  lblLabel3.Move(12, 84, 336, 18);
  lblStatic.Move(12, 108, 336, 16);
  lblStatic.SetCaption("Vellandex");
  lblStatic.SetAlignment(ui::vbRightJustify);
}

void ProgressWindow::ShowLines(const std::string& line1, const std::string& line2, const std::string& line3) {
  lblLabel1.SetCaption(line1);
  lblLabel2.SetCaption(line2);
  lblLabel3.SetCaption(line3);
  lblProgBarCompleted.SetVisible(false);
  lblProgBarTotal.SetVisible(false);
}

void ProgressWindow::DisableXButton(const std::string& strCaption) { handle_ = util::DisableXButton(strCaption); }

frmProgressForm::frmProgressForm() : ProgressWindow("frmProgressForm") {}

void WorkerWindow::Form_Activate() {
  struct HideAtEnd {
    ui::Form& window;
    ~HideAtEnd() {
      ui::EndConsoleProgress();
      window.Hide();
    }
  } hide{*this};
  Refresh();
  ui::ShowConsoleProgress(lblLabel1.Caption(), lblLabel2.Caption(), lblLabel3.Caption(), 0, 0);
  RunJob();
}

frmVLXProgressFormVLXPreparing::frmVLXProgressFormVLXPreparing() : WorkerWindow("frmVLXProgressFormVLXPreparing") {}

void frmVLXProgressFormVLXPreparing::RunJob() {
  if (Job) Job();
}

frmVLXProgressFormVLXClose::frmVLXProgressFormVLXClose() : WorkerWindow("frmVLXProgressFormVLXClose") {}

void frmVLXProgressFormVLXClose::RunJob() {
  if (Job) Job();
}

frmVLXProgressFormGetCappedList::frmVLXProgressFormGetCappedList() : WorkerWindow("frmVLXProgressFormGetCappedList") {}

void frmVLXProgressFormGetCappedList::RunJob() { SetTag(Job && Job() ? "True" : "False"); }

}  // namespace progress
