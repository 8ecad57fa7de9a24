#include "dialogs/option_controls.h"

namespace dialogs {

OptionControls::OptionControls(ui::Form& form)
    : form_(form),
      frameSearchType(form, "frameSearchType"),
      optSearchType(form, "optSearchType", 2),
      chkBold(form, "chkBold"),
      lblOpenQuote(form, "lblOpenQuote"),
      cmbOpenQuote(form, "cmbOpenQuote"),
      lblCloseQuote(form, "lblCloseQuote"),
      cmbCloseQuote(form, "cmbCloseQuote"),
      chkCaseSensitive(form, "chkCaseSensitive"),
      chkIndexCaps(form, "chkIndexCaps"),
      chkIgnoreNums(form, "chkIgnoreNums"),
      chkHighlight(form, "chkHighlight"),
      frmIndexWhat(form, "frmIndexWhat"),
      optIndexWhat(form, "optIndexWhat", 2),
      chkIncludeNotUsed(form, "chkIncludeNotUsed"),
      chkIncludeNotFound(form, "chkIncludeNotFound"),
      lblCols(form, "lblCols"),
      txtCols(form, "txtCols"),
      updownCols(form, "updownCols"),
      lblSep(form, "lblSep"),
      txtSep(form, "txtSep"),
      chkTabSep(form, "chkTabSep") {
  frameSearchType.SetCaption("Search type");
  optSearchType(0).SetCaption("&Terms in quotes");
  optSearchType(1).SetCaption("Capitalized &words");
  // Option buttons exclude each other within their container.
  optSearchType(0).SetContainer(&frameSearchType);
  optSearchType(1).SetContainer(&frameSearchType);
  chkBold.SetCaption("Defined terms in &bold");
  lblOpenQuote.SetCaption("Open &quote:");
  lblCloseQuote.SetCaption("Close quote&:");
  chkCaseSensitive.SetCaption("Case sens&itive");
  chkCaseSensitive.SetToolTipText("Search and mark exact matches only");
  chkIndexCaps.SetCaption("Treat full caps as upper&/lower");
  chkIndexCaps.SetToolTipText("Treat full caps as upper/lower case searching/marking");
  chkIgnoreNums.SetCaption("I&gnore words with numbers");
  chkHighlight.SetCaption("&Highlight found terms");
  frmIndexWhat.SetCaption("Index what?");
  optIndexWhat(0).SetCaption("I&ndex all instances");
  optIndexWhat(1).SetCaption("Index definitions onl&y");
  optIndexWhat(0).SetContainer(&frmIndexWhat);
  optIndexWhat(1).SetContainer(&frmIndexWhat);
  chkIncludeNotUsed.SetCaption("Not &used terms ");
  chkIncludeNotUsed.SetToolTipText("Terms defined but not used (used only once)");
  chkIncludeNotFound.SetCaption("N&ot found terms");
  chkIncludeNotFound.SetToolTipText("Terms you selected for searching but not in doc");
  lblCols.SetCaption("Columns (&1-4):");
  updownCols.Attach(&txtCols, 1, 4);
  lblSep.SetCaption("Se&parator:");
  lblSep.SetToolTipText("Separator between indexed term and page number(s)");
  txtSep.SetToolTipText("Separator between indexed term and page number(s)");
  chkTabSep.SetCaption("&+ Tab");
}

}  // namespace dialogs
