// The desktop host's factory, through which the program creates it from the component registry.
#include <cstring>

#include "app/desktop/desktop_host.h"
#include "app/desktop/desktop_program.h"

namespace {

class Program : public app::desktop::DesktopProgram {
 public:
  int Run(const std::string& file) override { return app::desktop::RunDesktopHost(file); }
};

}  // namespace

extern "C" void* vlx_create_desktop_host(const char* interfaceId) {
  if (!interfaceId || std::strcmp(interfaceId, app::desktop::DesktopProgram::kInterfaceId) != 0) return nullptr;
  return static_cast<app::desktop::DesktopProgram*>(new Program());
}
