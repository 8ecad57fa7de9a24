#include "indexing/search_list.h"

#include "discovery/run_objects.h"

namespace indexing {

std::vector<std::string> fncBuildSearchList(dialogs::frmVLX_COM& form) {
  form.Hide();
  progress::clsProgForm& progress = discovery::RunProgress();
  progress.ShowProgress(0);
  progress.UpdateProgress("Please wait", "Building search list", "", 0, 0, "");

  // The list always ends with an empty element that the next term fills.
  std::vector<std::string> list{""};
  for (const ui::ListBox* terms : {&form.lstTermsInDoc, &form.lstAddTerms}) {
    for (int i = 0; i < terms->ListCount(); ++i) {
      if (!terms->Selected(i)) continue;
      list.back() = terms->List(i);
      list.emplace_back();
    }
  }
  if (list.back().empty()) list.pop_back();
  progress.CloseProgress();

  discovery::RunEngine().fncListSort(list);  // the engine's longest-first exchange sort, in place
  return list;
}

}  // namespace indexing
