#include "host/wml/simple_field.h"

namespace host {

const char* simpleFieldCode(const Wml& w, pugi::xml_node fldSimple) { return w.attr(fldSimple, "instr").value(); }

void setSimpleFieldCode(const Wml& w, pugi::xml_node fldSimple, const std::string& code) {
  w.setValue(fldSimple, "instr", code);
}

}  // namespace host
