#pragma once
// The seam between the forms runtime and what renders it: Qt windows (ui/qt) or a script
// that plays the user (ui/script). Exactly one backend is active at a time.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class Control;
class Form;
struct Message;

/// What a file chooser is asked for.
struct FileRequest {
  bool open = true;  // false: a save chooser
  std::string title;
  std::string initialFolder;                                 // "" for the current folder
  std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
  int filterIndex = 1;                                       // 1-based, the filter preselected
  std::string fileName;                                      // preset name (may be a pattern such as "*.txt")
  std::string defaultExtension;                              // added when the user types none, e.g. "txt"
  bool confirmOverwrite = false;                             // save: ask before replacing an existing file
  const Form* owner = nullptr;                               // the window the chooser belongs to (none: the active one)
};

/// A loaded form as the backend renders it.
class FormView {
 public:
  virtual ~FormView() = default;
  /// Makes the window visible, modal or not.
  virtual void Show(bool modal) = 0;
  /// Blocks until the form is hidden or unloaded.
  virtual void RunModal() = 0;
  /// Hides the window; ends a running modal loop.
  virtual void Hide() = 0;
  /// Repaints now.
  virtual void Refresh() = 0;
  /// The form's own properties changed (caption, size, close box, redraw lock ...).
  virtual void FormChanged() = 0;
  /// A control's model changed.
  virtual void ControlChanged(Control& control) = 0;
  /// Moves the keyboard focus to the control.
  virtual void Focus(Control& control) = 0;
  /// Width of text in pixels in the form's font.
  virtual int TextWidth(const std::string& text) const = 0;
};

/// A rendering of the forms runtime. Constructing one makes it the active backend;
/// destroying it makes the previous one active again (create and destroy them in
/// nested order).
class Backend {
 public:
  /// Becomes the active backend.
  Backend();
  /// Makes the previous backend active again.
  virtual ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  /// Creates the view of a form being loaded.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
  /// Shows a message box and returns the button pressed.
  virtual int ShowMessage(Message& message) = 0;
  /// Shows a file chooser; returns the chosen path or "" when cancelled.
  virtual std::string ChooseFile(const FileRequest& request) = 0;
  /// Opens a file or an address with the desktop's default handler; failures pass silently.
  virtual void OpenExternal(const std::string& target) = 0;
  /// Lets pending window events run.
  virtual void DoEvents() {}

 private:
  Backend* previous_;
};

/// The active backend; throws std::logic_error when there is none.
Backend& ActiveBackend();
/// Shows a file chooser through the active backend.
std::string ChooseFile(const FileRequest& request);
/// Opens a file or address with the desktop's default handler (see Backend::OpenExternal).
void OpenExternal(const std::string& target);
/// Lets pending window events run.
void DoEvents();

}  // namespace ui
