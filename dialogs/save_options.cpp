#include "dialogs/save_options.h"

#include <functional>
#include <string>

#include "settings/ini_file.h"
#include "settings/keys.h"
#include "state/run_state.h"
#include "util/messages.h"

namespace dialogs {
namespace {

// Each key is one step: a failure is reported and the others are still written.
void step(const std::function<void()>& write) {
  try {
    write();
  } catch (const std::exception& error) {
    util::ShowErrMsg("Error setting defaults", error);
  }
}

void writeBool(const char* key, const ui::CheckBox& box) {
  step([&] { settings::fncWriteIni(settings::kSection, key, settings::BoolText(box.Value() == ui::vbChecked)); });
}

// The index of the selected option button of a pair, -1 when neither is.
int selectedOf(const ui::ControlArray<ui::OptionButton>& buttons) {
  for (int i = 0; i < buttons.Count(); ++i)
    if (buttons(i).Value()) return i;
  return -1;
}

}  // namespace

void ApplySearchTypeRules(OptionControls& form, int searchType) {
  const bool quoted = searchType == 0;
  form.lblOpenQuote.SetEnabled(quoted);
  form.cmbOpenQuote.SetEnabled(quoted);
  form.lblCloseQuote.SetEnabled(quoted);
  form.cmbCloseQuote.SetEnabled(quoted);
  form.optIndexWhat(0).SetEnabled(quoted);
  form.optIndexWhat(1).SetEnabled(quoted);
}

void SaveOptions(OptionControls& form) {
  using namespace settings;
  writeBool(kBold, form.chkBold);
  writeBool(kCaseSensitive, form.chkCaseSensitive);
  writeBool(kIndexAllCaps, form.chkIndexCaps);
  writeBool(kHighlight, form.chkHighlight);
  writeBool(kIgnoreWordsWithNums, form.chkIgnoreNums);
  writeBool(kIncludeNotFound, form.chkIncludeNotFound);
  writeBool(kIncludeNotUsed, form.chkIncludeNotUsed);
  step([&] { fncWriteIni(kSection, kIndexCols, form.txtCols.Text()); });
  step([&] {
    fncWriteIni(kSection, kIndexSep, EncodeIndexSep(form.txtSep.Text(), form.chkTabSep.Value() == ui::vbChecked));
  });
  step([&] {
    const ui::ComboBox& list = form.cmbOpenQuote;
    fncWriteIni(kSection, kOpenQuote, std::to_string(list.ItemData(list.ListIndex())));
  });
  step([&] {
    const ui::ComboBox& list = form.cmbCloseQuote;
    fncWriteIni(kSection, kCloseQuote, std::to_string(list.ItemData(list.ListIndex())));
  });
  const int searchType = selectedOf(form.optSearchType);
  step([&] {
    if (searchType >= 0) fncWriteIni(kSection, kSearchType, searchType == 0 ? "SearchFlagged" : "SearchInitCaps");
  });
  step([&] {
    state::blnLoadingOptions = true;
    if (searchType >= 0) ApplySearchTypeRules(form, searchType);
    state::blnLoadingOptions = false;
  });
  step([&] {
    const int indexWhat = selectedOf(form.optIndexWhat);
    if (indexWhat >= 0) fncWriteIni(kSection, kIndexWhat, indexWhat == 0 ? "IndexAll" : "IndexDefs");
  });
}

}  // namespace dialogs
