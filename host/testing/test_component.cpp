// A tiny component library for the registry tests: a factory that makes a Greeter, and one that
// makes an add-in for the tests of connecting add-ins.
#include "host/testing/test_component.h"

#include <cstring>
#include <stdexcept>

#include "host/shell/addin_connection.h"
#include "host/shell/application.h"

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

namespace {

// Shows its events on the host's Tools menu: a button per connection, named after the add-in,
// tagged with the last event; disconnection deletes it. Throws on connection when its
// identifier says so.
class MenuAddIn : public host::AddInConnection {
 public:
  void AddinInstance_OnConnection(host::Application& app, int mode, host::AddInInstance& inst,
                                  host::CustomArray& custom) override {
    if (inst.ProgId == "Test.Failing") throw std::runtime_error("refused to connect");
    button_ = app.CommandBars().Item("Tools").Controls().Add(host::msoControlButton, 0, 0, true);
    button_.SetCaption(inst.ProgId + " " + std::to_string(mode) + " " +
                       (custom.empty() ? std::string("-") : std::to_string(custom[0])));
    button_.SetTag("connected");
  }
  void AddinInstance_OnStartupComplete(host::CustomArray&) override { button_.SetTag("started"); }
  void AddinInstance_OnDisconnection(int, host::CustomArray&) override { button_.Delete(); }

 private:
  host::CommandBarControl button_;
};

}  // namespace

extern "C" void* vlx_test_create_addin(const char* interfaceId) {
  if (std::strcmp(interfaceId, host::AddInConnection::kInterfaceId) != 0) return nullptr;
  return static_cast<host::AddInConnection*>(new MenuAddIn);
}
