#include "dialogs/frm_vlx_options.h"

namespace dialogs {

frmVLXOptions::frmVLXOptions() : ui::Form("frmVLXOptions"), OptionControls(static_cast<ui::Form&>(*this)) {
  SetCaption(" Search and index options");
  // The options dialog's own access keys, where they differ from the main dialog's.
  lblCloseQuote.SetCaption("C&lose quote&:");
  chkIgnoreNums.SetCaption("Ig&nore words with numbers");
  optIndexWhat(0).SetCaption("Inde&x all instances");
  fraIndex(0).SetCaption("Search options");
  fraIndex(1).SetCaption("Index options");
  lblReadme.SetCaption(
      "If you're indexing terms in quotes, results are unpredictable if your document includes mixed types of "
      "quotation marks.  Ensure that your document only uses one consistent style of open and close quotation "
      "marks.");
  lblHelpClick.SetCaption("Help - click here");
  lblFAQClick.SetCaption("FAQs - click here");
  cmdOK.SetCaption("Search");
  cmdCancel.SetCaption("Cancel");
  cmdSetDefaults.SetCaption("Set as de&faults");
  mnuHelp.SetCaption("&Help");
  for (ui::Menu* item : {&cmdGettingStarted, &cmdCreate, &cmdDelete, &cmdNoHighlight, &cmdUpdate, &cmdLists,
                         &cmdOptions, &cmdFAQ, &cmdAbout})
    item->SetContainer(&mnuHelp);
  cmdGettingStarted.SetCaption("Getting Started");
  cmdCreate.SetCaption("Create index");
  cmdDelete.SetCaption("Delete index");
  cmdNoHighlight.SetCaption("Remove highlighting");
  cmdUpdate.SetCaption("Update index");
  cmdLists.SetCaption("Save and load lists");
  cmdOptions.SetCaption("Options");
  cmdFAQ.SetCaption("FAQ");
  cmdAbout.SetCaption("&About");
}

}  // namespace dialogs
