#include "discovery/save_before_search.h"

#include <filesystem>

#include "discovery/run_notices.h"
#include "ui/backend.h"
#include "ui/message_box.h"
#include "util/messages.h"

namespace discovery {

namespace {

constexpr const char* kCrLf = "\r\n";

// Saves the document, asking for a file when it has none of its own; false when the user
// cancelled the choice.
bool save(host::Document& doc) {
  std::error_code missing;
  if (!doc.FullName().empty() && std::filesystem::is_regular_file(doc.FullName(), missing)) {
    doc.Save();
    return true;
  }
  ui::FileRequest request;
  request.open = false;
  request.title = "Save document";
  request.filters = {{"Word document (.docx)", "*.docx"}};
  request.fileName = doc.Name();
  request.defaultExtension = "docx";
  request.confirmOverwrite = true;
  const std::string path = ui::ChooseFile(request);
  if (path.empty()) return false;
  doc.SaveAs(path);
  return true;
}

}  // namespace

int fncSaveBeforeSearch(host::Document& doc, dialogs::frmVLX_COM&, bool blnOfferSave, const std::string& searchType) {
  if (searchType != "SearchInitCaps") return 1;
  if (doc.ReadOnly()) {
    if (FirstNoticeOfRun("Read only document"))
      ui::MsgBox(std::string("This document is read-only.  Vellandex will search it and can index it, but the "
                             "indexed document cannot be saved over this file.") +
                     kCrLf + kCrLf + "When you have finished, save the document under another name.",
                 ui::vbOKOnly + ui::vbInformation, "Read only document");
    return 1;
  }
  if (!blnOfferSave || doc.Saved()) return 1;
  const int answer = ui::MsgBox(
      std::string("Your document has changes that have not been saved.") + kCrLf + kCrLf +
          "Vellandex does not save your document while it searches it, but it removes any earlier index before "
          "it searches.  Do you want to save your changes first?" +
          kCrLf + kCrLf + "Click Yes to save and search, No to search without saving, Cancel to stop.",
      ui::vbYesNoCancel + ui::vbQuestion, "Save document");
  if (answer == ui::vbCancel) return 2;
  if (answer != ui::vbYes) return 1;
  try {
    return save(doc) ? 1 : 2;
  } catch (const std::exception& error) {
    util::ShowErrMsg("Save document", error);
    return 0;
  }
}

}  // namespace discovery
