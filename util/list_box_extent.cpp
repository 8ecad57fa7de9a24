#include "util/list_box_extent.h"

#include <algorithm>

namespace util {

int WidestText(ui::Form& form, const std::vector<std::string>& strings) {
  int width = 0;
  for (const std::string& text : strings) width = std::max(width, form.TextWidth(text));
  return width;
}

// Forms measure in pixels, so the extent needs no conversion from twips.
void SetListBoxExtent(ui::Form& form, ui::ListBox& list, const std::vector<std::string>& strings, bool addW) {
  list.SetHorizontalExtent(WidestText(form, strings) + (addW ? form.TextWidth("W") : 0));
}

std::vector<std::string> ListItems(const ui::ListControl& list) {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(list.ListCount()));
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

}  // namespace util
