#include "discovery/quoted_list_refresh.h"

#include "dialogs/quote_lists.h"
#include "discovery/quoted_terms.h"
#include "discovery/run_notices.h"
#include "state/run_state.h"

namespace discovery {

void RefreshQuotedTermsList(host::Application& app, host::Document& doc, dialogs::frmVLX_COM& form,
                            const std::string& indexWhat) {
  const bool bold = form.chkBold.Value() == ui::vbChecked;
  const int openCode = dialogs::SelectedQuoteCode(form.cmbOpenQuote, 147);
  const int closeCode = dialogs::SelectedQuoteCode(form.cmbCloseQuote, 148);
  std::vector<std::string> terms{""};
  for (host::Range story : doc.StoryRanges())
    if (story.StoryType() < 4)
      terms = fncSearchStoryForQuotedTerms(terms, app, doc, story, form, bold, openCode, closeCode, false, indexWhat);
  state::arrFoundTerms = terms;
  ShowFoundTermsArea(form, TermsFound(terms));
  WarnTabsAndReturns(terms);
}

}  // namespace discovery
