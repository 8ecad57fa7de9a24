#pragma once
// The add-in connection: the events a host raises on each add-in it loads (connection, start-up
// complete, disconnection), and the host's side that creates add-ins by identifier through the
// component registry and raises those events in order.

#include <memory>
#include <string>
#include <vector>

#include "host/shell/registry.h"

namespace host {

class Application;

/// How the host connects an add-in.
enum ext_ConnectMode : int {
  ext_cm_AfterStartup = 0,  // loaded by the user after the host started
  ext_cm_Startup = 1,       // loaded while the host starts
  ext_cm_External = 2,      // connected from outside the host
  ext_cm_CommandLine = 3,
};

/// Why the host disconnects an add-in.
enum ext_DisconnectMode : int { ext_dm_HostShutdown = 0, ext_dm_UserClosed = 1 };

/// How the host was started, as element 0 of the custom array of a connection reports it.
enum HostStart : long { kStartedByUser = 1, kStartedByEmbedding = 2, kStartedByAutomation = 3 };

/// What the host adds to each event; on connection, element 0 says how the host was started.
using CustomArray = std::vector<long>;

/// The host's description of a loaded add-in.
struct AddInInstance {
  std::string ProgId;
  std::string Description;
};

/// The events a host raises on an add-in; an add-in's connection class implements them.
class AddInConnection {
 public:
  /// The interface's id, as the component registry asks a factory for it.
  static constexpr const char* kInterfaceId = "host.AddInConnection";
  virtual ~AddInConnection() = default;
  /// The add-in is connected to the host application.
  virtual void AddinInstance_OnConnection(Application& Application, int ConnectMode, AddInInstance& AddInInst,
                                          CustomArray& custom) = 0;
  /// The host has finished starting (raised only on add-ins connected during start-up).
  virtual void AddinInstance_OnStartupComplete(CustomArray& custom) = 0;
  /// The add-in is being disconnected.
  virtual void AddinInstance_OnDisconnection(int RemoveMode, CustomArray& custom) = 0;
};

/// The add-ins a host has connected, in connection order.
class ConnectedAddIns {
 public:
  /// Connects add-ins to app, creating them through registry.
  ConnectedAddIns(Application& app, const ComponentRegistry& registry) : app_(app), registry_(registry) {}
  /// Disconnects whatever is still connected, as the host does when it shuts down.
  ~ConnectedAddIns();
  ConnectedAddIns(const ConnectedAddIns&) = delete;
  ConnectedAddIns& operator=(const ConnectedAddIns&) = delete;

  /// Creates the add-in registered as progId and raises its connection event; host::Error 429
  /// when it cannot be created. A failure the event returns reaches the caller; the add-in is
  /// then not kept.
  AddInConnection& Connect(const std::string& progId, int connectMode, CustomArray custom);
  /// Connects, at start-up, every registered add-in whose load behaviour is 3; one that cannot
  /// be created or connected is skipped after a warning. Returns the number connected.
  int ConnectAtStartup(const CustomArray& custom);
  /// Raises the start-up complete event on every add-in connected at start-up.
  void StartupComplete(const CustomArray& custom);
  /// Raises the disconnection event on every add-in, last connected first, and releases them;
  /// a failure of one is a warning and the others are still disconnected.
  void DisconnectAll(int removeMode);
  /// The number of connected add-ins.
  std::size_t Count() const { return items_.size(); }
  /// The identifiers of the connected add-ins, in connection order.
  std::vector<std::string> ProgIds() const;

 private:
  struct Item {
    std::shared_ptr<AddInConnection> addIn;
    AddInInstance instance;
    bool atStartup;
  };
  Application& app_;
  const ComponentRegistry& registry_;
  std::vector<Item> items_;
};

/// The load behaviour that loads an add-in when the host starts.
inline constexpr int kLoadAtStartup = 3;

}  // namespace host
