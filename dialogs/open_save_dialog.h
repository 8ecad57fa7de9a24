#pragma once
// The open and save file choosers of the dialogs, and the path helpers that go with them.
// Filters are kept as the chooser's classic filter string: description and pattern pairs,
// each part followed by a NUL character.

#include <string>

#include "ui/form.h"

namespace dialogs {

/// The flag that makes a save chooser ask before replacing an existing file.
inline constexpr int kOverwritePrompt = 2;

/// What fncShowOpenSaveDialog shows; every member has the chooser's default.
struct OpenSaveDialog {
  std::string initialFolder;     // "" for the current folder
  std::string filter;            // pairs from fncAddFilterItem
  int filterIndex = 1;           // 1-based: the pair preselected
  int flags = 0;                 // kOverwritePrompt; other bits are ignored
  std::string defaultExtension;  // added when the user types none, e.g. "txt"
  std::string fileName;          // preset name, e.g. "*.txt"
  std::string title;
  const ui::Form* owner = nullptr;  // the dialog the chooser belongs to
  bool open = true;                 // false: a save chooser
};

/// Shows the open or save chooser and returns the chosen path cut at its first NUL; "" when
/// the user cancels.
std::string fncShowOpenSaveDialog(const OpenSaveDialog& dialog);

/// The filter with one more pair: description + NUL + pattern + NUL.
std::string fncAddFilterItem(const std::string& filter, const std::string& description,
                             const std::string& pattern = "*.*");

/// The text up to its first NUL character.
std::string fncStripNulls(const std::string& text);

/// The part of a path after its last "/" (the whole path when there is none).
std::string fncGetFileTitle(const std::string& path);

/// The folder of a path: a path ending in "/" unchanged; otherwise, when the part after
/// the last "/" holds a ".", the path up to that "/"; otherwise the path unchanged.
std::string fncGetFolderOfPath(const std::string& path);

}  // namespace dialogs
