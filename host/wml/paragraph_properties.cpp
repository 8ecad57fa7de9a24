#include "host/wml/paragraph_properties.h"

#include "host/wml/child_order.h"

namespace host {

namespace {

const ChildOrder& order() {
  // clang-format off
  static const ChildOrder kOrder = {
      "pStyle", "keepNext", "keepLines", "pageBreakBefore", "framePr", "widowControl", "numPr",
      "suppressLineNumbers", "pBdr", "shd", "tabs", "suppressAutoHyphens", "kinsoku", "wordWrap",
      "overflowPunct", "topLinePunct", "autoSpaceDE", "autoSpaceDN", "bidi", "adjustRightInd",
      "snapToGrid", "spacing", "ind", "contextualSpacing", "mirrorIndents", "suppressOverlap", "jc",
      "textDirection", "textAlignment", "textboxTightWrap", "outlineLvl", "divId", "cnfStyle",
      "rPr", "sectPr", "pPrChange"};
  // clang-format on
  return kOrder;
}

const ChildOrder& numberingOrder() {
  static const ChildOrder kOrder = {"ilvl", "numId"};
  return kOrder;
}

}  // namespace

ParagraphProperties ParagraphProperties::of(const Wml& w, pugi::xml_node paragraph, bool create) {
  pugi::xml_node pPr = w.child(paragraph, "pPr");
  if (pPr || !create) return {w, pPr};
  return {w, paragraph.prepend_child(w.name("pPr").c_str())};
}

void ParagraphProperties::setSpacing(const char* which, const char* autospacing, long twips) const {
  pugi::xml_node spacing = order().ensure(*w_, pPr_, "spacing");
  w_->setValue(spacing, which, std::to_string(twips));
  spacing.remove_attribute(w_->name(autospacing).c_str());
}

void ParagraphProperties::setSpaceBefore(long twips) const { setSpacing("before", "beforeAutospacing", twips); }
void ParagraphProperties::setSpaceAfter(long twips) const { setSpacing("after", "afterAutospacing", twips); }

void ParagraphProperties::setJustification(Justification value) const {
  static const char* names[] = {"left", "center", "right", "both"};
  w_->setValue(order().ensure(*w_, pPr_, "jc"), "val", names[static_cast<int>(value)]);
}

void ParagraphProperties::setStyle(const std::string& styleId) const {
  w_->setValue(order().ensure(*w_, pPr_, "pStyle"), "val", styleId);
}

void ParagraphProperties::setIndentLeft(long twips) const {
  w_->setValue(order().ensure(*w_, pPr_, "ind"), "left", std::to_string(twips));
}

void ParagraphProperties::removeNumbering() const { w_->removeChild(pPr_, "numPr"); }

void ParagraphProperties::switchOffNumbering() const {
  pugi::xml_node numPr = order().ensure(*w_, pPr_, "numPr");
  w_->setValue(numberingOrder().ensure(*w_, numPr, "numId"), "val", "0");
}

RunProperties ParagraphProperties::markProperties() const { return {*w_, order().ensure(*w_, pPr_, "rPr")}; }

SectionProperties ParagraphProperties::sectionBreak(bool create) const {
  return {*w_, create ? order().ensure(*w_, pPr_, "sectPr") : w_->child(pPr_, "sectPr")};
}

ParagraphProperties ParagraphProperties::copyInto(pugi::xml_node paragraph) const {
  pugi::xml_node copy = paragraph.append_copy(pPr_);
  w_->removeChild(copy, "sectPr");
  w_->removeChild(copy, "pPrChange");
  return {*w_, copy};
}

}  // namespace host
