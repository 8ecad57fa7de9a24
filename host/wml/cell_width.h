#pragma once
// The width a table cell asks for (w:tcPr/w:tcW), read once for pagination and the view.

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// A table cell's preferred width.
struct CellWidth {
  /// Twips (type "dxa"), a fraction of the table's width (type "pct"), or none: automatic,
  /// nil, a missing type, or a width that is not above zero.
  enum class Unit { None, Twips, Fraction };
  Unit unit = Unit::None;
  double value = 0;  // twentieths of a point, or the fraction (0.5 for half)
};

/// The preferred width of a w:tc; a "pct" width counts fiftieths of a percent, or percent
/// when written with "%".
CellWidth cellWidthOf(const Wml& w, pugi::xml_node tc);

}  // namespace host
