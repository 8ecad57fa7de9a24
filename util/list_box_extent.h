#pragma once
// Sizes the horizontal scroll range of a list box so that its longest term can be
// scrolled into view. Widths come from the form's font.

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/list_controls.h"

namespace util {

/// The width in pixels of the widest string in the form's font, 0 for none.
int WidestText(ui::Form& form, const std::vector<std::string>& strings);

/// Sets the list's horizontal extent to the widest string, plus the width of one "W"
/// when addW is set.
void SetListBoxExtent(ui::Form& form, ui::ListBox& list, const std::vector<std::string>& strings, bool addW);

/// The texts of every item of a list.
std::vector<std::string> ListItems(const ui::ListControl& list);

}  // namespace util
