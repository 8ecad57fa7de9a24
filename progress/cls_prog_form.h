#pragma once
// The progress controller: shows one frmProgressForm, updates its lines and bar, and
// closes it. The add-in holds one as pubProgForm.

#include <memory>
#include <string>

#include "progress/progress_window.h"

namespace progress {

/// Drives the plain progress window.
class clsProgForm {
 public:
  /// Starts without a window.
  clsProgForm();
  ~clsProgForm();
  clsProgForm(const clsProgForm&) = delete;
  clsProgForm& operator=(const clsProgForm&) = delete;

  /// Creates a new progress window (closing one still kept) and shows it with the given
  /// modality (callers pass 0, modeless).
  void ShowProgress(int modal);
  /// Sets the caption (unless empty) and the three lines; with total not 0 line 3 becomes
  /// "NN% completed" under a bar filled done / total; with total 0 the bar is hidden and
  /// line 3 shown as given. Shows the window when hidden, else repaints it. Throws
  /// std::logic_error when no window is kept.
  void UpdateProgress(const std::string& line1, const std::string& line2, const std::string& line3, long done,
                      long total, const std::string& caption);
  /// Hides and unloads the kept window and drops it; does nothing without one.
  void CloseProgress();
  /// The kept window, nullptr for none.
  frmProgressForm* Window() const { return window_.get(); }

 private:
  std::unique_ptr<frmProgressForm> window_;
};

/// The add-in's progress controller, created when the add-in connects.
extern std::unique_ptr<clsProgForm> pubProgForm;

}  // namespace progress
