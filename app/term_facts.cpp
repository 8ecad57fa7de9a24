#include "app/term_facts.h"

#include "host/find.h"
#include "host/index_field.h"
#include "host/text.h"

namespace app {
namespace {

constexpr const char* kIndexId = "VellandexIndex";

bool isDoubleQuote(char16_t c) {
  return c == u'"' || c == u'\u201C' || c == u'\u201D' || c == u'\u201E' || c == u'\u00AB' || c == u'\u00BB';
}

// Whether the character at pos of a story is a double quote.
bool quoteAt(host::Document& doc, host::Story& story, long pos) {
  if (pos < 0 || pos >= story.length()) return false;
  const host::Text c = doc.makeRange(story, pos, pos + 1).Characters16();
  return c.size() == 1 && isDoubleQuote(c[0]);
}

std::string caseKey(const std::string& text, bool matchCase) {
  return matchCase ? text : host::toUtf8(host::upperSameLength(host::toText(text)));
}

}  // namespace

std::optional<TextPlace> definitionOf(host::Document& doc, const std::string& term, bool quoted) {
  if (term.empty()) return std::nullopt;
  for (host::Range story : doc.StoryRanges()) {
    if (story.StoryType() > host::wdEndnotesStory || story.StoryLength() < 2) continue;
    host::Find find = story.Find();
    find.SetText(term);
    find.SetMatchCase(true);
    find.SetWrap(host::wdFindStop);
    long previous = -1;
    while (find.Execute() && story.Start() > previous) {
      previous = story.Start();
      host::Story& s = story.GetStory();
      if (!quoted || (quoteAt(doc, s, story.Start() - 1) && quoteAt(doc, s, story.End())))
        return TextPlace{s.type(), story.Start()};
    }
  }
  return std::nullopt;
}

std::vector<long> entryCounts(host::Document& doc, const std::vector<std::string>& terms, bool matchCase) {
  std::map<std::string, long> byEntry;
  for (const host::FoundEntry& found : host::collectIndexEntries(doc)) {
    if (!found.code.identifier || !host::sameIndexIdentifier(*found.code.identifier, kIndexId)) continue;
    std::string entry;
    for (const std::string& level : found.code.levels) entry += (entry.empty() ? "" : ":") + level;
    ++byEntry[caseKey(entry, matchCase)];
  }
  std::vector<long> counts;
  for (const std::string& term : terms) {
    auto it = byEntry.find(caseKey(term, matchCase));
    counts.push_back(it == byEntry.end() ? 0 : it->second);
  }
  return counts;
}

}  // namespace app
