#include "host/model/indexes.h"

#include "host/model/document.h"
#include "host/text/edit.h"

namespace host {

std::string escapeIndexEntry(const std::string& entry) {
  std::string out;
  out.reserve(entry.size() + 4);
  for (char c : entry) {
    if (c == '\\' || c == '"' || c == ':') out += '\\';
    out += c;
  }
  return out;
}

std::string unescapeIndexEntry(const std::string& escaped) {
  std::string out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\' && i + 1 < escaped.size()) ++i;
    out += escaped[i];
  }
  return out;
}

Field Indexes::MarkEntry(const Range& range, const std::string& entry, const std::string& switches) {
  Story& story = range.GetStory();
  long pos = edit::insertionPosition(story, range.End());
  edit::insert(*doc_, story, pos,
               {edit::Piece::mark(edit::Piece::FieldBegin, true),
                edit::Piece::codeText(toText(" XE \"" + escapeIndexEntry(entry) + "\" " + switches), true),
                edit::Piece::mark(edit::Piece::FieldEnd, true)},
               edit::Runs::Shared);
  return fieldsIn(doc_, story, pos, pos + 1).front();
}

}  // namespace host
