#pragma once
// The progress windows: up to three lines of text and a green bar. frmProgressForm is the
// plain window that clsProgForm drives; the worker windows run a job when they become
// active and hide again, so the job is done when Show returns.

#include <functional>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace progress {

/// What every progress window shows.
class ProgressWindow : public ui::Form {
 public:
  /// Lays out the labels; name is the form's class name.
  explicit ProgressWindow(std::string name);

  /// Shows three lines of text and no bar (a worker window before its job runs).
  void ShowLines(const std::string& line1, const std::string& line2, const std::string& line3);
  /// Takes the close box away from the window captioned strCaption and keeps that window.
  void DisableXButton(const std::string& strCaption);
  /// The window DisableXButton found, nullptr for none.
  ui::Form* Handle() const { return handle_; }

  ui::Label lblLabel1{*this, "lblLabel1"};
  ui::Label lblLabel2{*this, "lblLabel2"};
  ui::Label lblProgBarTotal{*this, "lblProgBarTotal"};
  ui::Label lblProgBarCompleted{*this, "lblProgBarCompleted"};
  ui::Label lblLabel3{*this, "lblLabel3"};
  ui::Label lblStatic{*this, "lblStatic"};

 private:
  ui::Form* handle_ = nullptr;
};

/// The plain progress window; it has no behaviour of its own.
class frmProgressForm : public ProgressWindow {
 public:
  /// A hidden, unloaded window.
  frmProgressForm();
};

/// A progress window whose activation repaints it, reports its lines on the console when
/// asked, runs the job and hides the window again (also when the job throws).
class WorkerWindow : public ProgressWindow {
 protected:
  using ProgressWindow::ProgressWindow;
  /// The job.
  virtual void RunJob() = 0;
  void Form_Activate() override;
};

/// Prepares the document before the main dialog.
class frmVLXProgressFormVLXPreparing : public WorkerWindow {
 public:
  /// A hidden, unloaded window without a job.
  frmVLXProgressFormVLXPreparing();
  /// The job run while the window shows.
  std::function<void()> Job;

 protected:
  void RunJob() override;
};

/// Restores the host's options at the end of a run.
class frmVLXProgressFormVLXClose : public WorkerWindow {
 public:
  /// A hidden, unloaded window without a job.
  frmVLXProgressFormVLXClose();
  /// The job run while the window shows.
  std::function<void()> Job;

 protected:
  void RunJob() override;
};

/// Builds the list of capitalised terms; the job's result ends up in Tag as "True" or
/// "False" (no job counts as "False").
class frmVLXProgressFormGetCappedList : public WorkerWindow {
 public:
  /// A hidden, unloaded window without a job.
  frmVLXProgressFormGetCappedList();
  /// The job run while the window shows; its inputs are whatever it captures.
  std::function<bool()> Job;

 protected:
  void RunJob() override;
};

}  // namespace progress
