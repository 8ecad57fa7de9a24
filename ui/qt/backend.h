#pragma once
// The Qt Widgets backend: forms become dialogs, message boxes QMessageBox, file choosers
// QFileDialog, and files or addresses open with the desktop's default handler.

#include <memory>
#include <string>

#include "ui/backend.h"

class QWidget;

namespace ui::qt {

/// Renders the forms runtime with Qt Widgets.
class Backend : public ui::Backend {
 public:
  /// Becomes the active backend; throws std::logic_error when no QApplication exists.
  Backend();

  std::unique_ptr<FormView> CreateView(Form& form) override;
  int ShowMessage(Message& message) override;
  std::string ChooseFile(const FileRequest& request) override;
  void OpenExternal(const std::string& target) override;
  void DoEvents() override;

  /// The window of a loaded form, nullptr when it has none.
  static QWidget* WindowOf(const Form& form);
};

}  // namespace ui::qt
