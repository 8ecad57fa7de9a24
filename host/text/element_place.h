#pragma once
// ElementPlace: where an element of a story stood when a handle took it, so that the handle
// can ask the story later whether the element is still there without reading the element,
// whose memory may since have gone to another.

#include <pugixml.hpp>

namespace host {

/// An element and the block (w:p) holding it; no block for an element between blocks.
struct ElementPlace {
  pugi::xml_node_struct* block = nullptr;
  pugi::xml_node_struct* element = nullptr;
};

}  // namespace host
