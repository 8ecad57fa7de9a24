#include "dialogs/frm_vlx_com.h"

#include "util/window.h"

namespace dialogs {

frmVLX_COM::frmVLX_COM() : ui::Form("frmVLX_COM"), OptionControls(static_cast<ui::Form&>(*this)) {
  SetCaption(" Vellandex");
  frameTermsInDoc.SetCaption("Te&rms found in document");
  lstTermsInDoc.SetMultiSelect(ui::vbMultiSelectExtended);
  cmdSelectAllTermsInDoc.SetCaption("&Select all");
  cmdDeselectAllTermsInDoc.SetCaption("&Deselect all");
  frameAddTerms.SetCaption("Add terms &for indexing");
  lblAddTerms.SetCaption("Add terms for inde&xing, in addition to terms already in your document (if any).");
  cmdAddTerm.SetCaption("&Add to list");
  lstAddTerms.SetMultiSelect(ui::vbMultiSelectExtended);
  cmdSelectAllAddTerms.SetCaption("S&elect all");
  cmdDeselectAllAddTerms.SetCaption("Desele&ct all");
  cmdDeleteTerm.SetCaption("Delete");
  cmdLoadSavedList.SetCaption("&Load saved list");
  cmdSaveList(0).SetCaption("Save ter&ms list");
  cmdSaveList(0).SetToolTipText("Save selected found terms for re-use");
  cmdSaveList(1).SetCaption("Sa&ve list");
  cmdSaveList(1).SetToolTipText("Save selected additional terms for re-use");
  frameOptions.SetCaption("O&ptions");
  tbcTabs.AddTab("Search");
  tbcTabs.AddTab("Index");
  tbcTabs.AddTab("Readme");
  lblReadme(0).SetCaption("Ctl+click or Space+click to select/ deselect individual terms.");
  lblReadme(1).SetCaption(
      "If you're indexing terms in quotes, results are unpredictable if your document includes mixed types of "
      "quotation marks.  For instance if it contains both \u201E and \u201C as open quotes.  Ensure that your "
      "document only uses one consistent style of open and close quotation marks.");
  lblHelpClick.SetCaption("Help - click here");
  lblFAQClick.SetCaption("FAQs - click here");
  cmdRefresh.SetCaption("Find terms and refresh list");
  cmdSetDefaults.SetCaption("Set as defaults");
  cmdFormHelp.SetCaption("Help");
  cmdOK.SetCaption("O&K");
  cmdCancel.SetCaption("Cancel");
  lblLabel1.SetCaption("Please wait");
  lblLabel2.SetCaption("Status");
  lblLabel3.SetCaption("% complete");
  mnuHelp.SetCaption("&Help");
  for (ui::Menu* item : {&cmdGettingStarted, &cmdCreate, &cmdDelete, &cmdNoHighlight, &cmdUpdate, &cmdLists,
                         &cmdOptions, &cmdFAQ, &cmdAbout})
    item->SetContainer(&mnuHelp);
  cmdGettingStarted.SetCaption("Getting started");
  cmdCreate.SetCaption("Create index");
  cmdDelete.SetCaption("Delete index");
  cmdNoHighlight.SetCaption("Remove highlighting");
  cmdUpdate.SetCaption("Update index");
  cmdLists.SetCaption("Save and load lists");
  cmdOptions.SetCaption("Options");
  cmdFAQ.SetCaption("FAQ");
  cmdAbout.SetCaption("&About");
}

void frmVLX_COM::DisableXButton(const std::string& strCaption) { handle_ = util::DisableXButton(strCaption); }

}  // namespace dialogs
