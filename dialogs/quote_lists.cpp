#include "dialogs/quote_lists.h"

#include "settings/keys.h"

namespace dialogs {

void FillQuoteList(ui::ComboBox& list) {
  list.Clear();
  for (int code : settings::kQuoteCodes) {
    list.AddItem(settings::QuoteCharacter(code));
    list.SetItemData(list.NewIndex(), code);
  }
}

void FillQuoteLists(ui::ComboBox& openList, ui::ComboBox& closeList) {
  FillQuoteList(openList);
  openList.SetListIndex(0);
  FillQuoteList(closeList);
  closeList.SetListIndex(1);
}

void FillQuoteLists(OptionControls& form) { FillQuoteLists(form.cmbOpenQuote, form.cmbCloseQuote); }

namespace {

void selectCode(ui::ComboBox& list, int code) {
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.ItemData(i) == code) {
      list.SetListIndex(i);
      return;
    }
  }
}

}  // namespace

void SelectQuoteCombination(ui::ComboBox& openList, ui::ComboBox& closeList, int openCode, int closeCode) {
  selectCode(openList, openCode);
  selectCode(closeList, closeCode);
}

void SelectQuoteCombination(OptionControls& form, int openCode, int closeCode) {
  SelectQuoteCombination(form.cmbOpenQuote, form.cmbCloseQuote, openCode, closeCode);
}

int SelectedQuoteCode(const ui::ComboBox& list, int fallback) {
  const int index = list.ListIndex();
  return index < 0 ? fallback : static_cast<int>(list.ItemData(index));
}

}  // namespace dialogs
