#include "dialogs/frm_vlx_com.h"

#include <string_view>

#include "dialogs/frm_vlx_about_com.h"
#include "dialogs/term_lists.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "util/help.h"
#include "util/list_box_extent.h"
#include "util/messages.h"
#include "util/window.h"

namespace dialogs {
namespace {

std::string TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The first item equal to term once trimmed, -1 for none.
int FindTrimmed(const ui::ListBox& list, const std::string& term) {
  for (int i = 0; i < list.ListCount(); ++i)
    if (TrimSpaces(list.List(i)) == term) return i;
  return -1;
}

}  // namespace

void SelectAllItems(ui::ListBox& list, bool selected) {
  const int current = list.ListIndex();
  for (int i = 0; i < list.ListCount(); ++i) list.SetSelected(i, selected);
  if (list.ListIndex() != current) list.SetListIndex(current);
}

frmVLX_COM::frmVLX_COM()
    : ui::Form("frmVLX_COM"),
      OptionControls(static_cast<ui::Form&>(*this)),
      HelpControls(static_cast<ui::Form&>(*this)) {
  SetCaptions();
  LayOut();
  ArrangeTabOrder();
  WireEvents();
}

void frmVLX_COM::SetCaptions() {
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
  cmdRefresh.SetCaption("Find terms and refresh list");
  cmdSetDefaults.SetCaption("Set as defaults");
  cmdFormHelp.SetCaption("Help");
  cmdOK.SetCaption("O&K");
  cmdCancel.SetCaption("Cancel");
  lblLabel1.SetCaption("Please wait");
  lblLabel2.SetCaption("Status");
  lblLabel3.SetCaption("% complete");
  for (ui::Label* label : {&lblLabel1, &lblLabel2, &lblLabel3}) label->SetVisible(false);
  imgAbout.SetMousePointer(ui::vbCustom);
}

void frmVLX_COM::WireEvents() {
  cmdAddTerm.Click = [this] { cmdAddTerm_Click(); };
  cmdDeleteTerm.Click = [this] { cmdDeleteTerm_Click(); };
  cmdSelectAllTermsInDoc.Click = [this] { SelectAllItems(lstTermsInDoc, true); };
  cmdDeselectAllTermsInDoc.Click = [this] { SelectAllItems(lstTermsInDoc, false); };
  cmdSelectAllAddTerms.Click = [this] { SelectAllItems(lstAddTerms, true); };
  cmdDeselectAllAddTerms.Click = [this] { SelectAllItems(lstAddTerms, false); };
  cmdLoadSavedList.Click = [this] { LoadSavedList(*this, lstAddTerms); };
  cmdSaveList(0).Click = [this] { SaveList(*this, lstTermsInDoc); };
  cmdSaveList(1).Click = [this] { SaveList(*this, lstAddTerms); };
  tbcTabs.Click = [this] { util::ShowFrame(*this); };
  cmdFormHelp.Click = [] { util::ShowHelpTopic(kGettingStartedTopic); };
  imgAbout.Click = [] { ShowAboutBox(); };
  cmdOK.Click = [this] {
    if (addIn_) addIn_->cmdOK_Click(*this);
  };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  cmdRefresh.Click = [this] { cmdRefresh_Click(); };
  cmdSetDefaults.Click = [this] { cmdSetDefaults_Click(); };
}

void frmVLX_COM::DisableXButton(const std::string& strCaption) { handle_ = util::DisableXButton(strCaption); }

void frmVLX_COM::Form_Load() {
  util::ShowFrame(*this);
  imgAbout.SetPicture(LogoPath());
}

void frmVLX_COM::Form_Activate() { ArrangeFoundTermsArea(); }

void frmVLX_COM::cmdAddTerm_Click() {
  const std::string term = TrimSpaces(txtAddTerm.Text());
  if (!term.empty()) {
    for (ui::ListBox* list : {&lstTermsInDoc, &lstAddTerms}) {
      if (const int listed = FindTrimmed(*list, term); listed >= 0) {
        ui::MsgBox(term + " is already in the list of defined terms.", ui::vbOKOnly, "Already on list");
        list->SetSelected(listed, true);
        list->SetListIndex(listed);
        return;
      }
    }
    lstAddTerms.AddItem(term);
    for (int i = 0; i < lstAddTerms.ListCount(); ++i)
      if (TrimSpaces(lstAddTerms.List(i)) == term) lstAddTerms.SetSelected(i, true);
  }
  // A typed text wider than every item widens the list by one more character.
  const int widest = util::WidestText(*this, util::ListItems(lstAddTerms));
  const int typed = TextWidth(txtAddTerm.Text());
  lstAddTerms.SetHorizontalExtent(typed > widest ? typed + TextWidth("W") : widest);
  txtAddTerm.SetText("");
  txtAddTerm.SetFocus();
}

void frmVLX_COM::cmdDeleteTerm_Click() {
  if (lstAddTerms.SelCount() == 0) {
    ui::MsgBox("No items were selected for deletion.", ui::vbOKOnly + ui::vbExclamation, "Nothing deleted");
    return;
  }
  if (ui::MsgBox("Delete selected term(s) from list?", ui::vbYesNo, "Confirm delete") != ui::vbYes) return;
  std::vector<std::string> doomed;
  for (int i = 0; i < lstAddTerms.ListCount(); ++i)
    if (lstAddTerms.Selected(i)) doomed.push_back(lstAddTerms.List(i));
  for (const std::string& text : doomed) {
    for (int i = 0; i < lstAddTerms.ListCount(); ++i) {
      if (lstAddTerms.List(i) != text) continue;
      lstAddTerms.RemoveItem(i);
      break;
    }
  }
  util::SetListBoxExtent(*this, lstAddTerms, util::ListItems(lstAddTerms), false);
}

// A failure to reach the document must not leave the user in a dialog that cannot close.
void frmVLX_COM::cmdCancel_Click() {
  try {
    if (addIn_) {
      host::Bookmarks& bookmarks = addIn_->wdApp().ActiveDocument().Bookmarks();
      if (bookmarks.Exists("ReturnHereBK")) {
        host::Bookmark returnHere = bookmarks.Item("ReturnHereBK");
        returnHere.Select();
        returnHere.Delete();
      }
      if (state::blnOptionsAccepted && bookmarks.Exists("IndexBKStart")) bookmarks.Item("IndexBKStart").Delete();
    }
  } catch (const std::exception& failure) {
    util::ShowErrMsg("", failure);
  }
  SetTag("Cancel");
  Hide();
}

// The explanation takes the list's place when the list is hidden (nothing was found).
void frmVLX_COM::ArrangeFoundTermsArea() {
  const int bottom = frameTermsInDoc.Top() + frameTermsInDoc.Height();
  const int height = frameTermsInDoc.Visible() ? frameTermsInDoc.Top() - 6 - lblTermsInDoc.Top()
                                               : bottom - lblTermsInDoc.Top();
  if (lblTermsInDoc.Height() != height)
    lblTermsInDoc.Move(lblTermsInDoc.Left(), lblTermsInDoc.Top(), lblTermsInDoc.Width(), height);
}

}  // namespace dialogs
