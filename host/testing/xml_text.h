#pragma once
// XML as tests compare it: nodes written out without indentation.

#include <sstream>
#include <string>

#include <pugixml.hpp>

namespace host::testing {

/// An XML node serialised without indentation.
inline std::string xmlOf(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return out.str();
}

/// The children of a node, each serialised without indentation, one after another.
inline std::string childrenXmlOf(pugi::xml_node node) {
  std::string out;
  for (pugi::xml_node child : node.children()) out += xmlOf(child);
  return out;
}

}  // namespace host::testing
