// The component's factory, through which the component registry creates the engine.
#include <cstring>

#include "engine/cls_osvlx_lib.h"

extern "C" void* vlx_create_engine(const char* interfaceId) {
  if (!interfaceId || std::strcmp(interfaceId, engine::_clsOSVLXLib::kInterfaceId) != 0) return nullptr;
  return static_cast<engine::_clsOSVLXLib*>(new engine::clsOSVLXLib());
}
