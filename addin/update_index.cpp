#include "addin/update_index.h"

#include <string>

#include "host/model/fields.h"
#include "ui/message_box.h"
#include "util/messages.h"

namespace addin {

namespace {

// The question, one thought a paragraph.
constexpr const char* kUpdateOnlyPrompt =
    "Click Yes if you want to update your existing defined "
    "terms index without adding additional terms to it."
    "\n\n"
    "If you want to add terms to your defined terms index "
    "click No and re-index the document."
    "\n\n"
    "If you're unsure about whether your list of terms to be indexed "
    "has changed, it might be better to re-index the document."
    "\n\n"
    "Note:  Defined But Not Used and Not Found lists will not be updated.  "
    "Please re-index to update them.";

// True for the code of this program's index field. The keyword is what makes a field an
// index: an index entry whose text holds "INDEX" (a RETAIL PRICE INDEX) is not one.
bool definedTermsIndex(const std::string& code) {
  const std::size_t keyword = code.find_first_not_of(' ');
  if (keyword == std::string::npos || code.compare(keyword, 5, "INDEX") != 0) return false;
  const std::size_t after = keyword + 5;
  if (after < code.size() && code[after] != ' ' && code[after] != '\\') return false;
  return code.find("VellandexIndex") != std::string::npos;
}

}  // namespace

void UpdateIndex(host::Application& wdApp, host::Document* wdDoc) {
  if (wdApp.Documents().Count() < 1 || !wdDoc) return;
  if (ui::MsgBox(kUpdateOnlyPrompt, ui::vbYesNo + ui::vbQuestion, "Update only?") != ui::vbYes) return;
  long updated = 0;
  for (host::Field field : wdDoc->Fields()) {
    if (!definedTermsIndex(field.Code().Text())) continue;
    field.Update();
    ++updated;
  }
  if (updated > 0) ui::MsgBox("Defined terms index updated.", ui::vbOKOnly, "Done");
  else
    util::ShowWarningMsg("No defined terms index found.  Please re-run Vellandex to create one.",
                         "No defined terms index found");
}

}  // namespace addin
