#include "host/wml/bookmark_marks.h"

namespace host {

pugi::xml_node appendBookmarkStart(const Wml& w, pugi::xml_node parent, const std::string& id,
                                   const std::string& name) {
  pugi::xml_node s = parent.append_child(w.name("bookmarkStart").c_str());
  w.setValue(s, "id", id);
  w.setValue(s, "name", name);
  return s;
}

pugi::xml_node appendBookmarkEnd(const Wml& w, pugi::xml_node parent, const std::string& id) {
  pugi::xml_node e = parent.append_child(w.name("bookmarkEnd").c_str());
  w.setValue(e, "id", id);
  return e;
}

}  // namespace host
