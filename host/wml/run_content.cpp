#include "host/wml/run_content.h"

namespace host {

namespace {

pugi::xml_node insert(const Wml& w, const char* local, pugi::xml_node parent, pugi::xml_node before) {
  std::string name = w.name(local);
  return before ? parent.insert_child_before(name.c_str(), before) : parent.append_child(name.c_str());
}

}  // namespace

pugi::xml_node insertParagraph(const Wml& w, pugi::xml_node parent, pugi::xml_node before) {
  return insert(w, "p", parent, before);
}

pugi::xml_node insertRun(const Wml& w, pugi::xml_node parent, pugi::xml_node before) {
  return insert(w, "r", parent, before);
}

pugi::xml_node appendRunText(const Wml& w, pugi::xml_node run, const char* utf8) {
  pugi::xml_node t = run.append_child(w.name("t").c_str());
  t.append_attribute("xml:space") = "preserve";
  t.text().set(utf8);
  return t;
}

pugi::xml_node appendRunMark(const Wml& w, pugi::xml_node run, RunMark mark) {
  static const struct {
    const char* local;
    const char* breakType;
  } kMarks[] = {{"tab", nullptr},           {"br", nullptr},        {"br", "page"}, {"br", "column"},
                {"noBreakHyphen", nullptr}, {"softHyphen", nullptr}};
  const auto& m = kMarks[static_cast<int>(mark)];
  pugi::xml_node e = run.append_child(w.name(m.local).c_str());
  if (m.breakType) w.setValue(e, "type", m.breakType);
  return e;
}

}  // namespace host
