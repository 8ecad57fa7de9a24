#pragma once
// List boxes and combo boxes: a list of items, each with its text, its number (ItemData)
// and, in list boxes, its selection.

#include <string>
#include <vector>

#include "ui/constants.h"
#include "ui/control.h"

namespace ui {

/// What list boxes and combo boxes share. Indexes are 0-based; an index outside the list
/// throws std::out_of_range.
class ListControl : public Control {
 public:
  using Control::Control;
  bool CanFocus() const override { return true; }
  /// Inserts an item at index (-1 appends).
  void AddItem(std::string item, int index = -1);
  /// Removes the item at index; later items move up.
  void RemoveItem(int index);
  /// Removes every item; ListIndex becomes -1.
  void Clear();
  /// The number of items.
  int ListCount() const { return static_cast<int>(items_.size()); }
  /// The text of the item at index.
  const std::string& List(int index) const { return At(index).text; }
  /// Replaces the text of the item at index.
  void SetList(int index, std::string text);
  /// The number kept with the item at index.
  long ItemData(int index) const { return At(index).data; }
  /// Sets the number kept with the item at index.
  void SetItemData(int index, long data);
  /// Index of the item last added.
  int NewIndex() const { return newIndex_; }
  /// The current item, -1 for none.
  int ListIndex() const { return listIndex_; }
  /// Makes an item current (-1 for none); a change raises Click.
  virtual void SetListIndex(int index);

 protected:
  struct Item {
    std::string text;
    long data = 0;
    bool selected = false;
  };
  const Item& At(int index) const;
  Item& At(int index);
  std::vector<Item> items_;
  int listIndex_ = -1;

 private:
  int newIndex_ = -1;
};

/// A list box, single or multi-select. In a single-select list the current item is the
/// selected one; in a multi-select list ListIndex is only the item with the caret.
class ListBox : public ListControl {
 public:
  using ListControl::ListControl;
  /// vbMultiSelectNone, vbMultiSelectSimple or vbMultiSelectExtended.
  int MultiSelect() const { return multiSelect_; }
  /// Sets the selection mode (done when the form is built).
  void SetMultiSelect(int mode);
  /// Whether the item at index is selected.
  bool Selected(int index) const { return At(index).selected; }
  /// Selects or deselects the item at index.
  void SetSelected(int index, bool selected);
  /// The number of selected items.
  int SelCount() const;
  void SetListIndex(int index) override;
  /// The width in pixels over which the list scrolls horizontally (0: no scrolling).
  int HorizontalExtent() const { return extent_; }
  /// Sets the horizontal scroll extent.
  void SetHorizontalExtent(int pixels);

 private:
  int multiSelect_ = vbMultiSelectNone;
  int extent_ = 0;
};

/// A combo box: a drop-down list, editable (vbComboDropdown) or not (vbComboDropdownList).
class ComboBox : public ListControl {
 public:
  using ListControl::ListControl;
  /// vbComboDropdown or vbComboDropdownList.
  int Style() const { return style_; }
  /// Sets the style (done when the form is built).
  void SetStyle(int style);
  /// The text shown: the current item's text, or what was typed.
  const std::string& Text() const;
  /// Sets the text; in a drop-down list this selects the first item with that text.
  void SetText(std::string text);
  void SetListIndex(int index) override;

 private:
  int style_ = vbComboDropdownList;
  std::string text_;
};

}  // namespace ui
