#pragma once
// Where a field's marks stand in its story, found from the element the field begins with:
// the one walk over a field's extent, for the object model and the index writer alike.

#include <pugixml.hpp>

namespace host {

class Story;

/// Positions of one field's marks.
struct FieldSpan {
  long begin = -1;      // the begin mark
  long separator = -1;  // the separator mark, -1 when the field has none
  long end = -1;        // the end mark
};

/// The marks of the field that begins with `begin` (a w:fldChar or a w:fldSimple); a field
/// without an end mark reaches to the end of its story. host::kErrNoSuchMember when the element is
/// no longer in the story.
FieldSpan fieldSpan(const Story& story, pugi::xml_node begin);

}  // namespace host
