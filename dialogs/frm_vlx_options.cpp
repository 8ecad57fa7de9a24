#include "dialogs/frm_vlx_options.h"

#include "dialogs/save_options.h"
#include "dialogs/tag_buttons.h"

namespace dialogs {

frmVLXOptions::frmVLXOptions()
    : ui::Form("frmVLXOptions"),
      OptionControls(static_cast<ui::Form&>(*this)),
      HelpControls(static_cast<ui::Form&>(*this)) {
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
  SetTagButtons(*this, cmdOK, cmdCancel, [this] { SaveOptions(*this); });
  cmdOK.SetCaption("Search");
  cmdSetDefaults.SetCaption("Set as de&faults");
  cmdGettingStarted.SetCaption("Getting Started");
  cmdUpdate.Click = nullptr;  // this dialog's "Update index" item does nothing
  LayOut();

  cmdSetDefaults.Click = [this] { SaveOptions(*this); };
}

// Without this, the run would read no Tag and go on to search as if Search had been pressed.
void frmVLXOptions::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
  if (unloadMode == ui::vbFormControlMenu) SetTag("Cancel");
}

void frmVLXOptions::LayOut() {
  SetSize(700, 430);
  fraIndex(0).Move(8, 6, 684, 146);
  PlaceSearchOptions(fraIndex(0), 20);
  fraIndex(1).Move(8, 158, 684, 124);
  PlaceIndexOptions(fraIndex(1), 20);
  fraTab.Move(8, 288, 684, 94);
  Place(lblReadme, &fraTab, 10, 10, 664, 46);
  Place(lblHelpClick, &fraTab, 10, 62, 180, 22);
  Place(lblFAQClick, &fraTab, 210, 62, 180, 22);
  cmdSetDefaults.Move(8, 392, 150, 30);
  cmdOK.Move(498, 392, 94, 30);
  cmdCancel.Move(598, 392, 94, 30);

  std::vector<ui::Control*> order = SearchOptionsTabOrder();
  const std::vector<ui::Control*> index = IndexOptionsTabOrder();
  order.insert(order.end(), index.begin(), index.end());
  order.insert(order.end(), {&cmdOK, &cmdCancel, &cmdSetDefaults});
  SetTabOrder(std::move(order));
}

}  // namespace dialogs
