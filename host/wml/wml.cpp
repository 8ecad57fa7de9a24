#include "host/wml/wml.h"

#include <cstring>
#include <utility>

namespace host {

namespace {
constexpr const char* kMainStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
}  // namespace

const char* localName(const char* qualified) {
  const char* colon = std::strchr(qualified, ':');
  return colon ? colon + 1 : qualified;
}

Wml::Wml(std::string prefix) : prefix_(std::move(prefix)), qualified_(prefix_.empty() ? "" : prefix_ + ":") {}

Wml Wml::of(const pugi::xml_document& doc) {
  pugi::xml_node root = doc.document_element();
  for (pugi::xml_attribute a : root.attributes()) {
    const char* n = a.name();
    if (std::strcmp(a.value(), kMainNamespace) != 0 && std::strcmp(a.value(), kMainStrict) != 0) continue;
    if (std::strcmp(n, "xmlns") == 0) return Wml("");
    if (std::strncmp(n, "xmlns:", 6) == 0) return Wml(n + 6);
  }
  return Wml("w");
}

bool Wml::hasPrefix(const char* n) const {
  // Every element name the model reads goes through here; the prefix is nearly always "w:".
  for (char q : qualified_)
    if (*n++ != q) return false;
  return true;
}

bool Wml::is(pugi::xml_node node, const char* local) const {
  const char* n = node.name();
  return hasPrefix(n) && std::strcmp(n + qualified_.size(), local) == 0;
}

const char* Wml::local(pugi::xml_node node) const {
  if (node.type() != pugi::node_element) return nullptr;
  const char* n = node.name();
  if (!hasPrefix(n)) return nullptr;
  const char* rest = n + qualified_.size();
  return std::strchr(rest, ':') ? nullptr : rest;
}

pugi::xml_node Wml::child(pugi::xml_node node, const char* local) const {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
    if (is(c, local)) return c;
  return {};
}

pugi::xml_attribute Wml::attr(pugi::xml_node node, const char* local) const {
  // Compared in place: this runs for every property the model reads.
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    const char* n = a.name();
    if (hasPrefix(n) && std::strcmp(n + qualified_.size(), local) == 0) return a;
  }
  return {};
}

std::string Wml::value(pugi::xml_node node, const char* local) const { return attr(node, local).value(); }

void Wml::setValue(pugi::xml_node node, const char* local, const std::string& value) const {
  std::string n = name(local);
  pugi::xml_attribute a = node.attribute(n.c_str());
  if (!a) a = node.append_attribute(n.c_str());
  a.set_value(value.c_str());
}

int Wml::onOff(pugi::xml_node property) const {
  if (!property) return -1;
  pugi::xml_attribute a = attr(property, "val");
  if (!a) return 1;
  const char* v = a.value();
  for (const char* on : {"1", "true", "on"})
    if (std::strcmp(v, on) == 0) return 1;
  for (const char* off : {"0", "false", "off"})
    if (std::strcmp(v, off) == 0) return 0;
  return -1;
}

void Wml::removeChild(pugi::xml_node parent, const char* local) const {
  if (pugi::xml_node c = child(parent, local)) parent.remove_child(c);
}

}  // namespace host
