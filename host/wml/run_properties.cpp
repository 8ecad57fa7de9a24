#include "host/wml/run_properties.h"

#include "host/wml/child_order.h"
#include "host/wml/paragraph_properties.h"

namespace host {

namespace {

const ChildOrder& order() {
  // clang-format off
  static const ChildOrder kOrder = {
      "rStyle", "rFonts", "b", "bCs", "i", "iCs", "caps", "smallCaps", "strike", "dstrike",
      "outline", "shadow", "emboss", "imprint", "noProof", "snapToGrid", "vanish", "webHidden",
      "color", "spacing", "w", "kern", "position", "sz", "szCs", "highlight", "u", "effect",
      "bdr", "shd", "fitText", "vertAlign", "rtl", "cs", "em", "lang", "eastAsianLayout",
      "specVanish", "oMath", "rPrChange"};
  // clang-format on
  return kOrder;
}

const char* localOf(Toggle property) {
  switch (property) {
    case Toggle::Bold: return "b";
    case Toggle::Italic: return "i";
    case Toggle::Caps: return "caps";
    case Toggle::Vanish: return "vanish";
  }
  return "";
}

}  // namespace

RunProperties RunProperties::of(const Wml& w, pugi::xml_node runOrPPr, bool create) {
  pugi::xml_node rPr = w.child(runOrPPr, "rPr");
  if (rPr || !create) return {w, rPr};
  if (w.is(runOrPPr, "pPr")) return ParagraphProperties(w, runOrPPr).markProperties();
  return {w, runOrPPr.prepend_child(w.name("rPr").c_str())};
}

void RunProperties::setToggle(Toggle property, std::optional<bool> value) const {
  const char* local = localOf(property);
  if (!value) {
    w_->removeChild(rPr_, local);
    return;
  }
  pugi::xml_node e = order().ensure(*w_, rPr_, local);
  if (*value) e.remove_attribute(w_->name("val").c_str());
  else w_->setValue(e, "val", "0");
}

void RunProperties::setColor(const std::optional<std::string>& hex) const {
  if (!hex) {
    w_->removeChild(rPr_, "color");
    return;
  }
  pugi::xml_node c = order().ensure(*w_, rPr_, "color");
  c.remove_attributes();  // a theme colour would override the value
  w_->setValue(c, "val", *hex);
}

void RunProperties::setHighlight(const std::optional<std::string>& name) const {
  if (!name) {
    w_->removeChild(rPr_, "highlight");
    return;
  }
  w_->setValue(order().ensure(*w_, rPr_, "highlight"), "val", *name);
}

}  // namespace host
