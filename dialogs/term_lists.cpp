#include "dialogs/term_lists.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "dialogs/file_in_use.h"
#include "dialogs/open_save_dialog.h"
#include "dialogs/term_list_file.h"
#include "host/platform/error.h"
#include "host/platform/files.h"
#include "ui/message_box.h"
#include "util/list_box_extent.h"
#include "util/messages.h"

namespace dialogs {
namespace {

constexpr const char* kLoadTitle = "Load terms list";
constexpr const char* kSaveTitle = "Save terms list";

std::string ChooseTermList(const ui::Form& owner, const char* title, bool open) {
  OpenSaveDialog dialog;
  dialog.filter = fncAddFilterItem("", "Text file (.txt)", "*.txt");
  dialog.fileName = "*.txt";
  dialog.title = title;
  dialog.owner = &owner;
  dialog.flags = kOverwritePrompt;
  dialog.open = open;
  // A name typed without extension gets ".txt", so that the list can be loaded again.
  if (!open) dialog.defaultExtension = "txt";
  return fncShowOpenSaveDialog(dialog);
}

bool HasTextExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".txt";
}

void FileInUseMessage() {
  ui::MsgBox("The filename you specified is in use or not available.  Please try again.",
             ui::vbOKCancel + ui::vbInformation, "File in use/not available");
}

// The items to save, or none at all when the user cancels the question.
std::optional<std::vector<std::string>> ItemsToSave(const ui::ListBox& list) {
  std::vector<std::string> items = util::ListItems(list);
  const int selected = list.SelCount();
  if (selected == 0 || selected == list.ListCount()) return items;
  const int answer = ui::MsgBox(
      "Save selected items only?  Click Yes to save only the selected items, click No to save all items in the "
      "additional terms list.",
      ui::vbYesNoCancel + ui::vbQuestion, "Save all or selected?");
  if (answer == ui::vbCancel) return std::nullopt;
  if (answer == ui::vbNo) return items;
  std::vector<std::string> chosen;
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.Selected(i)) chosen.push_back(list.List(i));
  return chosen;
}

}  // namespace

void LoadSavedList(ui::Form& owner, ui::ListBox& list) {
  for (;;) {
    const std::string path = ChooseTermList(owner, kLoadTitle, true);
    if (path.empty()) return;
    if (!HasTextExtension(path)) {
      ui::MsgBox(fncGetFileTitle(path) + " is not a text file (*.txt) and cannot be loaded.  Please try again.",
                 ui::vbOKOnly + ui::vbExclamation, "Not a text file");
      continue;
    }
    const std::optional<std::string> bytes = fncFileInUse(path, FileAccess::Read) ? std::nullopt
                                                                                  : host::ReadWholeFile(path);
    if (!bytes) {
      FileInUseMessage();
      continue;
    }
    std::vector<std::string> items = util::ListItems(list);
    std::unordered_set<std::string> listed(items.begin(), items.end());
    for (std::string& term : ReadTermFields(DecodeTermList(*bytes))) {
      if (!listed.insert(term).second) continue;
      items.push_back(term);
      list.AddItem(std::move(term));
    }
    util::SetListBoxExtent(owner, list, items, false);
    return;
  }
}

void SaveList(const ui::Form& owner, const ui::ListBox& list) {
  for (;;) {
    const std::string path = ChooseTermList(owner, kSaveTitle, false);
    if (path.empty()) return;
    std::error_code error;
    const std::filesystem::path folder = fncGetFolderOfPath(path);
    if (!std::filesystem::exists(folder, error)) std::filesystem::create_directories(folder, error);
    if (fncFileInUse(path, FileAccess::ReadWrite)) {
      FileInUseMessage();
      continue;
    }
    const std::optional<std::vector<std::string>> items = ItemsToSave(list);
    if (!items) return;
    try {
      host::WriteFileAtomically(path, WriteTermList(*items));
    } catch (const host::Error& failure) {
      util::ShowErrMsg(kSaveTitle, failure);
    }
    return;
  }
}

}  // namespace dialogs
