#pragma once
// Places in a document as a user finds them again: the story by name and the paragraph by its
// number in that story, with a short piece of the text around a position.

#include <string>

#include "host/model/document.h"
#include "host/text/text.h"

namespace app {

/// A place in a document's text.
struct TextPlace {
  int storyType = 0;
  long position = 0;
};

/// The number of the paragraph holding pos in its story, counting from 1: every paragraph,
/// in table cells too (the end-of-row marks of tables are no paragraphs).
long paragraphNumber(const host::Story& story, long pos);

/// True when text is one double quote, in any of its forms (straight, curly, low, angle).
bool isDoubleQuote(const host::Text& text);

/// A story's name in messages: "main text", "footnotes", "endnotes" ...
std::string storyName(int storyType);

/// Up to width characters of the paragraph on each side of the character at pos, on one
/// line, with "..." where the paragraph goes on.
std::string snippetAround(host::Document& doc, host::Story& story, long pos, long width = 30);

}  // namespace app
