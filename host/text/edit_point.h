#pragma once
// Where an edit lands in a paragraph's XML: the paragraph and offset of a position, the
// point where new runs go (splitting the run there), and the small element tests the edits
// share. Inside the text layer only: the edits (edit.h) are what other code calls.

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "host/text/charmap.h"
#include "host/text/text.h"

namespace host {

class Story;

namespace edit::detail {

/// A position as a paragraph and an offset in it.
struct Locus {
  std::size_t block;
  std::uint32_t offset;
};

/// Where new runs go: before `before` in `parent` (append when empty), formatted like `templateRPr`.
struct InsertPoint {
  pugi::xml_node parent, before, templateRPr;
  bool afterFieldMark = false;  // the template comes from a field mark's run
  bool code = false;            // the point lies inside a field code
};

/// The paragraph and offset of a story position; host::Error when it lies outside the story.
Locus locate(const Story& story, long pos);
/// True for a complex field's begin, separator or end mark.
inline bool isFieldMark(Seg kind) {
  return kind == Seg::FieldBegin || kind == Seg::FieldSeparator || kind == Seg::FieldEnd;
}
/// True for a properties element (w:rPr, w:pPr, w:sdtPr ...).
bool isPropertyElement(pugi::xml_node n);
/// Sets a text element's text, keeping its spaces.
void setElementText(pugi::xml_node t, const Text& text);
/// True when n or a sibling after it is an element.
bool hasElementAfter(pugi::xml_node n);
/// Copies every attribute of one element onto another.
void copyAttributes(pugi::xml_node from, pugi::xml_node to);
/// Where new runs go at offset o of paragraph b, splitting the run there (its map patched).
InsertPoint insertionPoint(Story& story, std::size_t b, std::uint32_t o);
/// Splits the run at pos so that a run boundary stands there (its map patched).
void splitAt(Story& story, long pos);

}  // namespace edit::detail
}  // namespace host
