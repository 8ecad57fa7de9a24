#include "indexing/run_options.h"

#include <algorithm>
#include <cctype>

#include "ui/constants.h"
#include "util/messages.h"

namespace indexing {

namespace {

bool ticked(const ui::CheckBox& box) { return box.Value() == ui::vbChecked; }

}  // namespace

RunOptions readRunOptions(const dialogs::frmVLX_COM& form) {
  RunOptions options;
  options.matchCase = ticked(form.chkCaseSensitive);
  options.indexFullCaps = form.chkIndexCaps.Enabled() && ticked(form.chkIndexCaps);
  const ui::OptionButton& definitionsOnly = form.optIndexWhat(1);
  options.indexType = definitionsOnly.Enabled() && definitionsOnly.Value() ? "IndexDefs" : "IndexAll";
  options.includeNotUsed = ticked(form.chkIncludeNotUsed);
  options.includeNotFound = ticked(form.chkIncludeNotFound);
  return options;
}

std::optional<long> columnCount(const dialogs::frmVLX_COM& form) {
  const std::string& text = form.txtCols.Text();
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::string digits = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  // Pasted text escapes the keystroke filter: anything but a small whole number is refused.
  if (digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
    return std::nullopt;
  const long columns = std::stol(digits);
  if (columns < 1 || columns > 4) return std::nullopt;
  return columns;
}

std::string separator(const dialogs::frmVLX_COM& form) {
  return form.txtSep.Text() + (ticked(form.chkTabSep) ? "\t" : "");
}

bool columnsAccepted(dialogs::frmVLX_COM& form) {
  if (columnCount(form)) return true;
  util::ShowWarningMsg("The number of columns must be a whole number from 1 to 4.  Please correct it on the Index tab.",
                       "Number of columns");
  form.txtCols.SetFocus();
  return false;
}

}  // namespace indexing
