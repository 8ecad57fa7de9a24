#include "app/index_report.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "app/index_entries.h"
#include "app/output_target.h"
#include "host/layout/index_field.h"
#include "host/layout/pagination.h"
#include "host/platform/error.h"
#include "host/platform/files.h"

namespace app {
namespace {

struct TermEntries {
  long count = 0;
  std::map<int, std::string> pages;  // physical page -> its label
};

// The terms of a list block: its paragraphs after the heading, "None" meaning none; null
// when the document has no such block.
nlohmann::ordered_json listBlock(host::Document& doc, const char* bookmark, const std::string& heading) {
  if (!doc.Bookmarks().Exists(bookmark)) return nullptr;
  const std::string text = doc.Bookmarks().Item(bookmark).Range().Text();
  std::vector<std::string> terms;
  std::size_t from = 0;
  bool afterHeading = false;
  while (from <= text.size()) {
    std::size_t end = std::min(text.find('\r', from), text.size());
    std::string line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.front() == '\n') line.erase(0, 1);
    if (afterHeading && !line.empty()) terms.push_back(line);
    if (line.starts_with(heading)) afterHeading = true;
    from = end + 1;
  }
  if (terms.size() == 1 && terms[0] == "None") terms.clear();
  return terms;
}

}  // namespace

nlohmann::ordered_json indexReport(host::Document& doc, const std::string& input, const std::string& output,
                                   double seconds) {
  std::map<std::string, TermEntries> entries;
  const std::vector<host::FoundEntry> found = host::collectIndexEntries(doc);
  for (const IndexEntry& entry : programEntries(found)) {
    TermEntries& e = entries[entry.text];
    ++e.count;
    const host::PageNumber page = doc.pagination().pageOf(*entry.found->story, entry.found->position);
    e.pages.emplace(page.physical, page.label);
  }
  nlohmann::ordered_json terms = nlohmann::ordered_json::array();
  for (const auto& [term, e] : entries) {
    nlohmann::ordered_json pages = nlohmann::ordered_json::array();
    for (const auto& [physical, label] : e.pages) pages.push_back(label);
    terms.push_back({{"term", term}, {"count", e.count}, {"pages", pages}});
  }
  return {{"input", input},
          {"output", output},
          {"terms", terms},
          {"notUsed", listBlock(doc, "VellandexIndexNotUsedList", "DEFINED BUT NOT USED")},
          {"notFound", listBlock(doc, "VellandexIndexNotFoundList", "NOT FOUND")},
          {"seconds", std::round(seconds * 1000) / 1000}};
}

void writeReport(const std::string& path, const nlohmann::ordered_json& report) {
  try {
    host::WriteFileAtomically(path, report.dump(2) + "\n");
  } catch (const host::Error& e) {
    throw BatchFailure{kExitBadInput, e.description()};
  }
}

void checkReportPath(const std::string& path) { checkCanSave(path); }

}  // namespace app
