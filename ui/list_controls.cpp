#include "ui/list_controls.h"

#include <algorithm>
#include <stdexcept>

namespace ui {
namespace {

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count)
    throw std::out_of_range("list index " + std::to_string(index) + " out of range (" + std::to_string(count) +
                            " items)");
}

}  // namespace

const ListControl::Item& ListControl::At(int index) const {
  CheckIndex(index, ListCount());
  return items_[static_cast<std::size_t>(index)];
}

ListControl::Item& ListControl::At(int index) {
  CheckIndex(index, ListCount());
  return items_[static_cast<std::size_t>(index)];
}

void ListControl::AddItem(std::string item, int index) {
  if (index < 0) index = ListCount();
  if (index > ListCount()) CheckIndex(index, ListCount());
  items_.insert(items_.begin() + index, Item{std::move(item)});
  if (listIndex_ >= index) ++listIndex_;
  newIndex_ = index;
  Changed();
}

void ListControl::RemoveItem(int index) {
  CheckIndex(index, ListCount());
  items_.erase(items_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  Changed();
}

void ListControl::Clear() {
  items_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  Changed();
}

void ListControl::SetList(int index, std::string text) {
  At(index).text = std::move(text);
  Changed();
}

void ListControl::SetItemData(int index, long data) { At(index).data = data; }

void ListControl::SetListIndex(int index) {
  if (index != -1) CheckIndex(index, ListCount());
  if (listIndex_ == index) return;
  listIndex_ = index;
  Changed();
  RaiseClick();
}

void ListBox::SetMultiSelect(int mode) {
  multiSelect_ = mode;
  Changed();
}

void ListBox::SetSelected(int index, bool selected) {
  if (multiSelect_ == vbMultiSelectNone) {
    if (selected) SetListIndex(index);
    else if (At(index).selected) SetListIndex(-1);
    return;
  }
  if (At(index).selected == selected) return;
  At(index).selected = selected;
  Changed();
}

int ListBox::SelCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; }));
}

// In a single-select list the current item is the selection.
void ListBox::SetListIndex(int index) {
  if (multiSelect_ == vbMultiSelectNone) {
    if (index != -1) CheckIndex(index, ListCount());
    for (int i = 0; i < ListCount(); ++i) items_[static_cast<std::size_t>(i)].selected = i == index;
  }
  ListControl::SetListIndex(index);
}

void ListBox::SetHorizontalExtent(int pixels) {
  extent_ = std::max(0, pixels);
  Changed();
}

void ComboBox::SetStyle(int style) {
  style_ = style;
  Changed();
}

void ComboBox::SetText(std::string text) {
  if (style_ == vbComboDropdownList) {
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.text == text; });
    SetListIndex(found == items_.end() ? -1 : static_cast<int>(found - items_.begin()));
    return;
  }
  if (text_ == text) return;
  text_ = std::move(text);
  Changed();
  RaiseChange();
}

void ComboBox::SetListIndex(int index) {
  if (index != -1) CheckIndex(index, ListCount());
  if (index != -1) text_ = items_[static_cast<std::size_t>(index)].text;
  ListControl::SetListIndex(index);
}

// A drop-down list shows its current item; an editable combo box what was typed or chosen.
const std::string& ComboBox::Text() const {
  static const std::string none;
  if (style_ != vbComboDropdownList) return text_;
  return listIndex_ < 0 ? none : items_[static_cast<std::size_t>(listIndex_)].text;
}

}  // namespace ui
