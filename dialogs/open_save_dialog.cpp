#include "dialogs/open_save_dialog.h"

#include <string_view>

#include "ui/backend.h"

namespace dialogs {
namespace {

// The description and pattern pairs of a filter string; a pair without its pattern is dropped.
std::vector<std::pair<std::string, std::string>> FilterPairs(std::string_view filter) {
  std::vector<std::string> parts;
  while (!filter.empty()) {
    const std::size_t end = filter.find('\0');
    parts.emplace_back(filter.substr(0, end));
    filter.remove_prefix(end == std::string_view::npos ? filter.size() : end + 1);
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
  return pairs;
}

}  // namespace

std::string fncShowOpenSaveDialog(const OpenSaveDialog& dialog) {
  ui::FileRequest request;
  request.open = dialog.open;
  request.title = dialog.title;
  request.initialFolder = dialog.initialFolder;
  request.filters = FilterPairs(dialog.filter);
  request.filterIndex = dialog.filterIndex;
  request.fileName = fncStripNulls(dialog.fileName);
  request.defaultExtension = dialog.defaultExtension;
  request.confirmOverwrite = !dialog.open && (dialog.flags & kOverwritePrompt) != 0;
  request.owner = dialog.owner;
  return fncStripNulls(ui::ChooseFile(request));
}

std::string fncAddFilterItem(const std::string& filter, const std::string& description, const std::string& pattern) {
  std::string out = filter;
  out += description;
  out += '\0';
  out += pattern;
  out += '\0';
  return out;
}

std::string fncStripNulls(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string fncGetFileTitle(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string fncGetFolderOfPath(const std::string& path) {
  if (!path.empty() && path.back() == '/') return path;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || path.find('.', slash + 1) == std::string::npos) return path;
  return path.substr(0, slash);
}

}  // namespace dialogs
