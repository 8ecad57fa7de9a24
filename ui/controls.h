#pragma once
// The simple controls: labels, frames, buttons, check boxes, option buttons, text boxes,
// pictures, tab strips, status bars, up-down controls and menus.

#include <string>
#include <vector>

#include "ui/constants.h"
#include "ui/control.h"

namespace ui {

/// Static text; also serves as a coloured bar.
class Label : public Control {
 public:
  using Control::Control;
  /// vbLeftJustify, vbRightJustify or vbCenter.
  int Alignment() const { return alignment_; }
  /// Sets the alignment.
  void SetAlignment(int alignment);
  /// Background colour as a BGR value.
  long BackColor() const { return backColor_; }
  /// Sets the background colour.
  void SetBackColor(long color);
  /// vbTransparent or vbOpaque.
  int BackStyle() const { return backStyle_; }
  /// Sets the back style.
  void SetBackStyle(int style);
  /// vbBSNone or vbFixedSingle.
  int BorderStyle() const { return borderStyle_; }
  /// Sets the border style.
  void SetBorderStyle(int style);

 private:
  int alignment_ = vbLeftJustify;
  long backColor_ = 0xFFFFFF;
  int backStyle_ = vbTransparent;
  int borderStyle_ = vbBSNone;
};

/// A titled box that holds other controls.
class Frame : public Control {
 public:
  using Control::Control;
};

/// A push button.
class CommandButton : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// True for the button that Enter presses.
  bool Default() const { return default_; }
  /// Makes this the default button (and no other button of the form).
  void SetDefault(bool isDefault);
  /// True for the button that Escape presses.
  bool Cancel() const { return cancel_; }
  /// Makes this the cancel button.
  void SetCancel(bool isCancel);

 private:
  bool default_ = false;
  bool cancel_ = false;
};

/// A check box whose Value is vbUnchecked (0) or vbChecked (1).
class CheckBox : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// 0 unticked, 1 ticked.
  int Value() const { return value_; }
  /// Sets the value; a change raises Click, as the user's click would.
  void SetValue(int value);

 private:
  int value_ = vbUnchecked;
};

/// An option button; at most one of the option buttons of one container is selected.
class OptionButton : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// True when selected.
  bool Value() const { return value_; }
  /// Selecting clears the other option buttons of the same container and raises Click.
  void SetValue(bool value);

 private:
  bool value_ = false;
};

/// A one-line text box.
class TextBox : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// The text.
  const std::string& Text() const { return text_; }
  /// Sets the text; a change raises Change.
  void SetText(std::string text);

 private:
  std::string text_;
};

/// A picture.
class Image : public Control {
 public:
  using Control::Control;
  /// Path of the picture file ("" for none).
  const std::string& Picture() const { return picture_; }
  /// Sets the picture file.
  void SetPicture(std::string path);

 private:
  std::string picture_;
};

/// A row of tabs; the program shows the frame of the selected tab (util::ShowFrame).
class TabStrip : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// Appends a tab.
  void AddTab(std::string caption);
  /// The number of tabs.
  int TabCount() const { return static_cast<int>(tabs_.size()); }
  /// The caption of tab index (0-based); throws std::out_of_range.
  const std::string& TabCaption(int index) const { return tabs_.at(static_cast<std::size_t>(index)); }
  /// The selected tab (0-based), -1 without tabs.
  int SelectedIndex() const { return selected_; }
  /// Selects a tab; a change raises Click. Throws std::out_of_range.
  void SetSelectedIndex(int index);

 private:
  std::vector<std::string> tabs_;
  int selected_ = -1;
};

/// A status bar with one line of text.
class StatusBar : public Control {
 public:
  using Control::Control;
  /// The text shown.
  const std::string& SimpleText() const { return text_; }
  /// Sets the text shown.
  void SetSimpleText(std::string text);

 private:
  std::string text_;
};

/// Up and down arrows that step a number shown in a buddy text box.
class UpDown : public Control {
 public:
  using Control::Control;
  /// Sets the range and attaches the buddy text box (may be nullptr).
  void Attach(TextBox* buddy, int min, int max);
  /// The current number.
  int Value() const { return value_; }
  /// Sets the number, kept within the range; writes it to the buddy and raises Change.
  void SetValue(int value);
  /// One step up, starting from the buddy's number when it holds one.
  void Up();
  /// One step down, likewise.
  void Down();
  /// The smallest number.
  int Min() const { return min_; }
  /// The largest number.
  int Max() const { return max_; }

 private:
  int BuddyValue() const;
  TextBox* buddy_ = nullptr;
  int min_ = 0, max_ = 10, value_ = 0;
};

/// A menu of the form's menu bar, or an item of a menu (its container is the menu).
/// The caption "-" makes a separator.
class Menu : public Control {
 public:
  using Control::Control;
  /// Whether a tick is shown beside the item.
  bool Checked() const { return checked_; }
  /// Sets the tick.
  void SetChecked(bool checked);

 private:
  bool checked_ = false;
};

}  // namespace ui
