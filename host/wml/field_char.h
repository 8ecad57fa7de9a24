#pragma once
// Field characters (w:fldChar): the marks that begin a complex field, separate its code from
// its result, and end it; and the code between them (w:instrText).

#include <optional>

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// The three field characters.
enum class FieldChar { Begin, Separate, End };

/// Appends the field character to a run; returns its element.
pugi::xml_node appendFieldChar(const Wml& w, pugi::xml_node run, FieldChar kind);
/// Appends a piece of field code (w:instrText, its spaces kept) to a run; returns its element.
pugi::xml_node appendFieldCode(const Wml& w, pugi::xml_node run, const char* utf8);
/// Which field character a w:fldChar element is; none for a type the format does not define.
std::optional<FieldChar> fieldCharOf(const Wml& w, pugi::xml_node fldChar);

}  // namespace host
