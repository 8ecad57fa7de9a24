#include "host/wml/wml.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

namespace host {

namespace {
constexpr const char* kMainStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";

constexpr std::initializer_list<const char*> kRunOrder = {
    "rStyle", "rFonts", "b", "bCs", "i", "iCs", "caps", "smallCaps", "strike", "dstrike",
    "outline", "shadow", "emboss", "imprint", "noProof", "snapToGrid", "vanish", "webHidden",
    "color", "spacing", "w", "kern", "position", "sz", "szCs", "highlight", "u", "effect",
    "bdr", "shd", "fitText", "vertAlign", "rtl", "cs", "em", "lang", "eastAsianLayout",
    "specVanish", "oMath", "rPrChange"};

constexpr std::initializer_list<const char*> kParagraphOrder = {
    "pStyle", "keepNext", "keepLines", "pageBreakBefore", "framePr", "widowControl", "numPr",
    "suppressLineNumbers", "pBdr", "shd", "tabs", "suppressAutoHyphens", "kinsoku", "wordWrap",
    "overflowPunct", "topLinePunct", "autoSpaceDE", "autoSpaceDN", "bidi", "adjustRightInd",
    "snapToGrid", "spacing", "ind", "contextualSpacing", "mirrorIndents", "suppressOverlap", "jc",
    "textDirection", "textAlignment", "textboxTightWrap", "outlineLvl", "divId", "cnfStyle",
    "rPr", "sectPr", "pPrChange"};

constexpr std::initializer_list<const char*> kSectionOrder = {
    "headerReference", "footerReference", "footnotePr", "endnotePr", "type", "pgSz", "pgMar",
    "paperSrc", "pgBorders", "lnNumType", "pgNumType", "cols", "formProt", "vAlign", "noEndnote",
    "titlePg", "textDirection", "bidi", "rtlGutter", "docGrid", "printerSettings", "sectPrChange"};

using Ranks = std::unordered_map<std::string_view, int>;

Ranks ranksOf(std::initializer_list<const char*> order) {
  Ranks ranks;
  int i = 0;
  for (const char* name : order) ranks.emplace(name, i++);
  return ranks;
}

int rank(const char* local, std::initializer_list<const char*> order) {
  // The known orders are read for every property written: looked up, not searched.
  static const Ranks run = ranksOf(kRunOrder), paragraph = ranksOf(kParagraphOrder), section = ranksOf(kSectionOrder);
  const Ranks* known = order.begin() == kRunOrder.begin()         ? &run
                       : order.begin() == kParagraphOrder.begin() ? &paragraph
                       : order.begin() == kSectionOrder.begin()   ? &section
                                                                  : nullptr;
  if (known) {
    auto it = known->find(local);
    return it == known->end() ? static_cast<int>(order.size()) : it->second;  // unknown elements sort last
  }
  int i = 0;
  for (const char* name : order) {
    if (std::strcmp(name, local) == 0) return i;
    ++i;
  }
  return i;
}
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

std::string Wml::value(pugi::xml_node node, const char* local) const {
  return attr(node, local).value();
}

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

pugi::xml_node Wml::ensureChild(pugi::xml_node parent, const char* local,
                                std::initializer_list<const char*> order) const {
  if (pugi::xml_node existing = child(parent, local)) return existing;
  int want = rank(local, order);
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
    const char* l = this->local(c);
    if (l && rank(l, order) > want) return parent.insert_child_before(name(local).c_str(), c);
  }
  return parent.append_child(name(local).c_str());
}

void Wml::removeChild(pugi::xml_node parent, const char* local) const {
  if (pugi::xml_node c = child(parent, local)) parent.remove_child(c);
}

pugi::xml_node Wml::runProperties(pugi::xml_node runOrPPr, bool create) const {
  pugi::xml_node rPr = child(runOrPPr, "rPr");
  if (rPr || !create) return rPr;
  if (is(runOrPPr, "pPr")) return ensureChild(runOrPPr, "rPr", kParagraphOrder);
  return runOrPPr.prepend_child(name("rPr").c_str());
}

pugi::xml_node Wml::paragraphProperties(pugi::xml_node paragraph, bool create) const {
  pugi::xml_node pPr = child(paragraph, "pPr");
  if (pPr || !create) return pPr;
  return paragraph.prepend_child(name("pPr").c_str());
}

std::initializer_list<const char*> Wml::runPropertyOrder() { return kRunOrder; }
std::initializer_list<const char*> Wml::paragraphPropertyOrder() { return kParagraphOrder; }
std::initializer_list<const char*> Wml::sectionPropertyOrder() { return kSectionOrder; }

}  // namespace host
