#include "indexing/cmd_ok.h"

#include <exception>
#include <string>
#include <vector>

#include "dialogs/save_options.h"
#include "discovery/run_objects.h"
#include "host/shell/application.h"
#include "indexing/bookmark_names.h"
#include "indexing/indexing_pass.h"
#include "indexing/run_options.h"
#include "indexing/search_list.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "util/messages.h"

namespace indexing {

namespace {

// A term typed but not yet added: on Yes it joins the added terms, selected.
void offerPendingTerm(dialogs::frmVLX_COM& form) {
  const std::string term = form.txtAddTerm.Text();
  if (term.empty()) return;
  const int answer = ui::MsgBox("Do you want to add \"" + term + "\" to the list of terms for indexing?",
                                ui::vbYesNo + ui::vbQuestion, "Add term?");
  if (answer != ui::vbYes) return;
  form.lstAddTerms.AddItem(term);
  for (int i = 0; i < form.lstAddTerms.ListCount(); ++i) {
    if (form.lstAddTerms.List(i) != term) continue;
    form.lstAddTerms.SetSelected(i, true);
    break;
  }
  form.txtAddTerm.SetText("");
  form.Refresh();
}

int selectedCount(const ui::ListBox& list) {
  int count = 0;
  for (int i = 0; i < list.ListCount(); ++i) count += list.Selected(i) ? 1 : 0;
  return count;
}

}  // namespace

void cmdOK_Click(dialogs::frmVLX_COM& form) {
  try {
    // Refused before anything is saved or changed: the dialog stays open for the correction.
    if (!columnsAccepted(form)) return;
    dialogs::SaveOptions(form);
    host::Application& app = discovery::RunApplication();
    app.SetScreenUpdating(true);

    offerPendingTerm(form);
    if (form.lstAddTerms.ListCount() == 0 && form.lstTermsInDoc.ListCount() == 0) return;
    if (selectedCount(form.lstTermsInDoc) + selectedCount(form.lstAddTerms) == 0) {
      ui::MsgBox("No terms were selected for indexing.", ui::vbOKOnly, "Nothing selected");
      return;
    }

    form.cmdCancel.SetEnabled(false);
    const RunOptions options = readRunOptions(form);
    host::Document& doc = discovery::RunDocument();
    const std::vector<std::string> searchList = fncBuildSearchList(form);
    IndexDocument(app, doc, searchList, form, options);

    if (form.chkHighlight.Value() != ui::vbChecked) {
      discovery::RunEngine().RestoreTextColor(doc);
      doc.UndoClear();
      app.Selection().GoTo(host::wdGoToPage, host::wdGoToFirst);
    }
    app.SetScreenUpdating(true);
    app.ScreenRefresh();
    if (state::blnOptionsAccepted && doc.Bookmarks().Exists(kIndexStartBookmark))
      doc.Bookmarks().Item(kIndexStartBookmark).Delete();
  } catch (const std::exception& error) {
    if (state::pubWdApp) {
      state::pubWdApp->SetScreenUpdating(true);
      state::pubWdApp->ScreenRefresh();
    }
    // A progress window left by the step that failed would stay on the screen.
    if (progress::pubProgForm) progress::pubProgForm->CloseProgress();
    util::ShowErrMsg("", error);
    form.cmdCancel.SetEnabled(true);
  }
}

}  // namespace indexing
