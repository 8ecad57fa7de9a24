#include "dialogs/option_controls.h"

#include <string_view>

#include "dialogs/save_options.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "util/help.h"

namespace dialogs {
namespace {

// The help topic a key pressed on the case-sensitivity box opens.
constexpr int kCaseSensitiveTopic = 18;

// Moving the focus onto these is no reason to remind: they refresh the list or belong to
// the search type, whose own click reminds.
bool RefreshesOrReminds(const ui::Control* next) {
  if (!next) return false;
  const std::string_view name = next->Name();
  return name == "cmdSetDefaults" || name == "optSearchType" || name == "cmdRefresh";
}

}  // namespace

bool ColumnsKeyPasses(int keyAscii) {
  return keyAscii == ui::vbKeyBack || keyAscii == ui::vbKeyTab || keyAscii == ui::vbKeyEscape ||
         keyAscii == ui::vbKeyReturn || (keyAscii >= '1' && keyAscii <= '4');
}

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
  WireReactions();
}

void OptionControls::WireReactions() {
  for (int i = 0; i < optSearchType.Count(); ++i) {
    optSearchType(i).Click = [this, i] {
      if (state::blnLoadingOptions) return;
      ApplySearchTypeRules(*this, i);
      if (RemindsToRefresh() && !state::blnInitCapsGathering) RefreshListReminder();
    };
  }
  optIndexWhat(0).Click = [this] { chkTabSep.SetValue(ui::vbUnchecked); };
  optIndexWhat(1).Click = [this] { chkTabSep.SetValue(ui::vbChecked); };
  chkBold.GotFocus = [this] { boldOnFocus_ = chkBold.Value(); };
  chkBold.LostFocus = [this](ui::Control* next) { SearchOptionLeft(next, boldOnFocus_, chkBold.Value()); };
  cmbOpenQuote.GotFocus = [this] { openQuoteOnFocus_ = cmbOpenQuote.ListIndex(); };
  cmbOpenQuote.LostFocus = [this](ui::Control* next) {
    SearchOptionLeft(next, openQuoteOnFocus_, cmbOpenQuote.ListIndex());
  };
  cmbCloseQuote.GotFocus = [this] { closeQuoteOnFocus_ = cmbCloseQuote.ListIndex(); };
  cmbCloseQuote.LostFocus = [this](ui::Control* next) {
    SearchOptionLeft(next, closeQuoteOnFocus_, cmbCloseQuote.ListIndex());
  };
  chkCaseSensitive.Click = [this] { chkIndexCaps.SetEnabled(chkCaseSensitive.Value() == ui::vbChecked); };
  // A modifier alone is the start of a combination (Shift+Tab, an access key), not a key.
  chkCaseSensitive.KeyDown = [](int& keyCode, int) {
    if (keyCode != ui::vbKeyShift && keyCode != ui::vbKeyControl) util::ShowHelpTopic(kCaseSensitiveTopic);
  };
  txtCols.KeyPress = [](int& keyAscii) {
    if (!ColumnsKeyPasses(keyAscii)) keyAscii = 0;
  };
}

void OptionControls::SearchOptionLeft(const ui::Control* next, int valueOnFocus, int valueNow) const {
  if (!RemindsToRefresh() || state::blnInitCapsGathering || RefreshesOrReminds(next)) return;
  if (valueNow != valueOnFocus) RefreshListReminder();
}

void OptionControls::RefreshListReminder() {
  ui::MsgBox(
      "You'll need to click the 'Find terms and refresh list' button to refresh the 'Terms found in document' list.",
      ui::vbOKOnly + ui::vbInformation, "Refresh terms list");
}

}  // namespace dialogs
