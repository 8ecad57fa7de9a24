#pragma once
// The schema order of one element's children, declared once per element: the word processor
// rejects property elements out of order, so a child is always created in its place.

#include <initializer_list>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// The order of an element's children in the schema; names are looked up, not searched.
class ChildOrder {
 public:
  /// The local names in schema order (string literals: they are kept by address).
  ChildOrder(std::initializer_list<const char*> names);

  /// The child prefix:local of parent, created in its place when absent: before the first
  /// child that comes later in the schema. Children of other namespaces are passed over, and
  /// names the order does not know count as coming last.
  pugi::xml_node ensure(const Wml& w, pugi::xml_node parent, const char* local) const;

 private:
  int rank(const char* local) const;

  std::unordered_map<std::string_view, int> ranks_;
  int size_;
};

}  // namespace host
