#include "host/wml/child_order.h"

namespace host {

ChildOrder::ChildOrder(std::initializer_list<const char*> names) : size_(static_cast<int>(names.size())) {
  int i = 0;
  for (const char* name : names) ranks_.emplace(name, i++);
}

int ChildOrder::rank(const char* local) const {
  auto it = ranks_.find(local);
  return it == ranks_.end() ? size_ : it->second;
}

pugi::xml_node ChildOrder::ensure(const Wml& w, pugi::xml_node parent, const char* local) const {
  if (pugi::xml_node existing = w.child(parent, local)) return existing;
  int want = rank(local);
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
    const char* l = w.local(c);
    if (l && rank(l) > want) return parent.insert_child_before(w.name(local).c_str(), c);
  }
  return parent.append_child(w.name(local).c_str());
}

}  // namespace host
