// The main dialog's two buttons that rebuild the found list: "Find terms and refresh list"
// and "Set as defaults". The list is rebuilt from the stored search type; the search itself
// is the add-in's, reached through VLXAddIn.
#include <algorithm>

#include "dialogs/frm_vlx_com.h"
#include "dialogs/save_options.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "state/run_state.h"
#include "util/list_box_extent.h"
#include "util/messages.h"

namespace dialogs {
namespace {

// The index of the selected search-type button, -1 when neither is.
int SelectedSearchType(const OptionControls& form) {
  for (int i = 0; i < form.optSearchType.Count(); ++i)
    if (form.optSearchType(i).Value()) return i;
  return -1;
}

std::string SearchTypeName(int searchType) {
  return searchType == 0 ? "SearchFlagged" : searchType == 1 ? "SearchInitCaps" : "";
}

}  // namespace

void frmVLX_COM::cmdRefresh_Click() {
  const std::string explanation = lblTermsInDoc.Caption();
  ShowRefreshProgress();
  const int searchType = SelectedSearchType(*this);
  state::blnLoadingOptions = true;
  if (searchType >= 0) ApplySearchTypeRules(*this, searchType);
  state::blnLoadingOptions = false;
  RebuildFoundList(SearchTypeName(searchType));
  EndRefreshProgress(explanation);
}

void frmVLX_COM::cmdSetDefaults_Click() {
  const std::string explanation = lblTermsInDoc.Caption();
  ShowRefreshProgress();
  SaveOptions(*this);
  RebuildFoundList(SearchTypeName(SelectedSearchType(*this)));
  EndRefreshProgress(explanation);
}

void frmVLX_COM::ShowRefreshProgress() {
  lblTermsInDoc.SetCaption("");
  lblLabel1.SetCaption("Please wait");
  lblLabel1.SetVisible(true);
  lblLabel2.SetCaption("Refreshing list...");
  lblLabel2.SetVisible(true);
  lblLabel3.SetCaption("");
  lblLabel3.SetVisible(false);
  Refresh();
}

// The searches trap their own failures; anything else that escapes them is reported here
// rather than ending the program inside a click.
void frmVLX_COM::RebuildFoundList(const std::string& onScreenSearchType) {
  if (!addIn_) return;
  try {
    state::arrFoundTerms.clear();
    if (addIn_->SaveBeforeSearch(*this, onScreenSearchType) != 1) return;
    const std::string searchType = settings::fncReadIni(settings::kSection, settings::kSearchType);
    if (searchType == "SearchFlagged") {
      addIn_->RefreshQuotedTerms(*this, settings::fncReadIni(settings::kSection, settings::kIndexWhat));
    } else if (searchType != "SearchInitCaps" || !addIn_->RefreshCappedTerms(*this)) {
      return;
    }
    std::vector<std::string>& terms = state::arrFoundTerms;
    if (std::all_of(terms.begin(), terms.end(), [](const std::string& term) { return term.empty(); })) return;
    lstTermsInDoc.Clear();
    for (const std::string& term : terms)
      if (!term.empty()) lstTermsInDoc.AddItem(term);
    SelectAllItems(lstTermsInDoc, true);
    lstTermsInDoc.SetListIndex(0);
    util::SetListBoxExtent(*this, lstTermsInDoc, terms, true);
    terms.clear();
    cmdOK.SetEnabled(true);
    cmdOK.SetDefault(true);
    cmdCancel.SetEnabled(true);
  } catch (const std::exception& failure) {
    util::ShowErrMsg("", failure);
  }
}

// The progress lines go once the list is rebuilt; an explanation nobody replaced is put
// back, since the list it explains is still there.
void frmVLX_COM::EndRefreshProgress(const std::string& explanation) {
  lblLabel1.SetVisible(false);
  lblLabel2.SetVisible(false);
  if (lblTermsInDoc.Caption().empty()) lblTermsInDoc.SetCaption(explanation);
  ArrangeFoundTermsArea();
}

}  // namespace dialogs
