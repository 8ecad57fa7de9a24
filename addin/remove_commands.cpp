#include "addin/remove_commands.h"

#include <string>

#include "discovery/run_objects.h"
#include "indexing/bookmark_names.h"
#include "ui/message_box.h"

namespace addin {

namespace {

constexpr const char* kIndexPageStart = "IndexPageStart";

// Screen updating off for the length of a command, put back as it was at its end.
class ScreenOff {
 public:
  explicit ScreenOff(host::Application& app) : app_(app), wasOn_(app.ScreenUpdating()) {
    if (wasOn_) app_.SetScreenUpdating(false);
  }
  // Called at the command's normal end: a failure leaves the screen to the click handler.
  void restore() {
    app_.SetScreenUpdating(wasOn_);
    if (wasOn_) app_.ScreenRefresh();
  }

 private:
  host::Application& app_;
  bool wasOn_;
};

void showStep(progress::clsProgForm& progress, const std::string& step) {
  progress.UpdateProgress("Please wait", step, "", 0, 0, "");
}

bool noDocument(host::Application& wdApp, const host::Document* wdDoc) {
  return wdApp.Documents().Count() < 1 || !wdDoc;
}

}  // namespace

void RemoveIndexing(host::Application& wdApp, host::Document* wdDoc) {
  if (noDocument(wdApp, wdDoc)) return;
  host::Document& doc = *wdDoc;
  ScreenOff screen(wdApp);
  engine::_clsOSVLXLib& engine = discovery::RunEngine();
  progress::clsProgForm& progress = discovery::RunProgress();
  progress.ShowProgress(0);

  showStep(progress, "Removing index entries");
  engine.StripIndexEntries(wdApp, doc, false);
  doc.UndoClear();
  showStep(progress, "Removing index");
  bool leaveIndexPlace = true;
  engine.RemoveIndex(wdApp, doc, leaveIndexPlace);
  doc.UndoClear();
  showStep(progress, "Removing highlighting from indexed terms");
  engine.RestoreTextColor(doc);
  doc.UndoClear();

  wdApp.Selection().GoTo(host::wdGoToPage, host::wdGoToFirst);
  if (doc.Bookmarks().Exists(kIndexPageStart)) {
    showStep(progress, "Finishing");
    doc.Bookmarks().Item(kIndexPageStart).Delete();
  }
  progress.CloseProgress();
  screen.restore();
  // The place the removed index held is of use only to a run that rebuilds it at once; a
  // document whose indexing is removed keeps no trace of it, whether or not a run came before.
  if (doc.Bookmarks().Exists(indexing::kIndexStartBookmark))
    doc.Bookmarks().Item(indexing::kIndexStartBookmark).Delete();
  wdApp.Selection().GoTo(host::wdGoToPage, host::wdGoToFirst);
}

void RemoveHighlighting(host::Application& wdApp, host::Document* wdDoc) {
  if (noDocument(wdApp, wdDoc)) return;
  ScreenOff screen(wdApp);
  progress::clsProgForm& progress = discovery::RunProgress();
  progress.ShowProgress(0);
  showStep(progress, "Removing highlighting from indexed terms");
  discovery::RunEngine().RestoreTextColor(*wdDoc);
  wdDoc->UndoClear();
  progress.CloseProgress();

  wdApp.Selection().GoTo(host::wdGoToPage, host::wdGoToFirst);
  ui::MsgBox("Highlighting removed from indexed terms.", ui::vbInformation + ui::vbOKOnly, "Done");
  screen.restore();
}

}  // namespace addin
