#pragma once
// A form: a window whose controls are models. A dialog derives from Form, declares its
// controls as members and overrides the Form_... events. Load runs Form_Load once; Show
// renders the form through the active backend (modal forms return when hidden); Unload
// asks Form_QueryUnload, runs Form_Unload and drops the window.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/backend.h"
#include "ui/constants.h"

namespace ui {

class Control;

/// A window of the add-in.
class Form {
 public:
  /// name is the form's class name (e.g. "frmVLXOptions"); scripts find forms by it.
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  /// The form's class name.
  const std::string& Name() const { return name_; }
  /// The window title.
  const std::string& Caption() const { return caption_; }
  /// Sets the window title.
  void SetCaption(std::string caption);
  /// Free text; dialogs report their outcome in it ("OK", "Cancel").
  const std::string& Tag() const { return tag_; }
  /// Sets the tag.
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  /// Client width in pixels.
  int Width() const { return width_; }
  /// Client height in pixels.
  int Height() const { return height_; }
  /// Sets the client size.
  void SetSize(int width, int height);
  /// Whether the title bar offers a close box.
  bool ControlBox() const { return controlBox_; }
  /// Gives or takes away the close box.
  void SetControlBox(bool enabled);
  /// The mouse pointer over the bare form (vbDefault, vbCustom).
  int MousePointer() const { return mousePointer_; }
  /// Sets the mouse pointer.
  void SetMousePointer(int pointer);
  /// Whether redrawing of the window is stopped (the window lock).
  bool RedrawLocked() const { return redrawLocked_; }
  /// Stops or resumes redrawing.
  void SetRedrawLocked(bool locked);

  /// Whether the form is loaded (Form_Load has run and it has a window).
  bool Loaded() const { return loaded_; }
  /// Whether the window is shown.
  bool Visible() const { return visible_; }
  /// The control with the focus, nullptr for none.
  Control* ActiveControl() const { return active_; }

  /// Loads the form (runs Form_Load the first time); does nothing when loaded.
  void Load();
  /// Loads and shows the form; Form_Activate runs when it becomes visible. vbModal
  /// returns when the form is hidden or unloaded. Showing a visible form modally throws
  /// std::logic_error.
  void Show(int modal = vbModeless);
  /// Hides the form; a modal Show returns.
  void Hide();
  /// Unloads the form unless Form_QueryUnload or Form_Unload cancels; true when unloaded.
  bool Unload();
  /// The user's close box: Form_QueryUnload (vbFormControlMenu), then unloading unless
  /// cancelled. Returns false, doing nothing, when the form has no close box.
  bool CloseFromTitleBar();
  /// Repaints the window now.
  void Refresh();
  /// Width of text in pixels in the form's font (loads the form).
  int TextWidth(const std::string& text);

  /// The controls in the order they were created.
  const std::vector<Control*>& Controls() const { return controls_; }
  /// The order in which Tab moves through the controls (empty: creation order).
  const std::vector<Control*>& TabOrder() const { return tabOrder_; }
  /// Sets the tab order; a label in it hands its access key to the control after it.
  void SetTabOrder(std::vector<Control*> order);
  /// The control a label's access key focuses: the next control after the label in the tab
  /// order that can take the focus; nullptr when the label is not in the order.
  Control* AccessKeyTarget(const Control& label) const;
  /// The control of that name (and index, for control arrays), nullptr for none.
  Control* FindControl(std::string_view name, int index = -1) const;
  /// The backend's view while loaded, else nullptr.
  FormView* View() const { return view_.get(); }

 protected:
  /// Runs once when the form is loaded.
  virtual void Form_Load() {}
  /// Runs each time the form is shown after being hidden.
  virtual void Form_Activate() {}
  /// Runs before unloading; set cancel non-zero to keep the form.
  virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}
  /// Runs when unloading; set cancel non-zero to keep the form.
  virtual void Form_Unload(int& /*cancel*/) {}

 private:
  friend class Control;
  bool UnloadAs(int mode);
  void Drop();
  void NotifyForm();
  void NotifyControl(Control& control);
  void MoveFocus(Control* next);

  std::string name_;
  std::string caption_;
  std::string tag_;
  int width_ = 400, height_ = 300;
  bool controlBox_ = true;
  int mousePointer_ = vbDefault;
  bool redrawLocked_ = false;
  bool loaded_ = false;
  bool visible_ = false;
  int modalDepth_ = 0;
  Control* active_ = nullptr;
  std::vector<Control*> controls_;
  std::vector<Control*> tabOrder_;
  std::unique_ptr<FormView> view_;
};

/// The loaded forms, in load order (the forms collection).
const std::vector<Form*>& Forms();
/// The first loaded form whose caption is exactly caption, nullptr for none.
Form* FindFormByCaption(std::string_view caption);

}  // namespace ui
