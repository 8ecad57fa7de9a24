#include "addin/connect.h"

#include "addin/count_process.h"
#include "addin/ini_prob_msg.h"
#include "engine/osvlx_lib.h"
#include "host/platform/error.h"
#include "host/shell/registry.h"
#include "progress/cls_prog_form.h"
#include "settings/app_settings.h"
#include "state/run_state.h"
#include "ui/constants.h"
#include "util/messages.h"

namespace addin {
namespace {

constexpr const char* kToolsBar = "Tools";
constexpr const char* kMenuTag = "VLXMenu";
constexpr const char* kComAddInsCaption = "COM Add-Ins...";

// A step of an event that goes on when the step fails.
template <typename Step>
void skippingFailure(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

Connect::Connect(std::function<long()> countProcesses) : countProcesses_(std::move(countProcesses)) {}

Connect::Connect() : Connect(CountWordProcesses) {}

host::Application& Connect::wdApp() {
  if (!wdApp_) throw host::Error(host::kErrObjectNotSet, "Object variable or With block variable not set");
  return *wdApp_;
}

void Connect::AddinInstance_OnConnection(host::Application& Application, int ConnectMode, host::AddInInstance&,
                                         host::CustomArray& custom) {
  long processes = 0;
  skippingFailure([&] { processes = countProcesses_(); });
  // Element 0 says how the host was started. An automated or embedded host gets nothing. When
  // the element is missing, failures of the steps below are the event's failure.
  const bool startKnown = !custom.empty();
  if (startKnown && custom[0] > host::kStartedByUser) {
    inactive_ = true;
    return;
  }
  auto step = [&](auto&& action) {
    if (startKnown) skippingFailure(action);
    else action();
  };
  step([&] { wdApp_ = &Application; });
  step([&] { progress::pubProgForm = std::make_unique<progress::clsProgForm>(); });
  // Another host running, or a connection from outside: the shared menu is the first host's.
  if (ConnectMode == host::ext_cm_External || processes >= 2) return;
  step([&] { RemoveVLXMenu(Application); });
  step([&] { AddVLXMenu(Application); });
  step([&] { SetmcbCOMMenuButton(AddCOMAddInsButton(Application)); });
}

void Connect::AddinInstance_OnStartupComplete(host::CustomArray&) {
  if (countProcesses_() >= 2) return;
  host::ComponentRegistry registry(host::ComponentRegistry::DefaultFolders());
  state::pubEngine = registry.CreateObject<engine::_clsOSVLXLib>(engine::kEngineProgId);
}

void Connect::AddinInstance_OnDisconnection(int, host::CustomArray&) {
  long processes = 0;
  skippingFailure([&] { processes = countProcesses_(); });
  if (processes >= 2 || !wdApp_) return;
  skippingFailure([&] { RemoveVLXMenu(*wdApp_); });
  try {
    try {
      // Keep the popup's removal without the host asking to save its customization.
      wdApp_->CustomizationContext().Save();
      wdApp_->CustomizationContext().SetSaved(true);
    } catch (const host::Error& e) {
      if (e.number() != host::kErrNoDocument) throw;
    }
    settings::SaveSetting(ui::kAppTitle, "Settings", "DisplayOnConnect", formDisplayed_ ? "1" : "0");
    formDisplayed_ = false;
    progress::pubProgForm.reset();
    state::pubEngine.reset();
    wdApp_ = nullptr;
  } catch (const std::exception& e) {
    util::ShowErrMsg("", e);
  }
}

void Connect::IniProbMsg() { addin::IniProbMsg(); }

void Connect::setButton(Button& slot, host::CommandBarControl button, std::function<void()> command) {
  slot.click.Disconnect();
  slot.button = std::move(button);
  if (slot.button)
    slot.click = slot.button.OnClick([command = std::move(command)](host::CommandBarControl, bool&) { command(); });
}

void Connect::AddVLXMenu(host::Application& app) {
  try {
    host::CommandBarControl popup = app.CommandBars().Item(kToolsBar).Controls().Add(host::msoControlPopup);
    popup.SetBeginGroup(true);
    popup.SetCaption("Vellande&x");
    popup.SetTag(kMenuTag);
    popup.SetVisible(true);
    SetmcbVLXIndexButton(AddMenuButton(popup, "&Find and index", "VLXIndexTag"));
    SetmcbVLXRemoveIndexButton(AddMenuButton(popup, "&Remove indexing", "RemoveIndexTag"));
    SetmcbVLXRemoveHighlightButton(AddMenuButton(popup, "Remove &highlighting only", "RemoveHighlightTag"));
    SetmcbVLXUpdateButton(AddMenuButton(popup, "&Update index", "UpdateTag"));
  } catch (const host::Error& e) {
    util::ShowErrMsg("", e);
  }
}

host::CommandBarControl Connect::AddMenuButton(host::CommandBarControl popup, const std::string& caption,
                                               const std::string& tag) {
  try {
    host::CommandBarControl button = popup.Controls().Add(host::msoControlButton);
    button.SetCaption(caption);
    button.SetTag(tag);
    button.SetStyle(host::msoButtonCaption);
    return button;
  } catch (const host::Error& e) {
    util::ShowErrMsg("", e);
    return {};
  }
}

void Connect::RemoveVLXMenu(host::Application& app) {
  try {
    host::CommandBarControl popup = app.CommandBars().Item(kToolsBar).FindControl(host::msoControlPopup, 0, kMenuTag);
    if (popup) popup.Delete();
  } catch (const host::Error& e) {
    util::ShowErrMsg("", e);
  }
}

host::CommandBarControl Connect::AddCOMAddInsButton(host::Application& app) {
  try {
    host::CommandBar tools = app.CommandBars().Item(kToolsBar);
    host::CommandBarControls controls = tools.Controls();
    for (long i = 1; i <= controls.Count(); ++i) {
      host::CommandBarControl control = controls.Item(i);
      if (control.Caption() == "&COM Add-Ins...") {
        control.SetCaption(kComAddInsCaption);
        break;
      }
      if (control.Caption() == kComAddInsCaption) break;
    }
    host::CommandBarControl command = tools.FindControl(0, host::kComAddInsControlId);
    if (!command) command = controls.Add(host::msoControlButton, host::kComAddInsControlId);
    command.SetCaption(kComAddInsCaption);
    command.SetStyle(host::msoButtonCaption);
    return command;
  } catch (const host::Error& e) {
    util::ShowErrMsg("", e);
    return {};
  }
}

}  // namespace addin
