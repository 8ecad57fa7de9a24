#include "app/index_place.h"

#include <iostream>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "host/find.h"

namespace app {
namespace {

constexpr const char* kIndexBookmark = "VellandexIndex";

// Puts the cursor in an empty paragraph made at pos, the place of a paragraph mark: the
// paragraph before keeps its text, the new one holds only the cursor.
void cursorInNewParagraph(host::Document& doc, host::Story& story, long pos) {
  doc.makeRange(story, pos, pos).InsertParagraphAfter();
  doc.Select(doc.makeRange(story, pos + 1, pos + 1));
}

void placeAtEnd(host::Document& doc) {
  const long end = doc.Content().End() - 1;
  // A last paragraph that is empty already takes the index as it is.
  if (end > 0 && doc.Range(end - 1, end).Text() != "\r") {
    cursorInNewParagraph(doc, doc.mainStory(), end);
    return;
  }
  doc.Select(doc.Range(end, end));
}

void placeAfter(host::Document& doc, const std::string& text) {
  host::Range found = doc.Content();
  host::Find find = found.Find();
  find.SetText(text);
  find.SetMatchCase(true);
  find.SetWrap(host::wdFindStop);
  if (text.empty() || !find.Execute())
    throw BatchFailure{kExitBadInput, "--at after:" + text + ": the text is not in the main text of the document"};
  found.Expand(host::wdParagraph);
  cursorInNewParagraph(doc, found.GetStory(), found.End() - 1);
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
  for (const auto& [prefix, kind] : {std::pair{"bookmark:", IndexPlace::Bookmark}, std::pair{"after:", IndexPlace::After}}) {
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
