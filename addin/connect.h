#pragma once
// Connect: the add-in's connection object. The host raises its connection events; on
// connection it installs the Vellandex popup on the Tools menu (in the first desktop host only),
// on start-up completion it creates the engine, on disconnection it takes the popup away again.
// Its buttons start the four commands. The main dialog reaches the add-in through it.

#include <functional>

#include "addin/connect_interface.h"
#include "dialogs/addin_link.h"
#include "host/shell/addin_connection.h"
#include "host/shell/application.h"
#include "host/shell/command_bars.h"

namespace addin {

/// The connection class "VLXDLLCOM.Connect".
class Connect final : public host::AddInConnection, public _Connect, public dialogs::VLXAddInLink {
 public:
  /// The identifier the add-in is registered and created under.
  static constexpr const char* kProgId = "VLXDLLCOM.Connect";

  /// A connection object that counts running hosts with countProcesses.
  explicit Connect(std::function<long()> countProcesses);
  /// A connection object that counts the desktop hosts running on this machine.
  Connect();

  void AddinInstance_OnConnection(host::Application& Application, int ConnectMode, host::AddInInstance& AddInInst,
                                  host::CustomArray& custom) override;
  void AddinInstance_OnStartupComplete(host::CustomArray& custom) override;
  void AddinInstance_OnDisconnection(int RemoveMode, host::CustomArray& custom) override;

  bool FormDisplayed() const override { return formDisplayed_; }
  void SetFormDisplayed(bool value) override { formDisplayed_ = value; }
  bool blnInactive() const override { return inactive_; }
  void SetblnInactive(bool value) override { inactive_ = value; }
  host::CommandBarControl mcbVLXUpdateButton() const override { return update_.button; }
  void SetmcbVLXUpdateButton(host::CommandBarControl button) override;
  host::CommandBarControl mcbCOMMenuButton() const override { return comMenu_; }
  void SetmcbCOMMenuButton(host::CommandBarControl button) override { comMenu_ = std::move(button); }
  host::CommandBarControl mcbVLXIndexButton() const override { return index_.button; }
  void SetmcbVLXIndexButton(host::CommandBarControl button) override;
  host::CommandBarControl mcbVLXRemoveIndexButton() const override { return removeIndex_.button; }
  void SetmcbVLXRemoveIndexButton(host::CommandBarControl button) override;
  host::CommandBarControl mcbVLXRemoveHighlightButton() const override { return removeHighlight_.button; }
  void SetmcbVLXRemoveHighlightButton(host::CommandBarControl button) override;
  void IniProbMsg() override;
  void ShowVLXForm() override;

  /// The host application given on connection; host::kErrObjectNotSet when not connected.
  host::Application& wdApp() override;
  void cmdOK_Click(dialogs::frmVLX_COM& form) override;
  int SaveBeforeSearch(dialogs::frmVLX_COM& form, const std::string& searchType) override;
  void RefreshQuotedTerms(dialogs::frmVLX_COM& form, const std::string& indexWhat) override;
  bool RefreshCappedTerms(dialogs::frmVLX_COM& form) override;

 private:
  // A menu button kept with its connected click handler.
  struct Button {
    host::CommandBarControl button;
    host::ClickConnection click;
  };
  void setButton(Button& slot, host::CommandBarControl button, std::function<void()> command);
  // Runs a short command on the active document (none when no document is open).
  void runCommand(const std::function<void(host::Application&, host::Document*)>& command);
  void installMenu(int connectMode);
  void AddVLXMenu(host::Application& app);
  host::CommandBarControl AddMenuButton(host::CommandBarControl popup, const std::string& caption,
                                        const std::string& tag);
  void RemoveVLXMenu(host::Application& app);
  host::CommandBarControl AddCOMAddInsButton(host::Application& app);

  std::function<long()> countProcesses_;
  host::Application* wdApp_ = nullptr;
  bool formDisplayed_ = false;
  bool inactive_ = false;
  Button update_, index_, removeIndex_, removeHighlight_;
  host::CommandBarControl comMenu_;
};

}  // namespace addin
