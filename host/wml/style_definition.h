#pragma once
// A style's definition (w:style) as the model writes it: its children in schema order, so
// that run properties set on a table style land before its table properties.

#include <pugixml.hpp>

#include "host/wml/run_properties.h"
#include "host/wml/wml.h"

namespace host {

/// The definition of one style of the styles part; a handle, like the node it wraps.
class StyleDefinition {
 public:
  /// Wraps a w:style element.
  StyleDefinition(const Wml& w, pugi::xml_node style) : w_(&w), style_(style) {}

  /// The run properties the style gives, created in their place when asked.
  RunProperties runProperties(bool create) const;

 private:
  const Wml* w_;
  pugi::xml_node style_;
};

}  // namespace host
