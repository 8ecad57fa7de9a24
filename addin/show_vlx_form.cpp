// The "Find and index" command: from its checks through the options dialog, the gathering of
// terms and the main dialog, to putting the host's state and the cursor back.
#include <memory>
#include <optional>

#include "addin/connect.h"
#include "addin/gathering.h"
#include "addin/host_state.h"
#include "addin/quote_forms.h"
#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_options.h"
#include "host/error.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/locations.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "util/list_box_extent.h"
#include "util/messages.h"

namespace addin {
namespace {

constexpr const char* kIndexBookmark = "VellandexIndex";
constexpr const char* kReturnHere = "ReturnHereBK";
constexpr const char* kIndexStart = "IndexBKStart";

// The view type the document's pane shows: the window's own while a special pane is open.
int viewTypeOf(host::Document& doc) {
  host::Window window = doc.ActiveWindow();
  if (window.View().SplitSpecial() == host::wdPaneNone) return window.ActivePane().View().Type();
  return window.View().Type();
}

void selectStartOf(host::Application& app, host::Document& doc, const char* bookmark) {
  doc.Bookmarks().Item(bookmark).Select();
  app.Selection().Collapse(host::wdCollapseStart);
}

void refreshScreen(host::Application& app) {
  app.Options().Pagination = true;
  app.SetScreenUpdating(true);
  app.ScreenRefresh();
}

}  // namespace

std::string SetListBoxWidths(dialogs::frmVLX_COM& dialog, host::Application& app) {
  try {
    util::SetListBoxExtent(dialog, dialog.lstTermsInDoc, state::arrFoundTerms, true);
    state::arrFoundTerms.assign(1, "");
    app.SetScreenUpdating(true);
    app.ScreenRefresh();
    return "Ready";
  } catch (const std::exception& e) {
    util::ShowErrMsg("Error setting list box widths", e);
    return "Cancel";
  }
}

void Connect::ShowVLXForm() {
  host::Application& app = wdApp();
  if (app.Documents().Count() < 1) {
    ui::MsgBox("At least 1 document needs to be open to run the indexer.", ui::vbOKOnly + ui::vbInformation,
               "No document to index");
    return;
  }
  host::Document* doc = nullptr;
  std::optional<int> viewType;
  std::optional<QuoteForms> quoteForms;
  std::unique_ptr<dialogs::frmVLX_COM> mainDialog;

  // Every exit before the main dialog: the view and the cursor go back, nothing is kept.
  auto cleanUp = [&] {
    if (doc && quoteForms) quoteForms->Restore(*doc);
    if (doc) {
      RestoreViewType(*doc, viewType.value_or(host::wdPrintView));
      if (doc->Bookmarks().Exists(kReturnHere)) {
        doc->Bookmarks().Item(kReturnHere).Select();
        doc->Bookmarks().Item(kReturnHere).Delete();
      }
      // Nor does the index place of a run that stopped.
      if (doc->Bookmarks().Exists(kIndexStart)) doc->Bookmarks().Item(kIndexStart).Delete();
    }
    if (mainDialog) mainDialog->Unload();
    mainDialog.reset();
    if (doc) doc->UndoClear();
    state::pubWdDoc = nullptr;
    state::pubWdApp = nullptr;
    refreshScreen(app);
  };

  try {
    doc = &app.Documents().Item(app.ActiveDocument().Name());
    state::pubWdDoc = doc;
    viewType = viewTypeOf(*doc);

    // A new index goes where the cursor is: in the main text, outside tables. An existing
    // index is rebuilt where it stands, wherever the cursor is.
    if (!doc->Bookmarks().Exists(kIndexBookmark)) {
      if (app.Selection().TablesCount() >= 1) {
        util::ShowWarningMsg("A defined terms index can't be inside a table.  Please move to wherever you want your "
                             "index, so long as it's not inside a table.",
                             "Cannot continue - inside a table");
        return cleanUp();
      }
      if (app.Selection().Range().StoryType() != host::wdMainTextStory) {
        util::ShowWarningMsg("Your defined terms index has to be in the main body of your document.  Please put your "
                             "cursor where you want the index to be inserted and try again.",
                             "Cannot continue");
        return cleanUp();
      }
    }
    state::blnSavedReplaceQuotes = app.Options().AutoFormatAsYouTypeReplaceQuotes;
    quoteForms = QuoteForms::Record(*doc);

    auto options = std::make_unique<dialogs::frmVLXOptions>();
    settings::SetSettingsFolder(settings::kSettingsSubPath);
    settings::SetIniPath(settings::strSettingsFolder);
    fncLoadSettingsIntoForm(*options);
    options->Show(ui::vbModal);
    // Closing the dialog by its title bar cancels too: the user did not ask to search.
    const bool accepted = options->Tag() == "OK";
    options->Unload();
    options.reset();
    if (!accepted) return cleanUp();

    state::blnOptionsAccepted = true;
    mainDialog = std::make_unique<dialogs::frmVLX_COM>();
    fncLoadSettingsIntoForm(*mainDialog);
    state::pubWdApp = &app;
    mainDialog->SetVLXAddIn(this);

    // The run's own place marks are no change of the user's: a document saved before the run
    // is not asked to be saved again for them.
    const bool wasSaved = doc->Saved();
    host::Range here = app.Selection().Range().Duplicate();
    here.Collapse(host::wdCollapseStart);
    doc->Bookmarks().Add(kReturnHere, here);
    if (doc->Bookmarks().Exists(kIndexBookmark)) {
      host::Range index = doc->Bookmarks().Item(kIndexBookmark).Range().Duplicate();
      index.Collapse(host::wdCollapseStart);
      index.Select();
    }
    doc->Bookmarks().Add(kIndexStart, app.Selection().Range());
    doc->SetSaved(wasSaved);

    mainDialog->Load();
    const std::string searchType = settings::fncReadIni(settings::kSection, settings::kSearchType);
    int stage = 1;
    bool gathered = false;
    if (searchType == "SearchFlagged") {
      doc = &app.Documents().Item(doc->Name());
      state::pubWdDoc = doc;
      stage = fncGatherFlaggedTerms(*doc, *mainDialog);
      gathered = true;
    } else if (searchType == "SearchInitCaps") {
      stage = fncGatherInitCapsTerms(*doc, *mainDialog, searchType);
      gathered = true;
    }
    if (stage == 0) {
      ui::MsgBox("Could not initialize", ui::vbOKOnly + ui::vbCritical, "Cannot continue");
      return cleanUp();
    }
    if (stage == 2) return cleanUp();
    if (gathered) {
      if (searchType == "SearchFlagged")
        PrepareFlaggedSearch(app, *doc);
      else
        PrepareInitCapsSearch(app, *doc);
    }

    formDisplayed_ = true;
    const std::string listResult = SetListBoxWidths(*mainDialog, app);
    state::blnLoadingOptions = false;
    if (listResult != "Cancel") {
      mainDialog->Show(ui::vbModal);
      if (mainDialog->Visible()) mainDialog->Hide();
      mainDialog->SetVLXAddIn(nullptr);
      mainDialog->Unload();
      mainDialog.reset();
      RestoreWordSettings(app, *doc, state::blnSavedReplaceQuotes, state::blnSavedShowHiddenText,
                          state::blnSavedAllowFastSave);
      ResetDocView(*doc, app);
      refreshScreen(app);
    }
    RestoreWordSettings(app, *doc, state::blnSavedReplaceQuotes, state::blnSavedShowHiddenText,
                        state::blnSavedAllowFastSave);
    quoteForms->Restore(*doc);
    app.Options().Pagination = true;

    // The cursor ends at the start of the index, or back where the run began.
    host::Bookmarks& bookmarks = doc->Bookmarks();
    if (bookmarks.Exists(kIndexBookmark)) selectStartOf(app, *doc, kIndexBookmark);
    if (state::blnOptionsAccepted && bookmarks.Exists(kIndexStart)) bookmarks.Item(kIndexStart).Delete();
    if (bookmarks.Exists(kIndexBookmark)) {
      app.Selection().GoTo(host::wdGoToBookmark, host::wdGoToFirst, 1, kIndexBookmark);
      app.Selection().Collapse(host::wdCollapseStart);
    }
    RestoreViewType(*doc, viewType.value_or(host::wdPrintView));
    // The run's place marks never stay in the user's document.
    if (bookmarks.Exists(kIndexBookmark)) {
      selectStartOf(app, *doc, kIndexBookmark);
      if (bookmarks.Exists(kReturnHere)) bookmarks.Item(kReturnHere).Delete();
    } else if (bookmarks.Exists(kReturnHere)) {
      bookmarks.Item(kReturnHere).Select();
      bookmarks.Item(kReturnHere).Delete();
    }
    state::pubWdDoc = nullptr;
    state::pubWdApp = nullptr;
  } catch (const std::exception& e) {
    util::ShowErrMsg("", e);
    if (doc && quoteForms) {
      try {
        quoteForms->Restore(*doc);
      } catch (const std::exception&) {
      }
    }
    if (doc) {
      doc->UndoClear();
      if (state::blnOptionsAccepted && doc->Bookmarks().Exists(kIndexStart)) doc->Bookmarks().Item(kIndexStart).Delete();
      if (doc->Bookmarks().Exists("QQReturnHereQQ")) doc->Bookmarks().Item("QQReturnHereQQ").Delete();
      doc->ActiveWindow().ActivePane().View().SetType(host::wdPrintView);
    }
    if (mainDialog) mainDialog->Unload();
    state::pubWdDoc = nullptr;
    state::pubWdApp = nullptr;
    refreshScreen(app);
  }
}

}  // namespace addin
