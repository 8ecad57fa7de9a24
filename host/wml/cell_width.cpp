#include "host/wml/cell_width.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace host {

CellWidth cellWidthOf(const Wml& w, pugi::xml_node tc) {
  pugi::xml_node tcW = w.child(w.child(tc, "tcPr"), "tcW");
  const char* type = w.attr(tcW, "type").value();
  const std::string_view written = w.attr(tcW, "w").value();
  const double width = std::atof(written.data());
  if (!(width > 0)) return {};  // NaN too
  if (!std::strcmp(type, "dxa")) return {CellWidth::Unit::Twips, width};
  if (!std::strcmp(type, "pct"))
    return {CellWidth::Unit::Fraction, written.ends_with('%') ? width / 100.0 : width / 5000.0};
  return {};
}

}  // namespace host
