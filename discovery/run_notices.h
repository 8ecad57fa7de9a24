#pragma once
// Notices the user gets at most once in a find-and-index run, however often the list of terms
// is refreshed: terms holding tabs or returns, and a read-only document.

#include <string>
#include <vector>

namespace discovery {

/// Forgets which notices were given: a new run starts (the gathering stage calls it).
void ResetRunNotices();

/// The tabs-and-returns warning: shown ("Tabs/returns found in terms") when a term holds a
/// carriage return, a manual line break, a line feed, a tab or a backspace, and not again in
/// the same run. True when it was shown now.
bool WarnTabsAndReturns(const std::vector<std::string>& terms);

/// True the first time in a run it is asked for a notice of this name, false after.
bool FirstNoticeOfRun(const std::string& name);

}  // namespace discovery
