#include "app/index_entries.h"

#include "host/parse/field_code.h"

namespace app {

std::vector<IndexEntry> programEntries(const std::vector<host::FoundEntry>& entries) {
  constexpr const char* kIndexId = "VellandexIndex";
  std::vector<IndexEntry> out;
  for (const host::FoundEntry& found : entries) {
    if (!found.code.identifier || !host::sameIndexIdentifier(*found.code.identifier, kIndexId)) continue;
    std::string text;
    for (const std::string& level : found.code.levels) text += (text.empty() ? "" : ":") + level;
    out.push_back({std::move(text), &found});
  }
  return out;
}

}  // namespace app
