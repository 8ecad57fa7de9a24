#include "host/wml/style_definition.h"

#include "host/wml/child_order.h"

namespace host {

namespace {

const ChildOrder& order() {
  // clang-format off
  static const ChildOrder kOrder = {
      "name", "aliases", "basedOn", "next", "link", "autoRedefine", "hidden", "uiPriority",
      "semiHidden", "unhideWhenUsed", "qFormat", "locked", "personal", "personalCompose",
      "personalReply", "rsid", "pPr", "rPr", "tblPr", "trPr", "tcPr", "tblStylePr"};
  // clang-format on
  return kOrder;
}

}  // namespace

RunProperties StyleDefinition::runProperties(bool create) const {
  return {*w_, create ? order().ensure(*w_, style_, "rPr") : w_->child(style_, "rPr")};
}

}  // namespace host
