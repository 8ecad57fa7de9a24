#include "host/wml/field_char.h"

#include <cstring>

namespace host {

namespace {
constexpr const char* kTypes[] = {"begin", "separate", "end"};
}  // namespace

pugi::xml_node appendFieldChar(const Wml& w, pugi::xml_node run, FieldChar kind) {
  pugi::xml_node f = run.append_child(w.name("fldChar").c_str());
  w.setValue(f, "fldCharType", kTypes[static_cast<int>(kind)]);
  return f;
}

pugi::xml_node appendFieldCode(const Wml& w, pugi::xml_node run, const char* utf8) {
  pugi::xml_node code = run.append_child(w.name("instrText").c_str());
  code.append_attribute("xml:space") = "preserve";
  code.text().set(utf8);
  return code;
}

std::optional<FieldChar> fieldCharOf(const Wml& w, pugi::xml_node fldChar) {
  const char* type = w.attr(fldChar, "fldCharType").value();
  for (int i = 0; i < 3; ++i)
    if (!std::strcmp(type, kTypes[i])) return static_cast<FieldChar>(i);
  return std::nullopt;
}

}  // namespace host
