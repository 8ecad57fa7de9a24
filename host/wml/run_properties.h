#pragma once
// A run's properties (w:rPr) as the model writes them: each property set on, off or left to
// what the styles give, in schema order.

#include <optional>
#include <string>

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// The on/off run properties the model writes.
enum class Toggle { Bold, Italic, Caps, Vanish };

/// The properties element of a run or of a paragraph mark; a handle, like the node it wraps.
class RunProperties {
 public:
  /// Wraps an rPr element (an empty handle reads as no properties and writes nothing).
  RunProperties(const Wml& w, pugi::xml_node rPr) : w_(&w), rPr_(rPr) {}
  /// The properties of a run or of a paragraph mark (of a w:pPr), created when asked.
  static RunProperties of(const Wml& w, pugi::xml_node runOrPPr, bool create);

  /// The wrapped element.
  pugi::xml_node node() const { return rPr_; }
  explicit operator bool() const { return static_cast<bool>(rPr_); }

  /// On, off (written as such, over a style that has it on), or unset: inherited.
  void setToggle(Toggle property, std::optional<bool> value) const;
  /// The font colour as six hex digits (a theme colour set here goes), or unset: inherited.
  void setColor(const std::optional<std::string>& hex) const;
  /// The highlight by its name ("yellow", "none"), or unset: inherited.
  void setHighlight(const std::optional<std::string>& name) const;

 private:
  const Wml* w_;
  pugi::xml_node rPr_;
};

}  // namespace host
