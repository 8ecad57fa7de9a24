#include "dialogs/frm_vlx_change_quotes.h"

#include <string>

#include "dialogs/quote_lists.h"
#include "dialogs/tag_buttons.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace dialogs {

frmVLXChangeQuotes::frmVLXChangeQuotes() : ui::Form("frmVLXChangeQuotes") {
  SetCaption(" Double quotes style");
  SetSize(360, 170);
  lblExplain.SetCaption("Choose the open and close double quotes your document uses for its defined terms.");
  lblExplain.Move(12, 12, 336, 36);
  lblOpenQuote.SetCaption("Open &quote:");
  lblOpenQuote.Move(12, 60, 120, 20);
  cmbOpenQuote.Move(140, 58, 80, 22);
  lblCloseQuote.SetCaption("Close quote&:");
  lblCloseQuote.Move(12, 92, 120, 20);
  cmbCloseQuote.Move(140, 90, 80, 22);
  cmdOK.Move(168, 132, 84, 26);
  cmdCancel.Move(264, 132, 84, 26);
  SetTagButtons(*this, cmdOK, cmdCancel, [this] {
    settings::fncWriteIni(settings::kSection, settings::kOpenQuote,
                          std::to_string(SelectedQuoteCode(cmbOpenQuote, 147)));
    settings::fncWriteIni(settings::kSection, settings::kCloseQuote,
                          std::to_string(SelectedQuoteCode(cmbCloseQuote, 148)));
  });
}

void frmVLXChangeQuotes::Form_Load() {
  FillQuoteLists(cmbOpenQuote, cmbCloseQuote);
  const int open = settings::QuoteCodeOf(settings::fncReadIni(settings::kSection, settings::kOpenQuote)).value_or(147);
  const int close =
      settings::QuoteCodeOf(settings::fncReadIni(settings::kSection, settings::kCloseQuote)).value_or(148);
  SelectQuoteCombination(cmbOpenQuote, cmbCloseQuote, open, close);
}

void frmVLXChangeQuotes::Form_QueryUnload(int&, int unloadMode) {
  if (unloadMode == ui::vbFormControlMenu) SetTag("Cancel");
}

}  // namespace dialogs
