#pragma once
// Option controls filled as the settings loader fills them, for tests and the screenshots.
// Header-only, so that it stays out of the libraries.

#include "dialogs/option_controls.h"
#include "dialogs/quote_lists.h"
#include "state/run_state.h"

namespace dialogs::testing {

/// Shows the first-run defaults on the form, set as code sets them (no reactions).
inline void ShowDefaultOptions(OptionControls& form) {
  state::blnLoadingOptions = true;
  FillQuoteLists(form);
  form.optSearchType(0).SetValue(true);
  form.optIndexWhat(0).SetValue(true);
  for (ui::CheckBox* box : {&form.chkCaseSensitive, &form.chkIndexCaps, &form.chkHighlight, &form.chkIgnoreNums,
                            &form.chkIncludeNotUsed, &form.chkIncludeNotFound, &form.chkTabSep})
    box->SetValue(ui::vbChecked);
  form.txtCols.SetText("2");
  form.txtSep.SetText(":  ");
  state::blnLoadingOptions = false;
}

}  // namespace dialogs::testing
