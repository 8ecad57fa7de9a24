#include "host/model/indexes.h"

#include "host/model/document.h"
#include "host/parse/field_code.h"
#include "host/text/edit.h"

namespace host {

Field Indexes::MarkEntry(const Range& range, const std::string& entry, const std::string& switches) {
  Story& story = range.GetStory();
  long pos = edit::insertionPosition(story, range.End());
  edit::insert(*doc_, story, pos,
               {edit::Piece::mark(edit::Piece::FieldBegin, true),
                edit::Piece::codeText(toText(" XE \"" + escapeIndexEntry(entry) + "\" " + switches), true),
                edit::Piece::mark(edit::Piece::FieldEnd, true)},
               edit::Runs::Shared);
  return fieldsIn(&*doc_, story, pos, pos + 1).front();
}

}  // namespace host
