#include "app/index_place.h"

#include <iostream>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "host/model/find.h"
#include "host/text/story.h"

namespace app {
namespace {

constexpr const char* kIndexBookmark = "VellandexIndex";

// The end of the main text: the index starts a paragraph of its own there.
void placeAtEnd(host::Document& doc) {
  const long end = doc.Content().End() - 1;
  doc.Select(doc.Range(end, end));
}

// The start of the paragraph after the one that holds the text, so that the index leaves that
// paragraph whole (split, its mark and its list number would go on after the index); the end
// of its text where no paragraph outside a table follows it.
void placeAfter(host::Document& doc, const std::string& text) {
  host::Range found = doc.Content();
  host::Find find = found.Find();
  find.SetText(text);
  find.SetMatchCase(true);
  find.SetWrap(host::wdFindStop);
  if (text.empty() || !find.Execute())
    throw BatchFailure{kExitBadInput, "--at after:" + text + ": the text is not in the main text of the document"};
  found.Expand(host::wdParagraph);
  const host::Range next = doc.makeRange(found.GetStory(), found.End(), found.End());
  if (found.End() < found.GetStory().length() && next.TablesCount() == 0) return doc.Select(next);
  const long end = found.End() - 1;
  doc.Select(doc.makeRange(found.GetStory(), end, end));
}

void placeAtBookmark(host::Document& doc, const std::string& name) {
  if (!doc.Bookmarks().Exists(name))
    throw BatchFailure{kExitBadInput, "--at bookmark:" + name + ": the document has no bookmark of that name"};
  host::Range at = doc.Bookmarks().Item(name).Range();
  at.Collapse(host::wdCollapseStart);
  at.Select();
}

}  // namespace

std::optional<IndexPlace> parseIndexPlace(const std::string& value) {
  if (value == "start") return IndexPlace{IndexPlace::Start, ""};
  if (value == "end") return IndexPlace{IndexPlace::End, ""};
  for (const auto& [prefix, kind] :
       {std::pair{"bookmark:", IndexPlace::Bookmark}, std::pair{"after:", IndexPlace::After}}) {
    const std::string p = prefix;
    if (value.starts_with(p) && value.size() > p.size()) return IndexPlace{kind, value.substr(p.size())};
  }
  return std::nullopt;
}

std::string checkIndexPlace(const std::string& value) {
  return parseIndexPlace(value) ? "" : "--at takes start, end, bookmark:NAME or after:TEXT, not \"" + value + "\"";
}

void placeCursor(host::Document& doc, const IndexPlace& place) {
  if (doc.Bookmarks().Exists(kIndexBookmark)) {
    if (place.kind != IndexPlace::Default)
      std::cerr << "vellandex: " << doc.Name() << " has an index already; it is rebuilt where it stands\n";
    return;
  }
  switch (place.kind) {
    case IndexPlace::Start: doc.Select(doc.Range(0, 0)); break;
    case IndexPlace::Bookmark: placeAtBookmark(doc, place.text); break;
    case IndexPlace::After: placeAfter(doc, place.text); break;
    case IndexPlace::Default:
    case IndexPlace::End: placeAtEnd(doc); break;
  }
}

}  // namespace app
