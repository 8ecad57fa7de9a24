// What the connection object's menu buttons and the main dialog's link start.
#include "addin/connect.h"
#include "addin/remove_commands.h"
#include "addin/update_index.h"
#include "discovery/capped_terms.h"
#include "discovery/quoted_list_refresh.h"
#include "discovery/run_objects.h"
#include "discovery/save_before_search.h"
#include "indexing/cmd_ok.h"
#include "progress/cls_prog_form.h"
#include "state/run_state.h"
#include "util/messages.h"

namespace addin {
namespace {

// The document the short commands work on: the active one, none when no document is open.
host::Document* activeDocument(host::Application& app) {
  return app.Documents().Count() < 1 ? nullptr : &app.ActiveDocument();
}

}  // namespace

void Connect::runCommand(const std::function<void(host::Application&, host::Document*)>& command) {
  host::Application& app = wdApp();
  try {
    command(app, activeDocument(app));
  } catch (const std::exception& e) {
    // The commands trap nothing themselves: a failure leaves no progress window up and no
    // frozen screen behind, and the user is told.
    if (progress::pubProgForm) progress::pubProgForm->CloseProgress();
    app.SetScreenUpdating(true);
    app.ScreenRefresh();
    util::ShowErrMsg("", e);
  }
}

void Connect::SetmcbVLXIndexButton(host::CommandBarControl button) {
  setButton(index_, std::move(button), [this] { ShowVLXForm(); });
}

void Connect::SetmcbVLXRemoveIndexButton(host::CommandBarControl button) {
  setButton(removeIndex_, std::move(button), [this] { runCommand(RemoveIndexing); });
}

void Connect::SetmcbVLXRemoveHighlightButton(host::CommandBarControl button) {
  setButton(removeHighlight_, std::move(button), [this] { runCommand(RemoveHighlighting); });
}

void Connect::SetmcbVLXUpdateButton(host::CommandBarControl button) {
  setButton(update_, std::move(button), [this] { runCommand(UpdateIndex); });
}

void Connect::cmdOK_Click(dialogs::frmVLX_COM& form) { indexing::cmdOK_Click(form); }

int Connect::SaveBeforeSearch(dialogs::frmVLX_COM& form, const std::string& searchType) {
  return discovery::fncSaveBeforeSearch(discovery::RunDocument(), form, false, searchType);
}

void Connect::RefreshQuotedTerms(dialogs::frmVLX_COM& form, const std::string& indexWhat) {
  discovery::RefreshQuotedTermsList(wdApp(), discovery::RunDocument(), form, indexWhat);
}

bool Connect::RefreshCappedTerms(dialogs::frmVLX_COM& form) {
  return discovery::fncBuildCappedTermsArray(discovery::RunDocument(), state::arrFoundTerms, form,
                                             form.chkBold.Value() == ui::vbChecked, true);
}

}  // namespace addin
