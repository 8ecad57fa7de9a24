#include "discovery/run_notices.h"

#include <algorithm>
#include <set>

#include "util/messages.h"

namespace discovery {

namespace {

std::set<std::string>& given() {
  static std::set<std::string> notices;
  return notices;
}

bool holdsControlCharacter(const std::string& term) {
  return std::any_of(term.begin(), term.end(),
                     [](char c) { return c == 13 || c == 11 || c == 10 || c == 9 || c == 8; });
}

}  // namespace

void ResetRunNotices() { given().clear(); }

bool FirstNoticeOfRun(const std::string& name) { return given().insert(name).second; }

bool WarnTabsAndReturns(const std::vector<std::string>& terms) {
  if (std::none_of(terms.begin(), terms.end(), holdsControlCharacter)) return false;
  if (!FirstNoticeOfRun("Tabs/returns found in terms")) return false;
  util::ShowWarningMsg(
      "Some of the terms found contain a tab, a paragraph mark or a line break.  This usually means that a pair of "
      "double quotes encloses more than a defined term, or that a defined term runs over the end of a line.  "
      "Those terms are listed as they were found: untick any you do not want to index, and check the double "
      "quotes around them in your document.",
      "Tabs/returns found in terms");
  return true;
}

}  // namespace discovery
