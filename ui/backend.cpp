#include "ui/backend.h"

#include <stdexcept>

namespace ui {
namespace {
Backend* active = nullptr;
}  // namespace

Backend::Backend() : previous_(active) { active = this; }

Backend::~Backend() {
  if (active == this) active = previous_;
}

Backend& ActiveBackend() {
  if (!active) throw std::logic_error("no user-interface backend is active");
  return *active;
}

std::string ChooseFile(const FileRequest& request) { return ActiveBackend().ChooseFile(request); }

void OpenExternal(const std::string& target) { ActiveBackend().OpenExternal(target); }

void DoEvents() { ActiveBackend().DoEvents(); }

}  // namespace ui
