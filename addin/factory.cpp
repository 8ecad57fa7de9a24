// The component's factory, through which hosts create the add-in's connection object.
#include <cstring>

#include "addin/connect.h"

extern "C" void* vlx_create_addin(const char* interfaceId) {
  if (!interfaceId) return nullptr;
  if (std::strcmp(interfaceId, host::AddInConnection::kInterfaceId) == 0)
    return static_cast<host::AddInConnection*>(new addin::Connect());
  if (std::strcmp(interfaceId, addin::_Connect::kInterfaceId) == 0)
    return static_cast<addin::_Connect*>(new addin::Connect());
  return nullptr;
}
