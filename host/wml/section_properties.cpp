#include "host/wml/section_properties.h"

#include <cstring>
#include <string>

#include "host/wml/child_order.h"

namespace host {

namespace {

const ChildOrder& order() {
  // clang-format off
  static const ChildOrder kOrder = {
      "headerReference", "footerReference", "footnotePr", "endnotePr", "type", "pgSz", "pgMar",
      "paperSrc", "pgBorders", "lnNumType", "pgNumType", "cols", "formProt", "vAlign", "noEndnote",
      "titlePg", "textDirection", "bidi", "rtlGutter", "docGrid", "printerSettings", "sectPrChange"};
  // clang-format on
  return kOrder;
}

constexpr const char* kStartNames[] = {"continuous", "nextColumn", "nextPage", "evenPage", "oddPage"};

}  // namespace

SectionProperties SectionProperties::ofBody(const Wml& w, pugi::xml_node body, bool create) {
  pugi::xml_node sectPr = w.child(body, "sectPr");
  if (!sectPr && create) sectPr = body.append_child(w.name("sectPr").c_str());
  return {w, sectPr};
}

SectionProperties SectionProperties::ofParagraph(const Wml& w, pugi::xml_node paragraph) {
  return {w, w.child(w.child(paragraph, "pPr"), "sectPr")};
}

SectionBegin SectionProperties::start() const {
  std::string type = w_->value(w_->child(sectPr_, "type"), "val");
  for (int i = 0; i < 5; ++i)
    if (type == kStartNames[i]) return static_cast<SectionBegin>(i);
  return SectionBegin::NextPage;
}

void SectionProperties::setStart(SectionBegin value) const {
  w_->setValue(order().ensure(*w_, sectPr_, "type"), "val", kStartNames[static_cast<int>(value)]);
}

void SectionProperties::takeStartFrom(SectionProperties other) const {
  if (pugi::xml_node type = w_->child(other.sectPr_, "type")) {
    w_->setValue(order().ensure(*w_, sectPr_, "type"), "val", w_->value(type, "val"));
  } else {
    w_->removeChild(sectPr_, "type");
  }
}

void SectionProperties::restartPageNumbers(long value) const {
  w_->setValue(order().ensure(*w_, sectPr_, "pgNumType"), "start", std::to_string(value));
}

void SectionProperties::removePageNumberStart(IfEmpty ifEmpty) const {
  pugi::xml_node numbers = w_->child(sectPr_, "pgNumType");
  if (!numbers) return;
  numbers.remove_attribute(w_->name("start").c_str());
  if (ifEmpty == IfEmpty::Drop && !numbers.first_attribute() && !numbers.first_child())
    numbers.parent().remove_child(numbers);
}

void SectionProperties::takePageNumberStartFrom(SectionProperties other) const {
  if (pugi::xml_attribute start = w_->attr(w_->child(other.sectPr_, "pgNumType"), "start"))
    w_->setValue(order().ensure(*w_, sectPr_, "pgNumType"), "start", start.value());
  else removePageNumberStart(IfEmpty::Keep);
}

void SectionProperties::setColumns(int count, long spaceTwips) const {
  pugi::xml_node cols = order().ensure(*w_, sectPr_, "cols");
  w_->setValue(cols, "num", std::to_string(count));
  w_->setValue(cols, "space", std::to_string(spaceTwips));
}

void SectionProperties::copyPageSetupInto(SectionProperties target) const {
  static const char* kBeginning[] = {"headerReference", "footerReference", "titlePg", "cols", "type", "sectPrChange"};
  for (pugi::xml_node c = sectPr_.first_child(); c; c = c.next_sibling()) {
    const char* l = w_->local(c);
    bool beginning = false;
    for (const char* b : kBeginning) beginning = beginning || (l && !std::strcmp(l, b));
    if (beginning) continue;
    pugi::xml_node copy = target.sectPr_.append_copy(c);
    if (l && !std::strcmp(l, "pgNumType")) copy.remove_attribute(w_->name("start").c_str());
  }
}

}  // namespace host
