#pragma once
// A simple field (w:fldSimple): its code is an attribute, its result the runs inside it.

#include <string>

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// The code of a simple field, as written ("" when it has none).
const char* simpleFieldCode(const Wml& w, pugi::xml_node fldSimple);
/// Replaces the code of a simple field.
void setSimpleFieldCode(const Wml& w, pugi::xml_node fldSimple, const std::string& code);

}  // namespace host
