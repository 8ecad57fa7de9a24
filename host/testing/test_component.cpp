// A tiny component library for the registry tests: one factory that makes a Greeter.
#include <cstring>

#include "host/testing/test_component.h"

namespace {

class HelloGreeter : public host::testing::Greeter {
 public:
  std::string Greet(const std::string& name) const override { return "Hello, " + name; }
};

}  // namespace

extern "C" void* vlx_test_create(const char* interfaceId) {
  if (std::strcmp(interfaceId, host::testing::Greeter::kInterfaceId) != 0) return nullptr;
  return static_cast<host::testing::Greeter*>(new HelloGreeter);
}
