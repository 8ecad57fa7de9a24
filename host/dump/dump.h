#pragma once
// A plain-text view of what the model sees in a document, for users checking that their
// file is read correctly and for tests.

#include <string>

namespace host {

class Document;
class Story;

/// Name of a story type ("main text", "footnotes" ...).
std::string storyTypeName(int type);
/// Each story's type, length and text, one line per paragraph; field codes shown as
/// {code} before their results, tabs as "\t", other marks as bracketed names.
std::string dumpDocument(Document& doc);

}  // namespace host
