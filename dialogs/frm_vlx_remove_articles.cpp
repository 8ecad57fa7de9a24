#include "dialogs/frm_vlx_remove_articles.h"

#include "dialogs/tag_buttons.h"

namespace dialogs {

frmVLXRemoveArticles::frmVLXRemoveArticles() : ui::Form("frmVLXRemoveArticles") {
  SetCaption(" Terms that begin with an article");
  SetSize(420, 330);
  lblExplain.SetCaption(
      "These terms begin with \"the\", \"a\", \"an\" or \"any\".  Tick each term whose opening "
      "quote should be moved after the article, so that the article is not indexed as part of "
      "the term, then click OK.  Click Cancel to keep the terms as they are.");
  lblExplain.Move(12, 12, 396, 64);
  lstTerms.SetMultiSelect(ui::vbMultiSelectSimple);
  lstTerms.Move(12, 84, 396, 196);
  cmdOK.Move(228, 292, 84, 26);
  cmdCancel.Move(324, 292, 84, 26);
  SetTagButtons(*this, cmdOK, cmdCancel);
}

void frmVLXRemoveArticles::Form_QueryUnload(int&, int unloadMode) {
  if (unloadMode == ui::vbFormControlMenu) SetTag("Cancel");
}

}  // namespace dialogs
