#pragma once
// Where the index goes (--at): the cursor is placed there before the run starts, as a user
// puts it there before choosing "Find and index". A document that has an index already has
// it rebuilt where it stands, whatever the cursor.

#include <optional>
#include <string>

#include "host/model/document.h"

namespace app {

/// A place for the index, as --at names it.
struct IndexPlace {
  enum Kind { Default, Start, End, Bookmark, After };
  Kind kind = Default;
  std::string text;  // the bookmark's name, or the text to follow
};

/// The place that a value of --at names: "start", "end", "bookmark:NAME" or "after:TEXT";
/// none when the value names no place.
std::optional<IndexPlace> parseIndexPlace(const std::string& value);

/// Checks an --at value for the command-line parser: "" when it names a place, else why not.
std::string checkIndexPlace(const std::string& value);

/// Places the cursor where the index goes: for Default where an existing index stands, else
/// at the end of the main text. At the end, and after a paragraph, the index gets an empty
/// paragraph of its own. BatchFailure (bad input) when the bookmark or the text is not there.
void placeCursor(host::Document& doc, const IndexPlace& place);

}  // namespace app
