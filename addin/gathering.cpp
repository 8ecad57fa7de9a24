#include "addin/gathering.h"

#include "addin/ini_prob_msg.h"
#include "dialogs/quote_lists.h"
#include "dialogs/save_options.h"
#include "discovery/capped_terms.h"
#include "discovery/quote_pairs.h"
#include "discovery/quoted_list_refresh.h"
#include "discovery/quoted_terms.h"
#include "discovery/run_notices.h"
#include "discovery/run_objects.h"
#include "discovery/save_before_search.h"
#include "progress/cls_prog_form.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "state/run_state.h"
#include "util/messages.h"

namespace addin {

namespace {

using namespace settings;

constexpr int kCurlyOpen = 147;
constexpr int kCurlyClose = 148;

bool ticked(const char* key) { return IsTrue(fncReadIni(kSection, key)); }

void tick(ui::CheckBox& box, bool on) { box.SetValue(on ? ui::vbChecked : ui::vbUnchecked); }

// A stored quote code; an empty or non-numeric value is replaced by the default, on file too.
int repairedQuoteCode(const char* key, int fallback) {
  if (std::optional<int> code = QuoteCodeOf(fncReadIni(kSection, key))) return *code;
  fncWriteIni(kSection, key, std::to_string(fallback));
  return fallback;
}

// The codes the settings file holds now, selected in the dialog's quote lists.
std::pair<int, int> selectStoredQuotes(dialogs::OptionControls& form) {
  const int open = QuoteCodeOf(fncReadIni(kSection, kOpenQuote)).value_or(kCurlyOpen);
  const int close = QuoteCodeOf(fncReadIni(kSection, kCloseQuote)).value_or(kCurlyClose);
  dialogs::SelectQuoteCombination(form, open, close);
  return {open, close};
}

// Lists the found terms, all selected, the first current; an empty list stays empty.
void listFoundTerms(dialogs::frmVLX_COM& form) {
  if (!discovery::TermsFound(state::arrFoundTerms)) return;
  for (const std::string& term : state::arrFoundTerms) form.lstTermsInDoc.AddItem(term);
  for (int i = 0; i < form.lstTermsInDoc.ListCount(); ++i) form.lstTermsInDoc.SetSelected(i, true);
  form.lstTermsInDoc.SetListIndex(0);
}

}  // namespace

bool fncLoadSettingsIntoForm(dialogs::OptionControls& form) {
  // No settings file reads as "Null": a first run writes every default.
  if (fncReadIni(kSection, kSearchType) == "Null")
    for (const Setting& setting : kFirstRunDefaults)
      if (fncWriteIni(kSection, setting.key, setting.value) == 0) IniProbMsg();
  state::blnLoadingOptions = true;
  dialogs::FillQuoteLists(form);

  const std::string indexWhat = fncReadIni(kSection, kIndexWhat);
  if (indexWhat == "IndexAll" || indexWhat.empty()) form.optIndexWhat(0).SetValue(true);
  else if (indexWhat == "IndexDefs") form.optIndexWhat(1).SetValue(true);

  const std::string searchType = fncReadIni(kSection, kSearchType);
  if (searchType == "SearchFlagged" || searchType == "SearchInitCaps") {
    const int button = searchType == "SearchFlagged" ? 0 : 1;
    form.optSearchType(button).SetValue(true);
    dialogs::ApplySearchTypeRules(form, button);
  }

  const int open = repairedQuoteCode(kOpenQuote, kCurlyOpen);
  const int close = repairedQuoteCode(kCloseQuote, kCurlyClose);
  dialogs::SelectQuoteCombination(form, open, close);

  tick(form.chkBold, ticked(kBold));
  tick(form.chkIndexCaps, ticked(kIndexAllCaps));
  tick(form.chkHighlight, ticked(kHighlight));
  tick(form.chkIgnoreNums, ticked(kIgnoreWordsWithNums));
  tick(form.chkIncludeNotUsed, ticked(kIncludeNotUsed));
  tick(form.chkIncludeNotFound, ticked(kIncludeNotFound));
  tick(form.chkCaseSensitive, ticked(kCaseSensitive));
  form.chkIndexCaps.SetEnabled(form.chkCaseSensitive.Value() == ui::vbChecked);

  form.txtCols.SetText(fncReadIni(kSection, kIndexCols));
  const IndexSeparator separator = DecodeIndexSep(fncReadIni(kSection, kIndexSep));
  form.txtSep.SetText(separator.text);
  tick(form.chkTabSep, separator.tab);
  state::blnLoadingOptions = false;
  return true;
}

int fncGatherFlaggedTerms(host::Document& doc, dialogs::frmVLX_COM& form) {
  try {
    host::Application& app = discovery::RunApplication();
    discovery::ResetRunNotices();
    state::blnLoadingOptions = true;
    form.optSearchType(0).SetValue(true);
    form.optIndexWhat(0).SetEnabled(true);
    form.optIndexWhat(1).SetEnabled(true);
    state::blnLoadingOptions = false;
    dialogs::FillQuoteLists(form);
    tick(form.chkBold, ticked(kBold));
    auto [open, close] = selectStoredQuotes(form);

    // The check counts curly quotes, so every quote is made curly for it and then given back
    // the form the user's option types.
    doc.UndoClear();
    app.Options().AutoFormatAsYouTypeReplaceQuotes = true;
    discovery::RunProgress().ShowProgress(ui::vbModeless);
    discovery::RunProgress().UpdateProgress("Please wait", "Checking quotation marks", "", 0, 0, "Please wait");
    discovery::RunEngine().SmartQuoteToggle(doc);
    doc.UndoClear();
    const bool mismatched = discovery::fncCheckQuotePairs(app, doc, open, close);
    app.Options().AutoFormatAsYouTypeReplaceQuotes = state::blnSavedReplaceQuotes;
    doc.UndoClear();
    discovery::RunEngine().SmartQuoteToggle(doc);
    discovery::RunProgress().CloseProgress();
    if (mismatched) return kStageStop;

    std::tie(open, close) = selectStoredQuotes(form);
    const bool bold = ticked(kBold);
    tick(form.chkBold, bold);
    discovery::fncFindQuotedTerms(state::arrFoundTerms, doc, form, bold, open, close, true);
    discovery::WarnTabsAndReturns(state::arrFoundTerms);
    listFoundTerms(form);
    return kStageGoOn;
  } catch (const std::exception& error) {
    // The user's quote option and a progress window left open are not left behind.
    if (state::pubWdApp) state::pubWdApp->Options().AutoFormatAsYouTypeReplaceQuotes = state::blnSavedReplaceQuotes;
    if (progress::pubProgForm) progress::pubProgForm->CloseProgress();
    util::ShowErrMsg("", error);
    return kStageFailed;
  }
}

int fncGatherInitCapsTerms(host::Document& doc, dialogs::frmVLX_COM& form, const std::string& searchType) {
  try {
    host::Application& app = discovery::RunApplication();
    discovery::ResetRunNotices();
    state::blnLoadingOptions = false;
    state::blnInitCapsGathering = true;
    state::arrFoundTerms = {""};
    state::blnLoadingOptions = true;
    form.optSearchType(1).SetValue(true);
    form.optIndexWhat(0).SetEnabled(false);
    form.optIndexWhat(1).SetEnabled(false);
    state::blnLoadingOptions = false;
    tick(form.chkCaseSensitive, true);
    tick(form.chkHighlight, true);
    tick(form.chkBold, true);
    form.tbcTabs.SetSelectedIndex(0);
    dialogs::FillQuoteLists(form);
    state::blnLoadingOptions = true;
    const bool bold = ticked(kBold);
    tick(form.chkBold, bold);
    const std::string indexWhat = fncReadIni(kSection, kIndexWhat);

    const int saved = discovery::fncSaveBeforeSearch(doc, form, true, searchType);
    doc.UndoClear();
    if (saved == kStageFailed || saved == kStageStop) {
      state::blnInitCapsGathering = false;
      return saved;
    }
    discovery::RunEngine().StripIndexEntries(app, doc, false);
    bool removeBookmark = false;
    discovery::RunEngine().RemoveIndex(app, doc, removeBookmark);
    discovery::RunEngine().RestoreTextColor(doc);
    doc.UndoClear();

    if (searchType == "SearchInitCaps") {
      if (!discovery::fncBuildCappedTermsArray(doc, state::arrFoundTerms, form, bold, true)) {
        state::blnInitCapsGathering = false;
        return kStageFailed;
      }
    } else {
      discovery::RefreshQuotedTermsList(app, doc, form, indexWhat);
    }
    listFoundTerms(form);
    state::blnInitCapsGathering = false;
    return kStageGoOn;
  } catch (const std::exception& error) {
    state::blnInitCapsGathering = false;
    util::ShowErrMsg("", error);
    return kStageFailed;
  }
}

}  // namespace addin
