#include "host/shell/addin_connection.h"

#include "host/platform/error.h"
#include "host/platform/warnings.h"

namespace host {

ConnectedAddIns::~ConnectedAddIns() { DisconnectAll(ext_dm_HostShutdown); }

AddInConnection& ConnectedAddIns::Connect(const std::string& progId, int connectMode, CustomArray custom) {
  Item item{registry_.CreateObject<AddInConnection>(progId), AddInInstance{progId, ""}, connectMode == ext_cm_Startup};
  for (const AddInEntry& entry : registry_.AddIns())
    if (entry.progId == progId) item.instance.Description = entry.description;
  item.addIn->AddinInstance_OnConnection(app_, connectMode, item.instance, custom);
  items_.push_back(std::move(item));
  return *items_.back().addIn;
}

int ConnectedAddIns::ConnectAtStartup(const CustomArray& custom) {
  int connected = 0;
  for (const AddInEntry& entry : registry_.AddIns()) {
    if (entry.loadBehavior != kLoadAtStartup) continue;
    try {
      Connect(entry.progId, ext_cm_Startup, custom);
      ++connected;
    } catch (const std::exception& e) {
      WarnSettings("the add-in " + entry.progId + " could not be loaded: " + e.what());
    }
  }
  return connected;
}

void ConnectedAddIns::StartupComplete(const CustomArray& custom) {
  for (Item& item : items_) {
    if (!item.atStartup) continue;
    CustomArray copy = custom;
    item.addIn->AddinInstance_OnStartupComplete(copy);
  }
}

std::vector<std::string> ConnectedAddIns::ProgIds() const {
  std::vector<std::string> ids;
  for (const Item& item : items_) ids.push_back(item.instance.ProgId);
  return ids;
}

void ConnectedAddIns::DisconnectAll(int removeMode) {
  while (!items_.empty()) {
    Item item = std::move(items_.back());
    items_.pop_back();
    try {
      CustomArray custom;
      item.addIn->AddinInstance_OnDisconnection(removeMode, custom);
    } catch (const std::exception& e) {
      WarnSettings("the add-in " + item.instance.ProgId + " failed while disconnecting: " + e.what());
    }
  }
}

}  // namespace host
