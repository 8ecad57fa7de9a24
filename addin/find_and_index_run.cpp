#include "addin/find_and_index_run.h"

#include "addin/gathering.h"
#include "addin/host_state.h"
#include "dialogs/frm_vlx_options.h"
#include "host/platform/error.h"
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

void deleteIfThere(host::Document& doc, const char* bookmark) {
  if (doc.Bookmarks().Exists(bookmark)) doc.Bookmarks().Item(bookmark).Delete();
}

void refreshScreen(host::Application& app) {
  app.Options().Pagination = true;
  app.SetScreenUpdating(true);
  app.ScreenRefresh();
}

void restoreSettings(host::Application& app, host::Document& doc) {
  RestoreWordSettings(app, doc, state::blnSavedReplaceQuotes, state::blnSavedShowHiddenText,
                      state::blnSavedAllowFastSave);
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

void FindAndIndexRun::Run() {
  try {
    doc_ = &app_.Documents().Item(app_.ActiveDocument().Name());
    state::pubWdDoc = doc_;
    viewType_ = viewTypeOf(*doc_);
    if (!checkIndexPlace() || !acceptOptions()) return cleanUp();
    markPlaces();
    if (!gatherTerms()) return cleanUp();
    showMainDialog();
    restore();
  } catch (const std::exception& e) {
    recover(e);
  }
}

// A new index goes where the cursor is: in the main text, outside tables, fields and content
// controls. An existing index is rebuilt where it stands, wherever the cursor is.
bool FindAndIndexRun::checkIndexPlace() {
  if (doc_->Bookmarks().Exists(kIndexBookmark)) return true;
  if (app_.Selection().TablesCount() >= 1) {
    util::ShowWarningMsg(
        "A defined terms index can't be inside a table.  Please move to wherever you want your "
        "index, so long as it's not inside a table.",
        "Cannot continue - inside a table");
    return false;
  }
  // Another field's update would wipe an index inside its result, and a content control's
  // program may replace or flatten what it holds.
  const host::Range cursor = app_.Selection().Range();
  if (cursor.Information(host::wdInFieldCode) || cursor.Information(host::wdInFieldResult)) {
    util::ShowWarningMsg(
        "A defined terms index can't be inside another field.  Please move to wherever you want "
        "your index, so long as it's not inside a field.",
        "Cannot continue - inside a field");
    return false;
  }
  if (cursor.ContentControlsCount() >= 1) {
    util::ShowWarningMsg(
        "A defined terms index can't be inside a content control.  Please move to wherever you "
        "want your index, so long as it's not inside a content control.",
        "Cannot continue - inside a content control");
    return false;
  }
  if (app_.Selection().Range().StoryType() != host::wdMainTextStory) {
    util::ShowWarningMsg(
        "Your defined terms index has to be in the main body of your document.  Please put your "
        "cursor where you want the index to be inserted and try again.",
        "Cannot continue");
    return false;
  }
  return true;
}

bool FindAndIndexRun::acceptOptions() {
  state::blnSavedReplaceQuotes = app_.Options().AutoFormatAsYouTypeReplaceQuotes;
  quoteForms_ = QuoteForms::Record(*doc_);
  auto options = std::make_unique<dialogs::frmVLXOptions>();
  settings::SetSettingsFolder(settings::kSettingsSubPath);
  settings::SetIniPath(settings::Location().strSettingsFolder());
  fncLoadSettingsIntoForm(*options);
  options->Show(ui::vbModal);
  // Closing the dialog by its title bar cancels too: the user did not ask to search.
  const bool accepted = options->Tag() == "OK";
  options->Unload();
  if (!accepted) return false;

  state::blnOptionsAccepted = true;
  mainDialog_ = std::make_unique<dialogs::frmVLX_COM>();
  fncLoadSettingsIntoForm(*mainDialog_);
  state::pubWdApp = &app_;
  mainDialog_->SetVLXAddIn(&addIn_);
  return true;
}

// The cursor, and the place the index goes: an existing index's start, else the cursor. The
// run's own place marks are no change of the user's: a document saved before the run is not
// asked to be saved again for them.
void FindAndIndexRun::markPlaces() {
  const bool wasSaved = doc_->Saved();
  host::Range here = app_.Selection().Range().Duplicate();
  here.Collapse(host::wdCollapseStart);
  doc_->Bookmarks().Add(kReturnHere, here);
  if (doc_->Bookmarks().Exists(kIndexBookmark)) {
    host::Range index = doc_->Bookmarks().Item(kIndexBookmark).Range().Duplicate();
    index.Collapse(host::wdCollapseStart);
    index.Select();
  }
  doc_->Bookmarks().Add(kIndexStart, app_.Selection().Range());
  doc_->SetSaved(wasSaved);
}

// The stage of the saved search type fills the hidden main dialog; false when the run stops.
bool FindAndIndexRun::gatherTerms() {
  mainDialog_->Load();
  const std::string searchType = settings::fncReadIni(settings::kSection, settings::kSearchType);
  int stage = kStageGoOn;
  if (searchType == "SearchFlagged") {
    doc_ = &app_.Documents().Item(doc_->Name());
    state::pubWdDoc = doc_;
    stage = fncGatherFlaggedTerms(*doc_, *mainDialog_);
    if (stage == kStageGoOn) PrepareFlaggedSearch(app_, *doc_);
  } else if (searchType == "SearchInitCaps") {
    stage = fncGatherInitCapsTerms(*doc_, *mainDialog_, searchType);
    if (stage == kStageGoOn) PrepareInitCapsSearch(app_, *doc_);
  }
  if (stage == kStageFailed) ui::MsgBox("Could not initialize", ui::vbOKOnly + ui::vbCritical, "Cannot continue");
  return stage == kStageGoOn;
}

void FindAndIndexRun::showMainDialog() {
  addIn_.SetFormDisplayed(true);
  const std::string listResult = SetListBoxWidths(*mainDialog_, app_);
  state::blnLoadingOptions = false;
  if (listResult == "Cancel") return;
  mainDialog_->Show(ui::vbModal);
  if (mainDialog_->Visible()) mainDialog_->Hide();
  mainDialog_->SetVLXAddIn(nullptr);
  mainDialog_->Unload();
  mainDialog_.reset();
  restoreSettings(app_, *doc_);
  ResetDocView(*doc_, app_);
  refreshScreen(app_);
}

// The host's settings and every quote's form back; the cursor at the start of the index, or
// back where the run began. The run's place marks never stay in the user's document.
void FindAndIndexRun::restore() {
  restoreSettings(app_, *doc_);
  quoteForms_->Restore(*doc_);
  app_.Options().Pagination = true;
  host::Bookmarks& bookmarks = doc_->Bookmarks();
  const bool indexed = bookmarks.Exists(kIndexBookmark);
  if (indexed) selectStartOf(app_, *doc_, kIndexBookmark);
  if (state::blnOptionsAccepted) deleteIfThere(*doc_, kIndexStart);
  if (indexed) {
    app_.Selection().GoTo(host::wdGoToBookmark, host::wdGoToFirst, 1, kIndexBookmark);
    app_.Selection().Collapse(host::wdCollapseStart);
  }
  RestoreViewType(*doc_, viewType_.value_or(host::wdPrintView));
  if (indexed) {
    selectStartOf(app_, *doc_, kIndexBookmark);
    deleteIfThere(*doc_, kReturnHere);
  } else if (bookmarks.Exists(kReturnHere)) {
    bookmarks.Item(kReturnHere).Select();
    bookmarks.Item(kReturnHere).Delete();
  }
  state::pubWdDoc = nullptr;
  state::pubWdApp = nullptr;
}

// Every exit before the main dialog: quotes, view and cursor go back, and no place mark stays.
void FindAndIndexRun::cleanUp() {
  if (doc_ && quoteForms_) quoteForms_->Restore(*doc_);
  if (doc_) {
    RestoreViewType(*doc_, viewType_.value_or(host::wdPrintView));
    if (doc_->Bookmarks().Exists(kReturnHere)) {
      doc_->Bookmarks().Item(kReturnHere).Select();
      doc_->Bookmarks().Item(kReturnHere).Delete();
    }
    deleteIfThere(*doc_, kIndexStart);
  }
  if (mainDialog_) mainDialog_->Unload();
  mainDialog_.reset();
  if (doc_) doc_->UndoClear();
  state::pubWdDoc = nullptr;
  state::pubWdApp = nullptr;
  refreshScreen(app_);
}

void FindAndIndexRun::recover(const std::exception& error) {
  util::ShowErrMsg("", error);
  if (doc_) {
    try {
      if (quoteForms_) quoteForms_->Restore(*doc_);
      doc_->UndoClear();
      if (state::blnOptionsAccepted) deleteIfThere(*doc_, kIndexStart);
      deleteIfThere(*doc_, "QQReturnHereQQ");
      doc_->ActiveWindow().ActivePane().View().SetType(host::wdPrintView);
    } catch (const std::exception&) {
      // What the failure left is reported already; the screen must still come back.
    }
  }
  if (mainDialog_) mainDialog_->Unload();
  state::pubWdDoc = nullptr;
  state::pubWdApp = nullptr;
  refreshScreen(app_);
}

}  // namespace addin
