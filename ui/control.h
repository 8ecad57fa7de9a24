#pragma once
// The base of every control model: the properties and events all controls share, and
// control arrays (several controls under one name, told apart by index).

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Form;

/// A control on a form. The model holds the state; a backend renders it and reports the
/// user's actions back through the setters and the Raise... calls.
class Control {
 public:
  /// Creates the control on its form; index >= 0 makes it a member of a control array.
  Control(Form& form, std::string name, int index = -1);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  /// The form the control sits on.
  Form& Parent() const { return form_; }
  /// The control's name; members of a control array share it.
  const std::string& Name() const { return name_; }
  /// Position in its control array, or -1 for a single control.
  int Index() const { return index_; }

  /// Whether the control accepts the user's input.
  bool Enabled() const { return enabled_; }
  /// Enables or disables the control.
  void SetEnabled(bool enabled);
  /// The control's own visibility flag (see IsShown for what the user sees).
  bool Visible() const { return visible_; }
  /// Shows or hides the control.
  void SetVisible(bool visible);
  /// The caption (labels, frames, buttons, check boxes, option buttons, menus).
  const std::string& Caption() const { return caption_; }
  /// Sets the caption; "&" marks the access key.
  void SetCaption(std::string caption);
  /// The tool tip text.
  const std::string& ToolTipText() const { return toolTip_; }
  /// Sets the tool tip text.
  void SetToolTipText(std::string text);
  /// Free text the program keeps with the control.
  const std::string& Tag() const { return tag_; }
  /// Sets the tag.
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  /// The mouse pointer shown over the control (vbDefault, vbCustom).
  int MousePointer() const { return mousePointer_; }
  /// Sets the mouse pointer.
  void SetMousePointer(int pointer);

  /// The frame (or parent menu) that holds the control; nullptr for the form itself.
  Control* Container() const { return container_; }
  /// Puts the control into a container; positions become relative to it.
  void SetContainer(Control* container);
  /// Left edge in pixels, relative to the container.
  int Left() const { return left_; }
  /// Top edge in pixels, relative to the container.
  int Top() const { return top_; }
  /// Width in pixels; 0 lets the backend choose.
  int Width() const { return width_; }
  /// Height in pixels; 0 lets the backend choose.
  int Height() const { return height_; }
  /// Places the control.
  void Move(int left, int top, int width, int height);
  /// Changes the width only.
  void SetWidth(int width);

  /// True when the user can see the control: it, its containers and its form are visible.
  bool IsShown() const;
  /// True when the user can act on the control: shown, and enabled along its containers.
  bool IsUsable() const;
  /// Whether the control can take the keyboard focus at all.
  virtual bool CanFocus() const { return false; }
  /// Gives the control the focus (LostFocus of the old control, then GotFocus); false
  /// when the control cannot take it (unfocusable, hidden or disabled).
  bool SetFocus();

  /// Click handler.
  std::function<void()> Click;
  /// Runs when the control receives the focus.
  std::function<void()> GotFocus;
  /// Runs when the control loses the focus; the argument is the control receiving it
  /// (also the form's ActiveControl by then), nullptr when none.
  std::function<void(Control* next)> LostFocus;
  /// A character typed; set keyAscii to 0 to discard the character.
  std::function<void(int& keyAscii)> KeyPress;
  /// A key pressed (key codes vbKey..., shift a combination of the shift masks).
  std::function<void(int& keyCode, int shift)> KeyDown;
  /// The control's value or text changed (text boxes, up-down controls).
  std::function<void()> Change;

  /// Raises Click.
  void RaiseClick();
  /// Raises KeyDown.
  void RaiseKeyDown(int& keyCode, int shift);
  /// Raises KeyPress.
  void RaiseKeyPress(int& keyAscii);

 protected:
  /// Tells the form's view that the model changed.
  void Changed();
  /// Raises Change.
  void RaiseChange();

 private:
  Form& form_;
  std::string name_;
  int index_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string caption_;
  std::string toolTip_;
  std::string tag_;
  int mousePointer_ = 0;
  Control* container_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

/// Controls of one type under one name, reached by index: optSearchType(0).
template <class T>
class ControlArray {
 public:
  /// Creates count controls named name with the indexes 0 to count - 1.
  ControlArray(Form& form, const std::string& name, int count) {
    for (int i = 0; i < count; ++i) items_.push_back(std::make_unique<T>(form, name, i));
  }
  /// The member with that index; throws std::out_of_range for an index not in the array.
  T& operator()(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
  /// The number of members.
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace ui
