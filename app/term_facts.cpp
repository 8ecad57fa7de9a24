#include "app/term_facts.h"

#include "app/index_entries.h"
#include "host/layout/index_field.h"
#include "host/model/find.h"
#include "host/text/story.h"
#include "host/text/text.h"

namespace app {
namespace {

// Whether the character at pos of a story is a double quote.
bool quoteAt(host::Document& doc, host::Story& story, long pos) {
  if (pos < 0 || pos >= story.length()) return false;
  return isDoubleQuote(doc.makeRange(story, pos, pos + 1).Characters16());
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
  const std::vector<host::FoundEntry> found = host::collectIndexEntries(doc);
  for (const IndexEntry& entry : programEntries(found)) ++byEntry[caseKey(entry.text, matchCase)];
  std::vector<long> counts;
  for (const std::string& term : terms) {
    auto it = byEntry.find(caseKey(term, matchCase));
    counts.push_back(it == byEntry.end() ? 0 : it->second);
  }
  return counts;
}

}  // namespace app
