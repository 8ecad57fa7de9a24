#pragma once
// WordprocessingML names: elements and attributes under whatever prefix a part binds to the
// main namespace, and on/off values. The typed elements (run_properties.h and its neighbours)
// build on it and know their children's order.

#include <string>

#include <pugixml.hpp>

namespace host {

/// The WordprocessingML main namespace (transitional).
inline constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

/// Names of one part's WordprocessingML elements and attributes.
class Wml {
 public:
  /// Uses the given prefix ("w" in nearly every file; "" for a default namespace).
  explicit Wml(std::string prefix = "w");
  /// Finds the prefix that the part's root element binds to the main namespace
  /// (transitional or strict).
  static Wml of(const pugi::xml_document& doc);

  /// True when the node is the element prefix:local.
  bool is(pugi::xml_node node, const char* local) const;
  /// The local name of an element of the main namespace, or nullptr for other elements.
  const char* local(pugi::xml_node node) const;
  /// The qualified name for a local name.
  std::string name(const char* local) const { return qualified_ + local; }
  /// The first child element prefix:local (empty handle when absent).
  pugi::xml_node child(pugi::xml_node node, const char* local) const;
  /// The attribute prefix:local.
  pugi::xml_attribute attr(pugi::xml_node node, const char* local) const;
  /// The value of attribute prefix:local ("" when absent).
  std::string value(pugi::xml_node node, const char* local) const;
  /// Sets attribute prefix:local, adding it when absent.
  void setValue(pugi::xml_node node, const char* local, const std::string& value) const;

  /// Reads an on/off property element: 1 on, 0 off, -1 when the element is absent or its
  /// value is not one of the spellings the format allows.
  int onOff(pugi::xml_node property) const;

  /// Removes the child prefix:local when present.
  void removeChild(pugi::xml_node parent, const char* local) const;

 private:
  bool hasPrefix(const char* name) const;

  std::string prefix_;
  std::string qualified_;  // prefix plus ":" (or "" for a default namespace)
};

/// Local part of a qualified name ("mc:Choice" -> "Choice").
const char* localName(const char* qualified);

}  // namespace host
