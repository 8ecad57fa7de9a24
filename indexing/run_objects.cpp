#include "indexing/run_objects.h"

#include <string>

#include "host/error.h"
#include "state/run_state.h"

namespace indexing {

namespace {

template <typename T>
T& required(T* object, const char* name) {
  if (!object) throw host::Error(kErrObjectNotSet, std::string("Object variable not set (") + name + ").");
  return *object;
}

}  // namespace

engine::_clsOSVLXLib& activeEngine() { return required(state::pubEngine.get(), "the indexing engine"); }

progress::clsProgForm& progressForm() { return required(progress::pubProgForm.get(), "the progress window"); }

host::Application& runApplication() { return required(state::pubWdApp, "the application"); }

host::Document& runDocument() { return required(state::pubWdDoc, "the document"); }

}  // namespace indexing
