#pragma once
// The one mapping between a paragraph's XML and the characters the word processor counts:
// positions, text, find, pages and the index all read it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/text/styles.h"
#include "host/text/text.h"
#include "host/wml/wml.h"

namespace host {

/// What a segment of a paragraph's characters comes from.
enum class Seg : std::uint8_t {
  Text,             // w:t / w:delText
  CodeText,         // w:instrText / w:delInstrText
  Char,             // one element that is one character (tab, break, note reference, object ...)
  FieldBegin,       // w:fldChar begin
  FieldSeparator,   // w:fldChar separate
  FieldEnd,         // w:fldChar end
  SimpleBegin,      // w:fldSimple's begin mark
  SimpleCode,       // w:fldSimple's w:instr attribute
  SimpleSeparator,  // w:fldSimple's separator mark
  SimpleEnd,        // w:fldSimple's end mark
  ParagraphMark,    // the paragraph mark (or a table cell's end mark)
  RowEnd,           // the end-of-row mark after a table row's cells
};

/// A run of consecutive characters that come from one XML node.
struct Segment {
  Seg kind = Seg::Text;
  bool hidden = false;       // formatted hidden
  bool inCode = false;       // part of a field code
  bool codeAfter = false;    // a field code is still open after this segment
  bool deleted = false;      // w:delText / w:delInstrText: text a tracked change removed
  std::uint32_t start = 0;   // offset in the paragraph
  std::uint32_t length = 0;  // characters
  pugi::xml_node node;       // element the characters come from
  pugi::xml_node run;        // the enclosing w:r, empty for marks outside runs
};

/// A zero-width element inside a paragraph (bookmark ends, rendered page breaks ...).
struct Anchor {
  pugi::xml_node node;
  std::uint32_t offset;  // the position the element stands at, within the paragraph
};

/// The characters of one paragraph (or of one end-of-row mark).
struct CharMap {
  Text text;
  std::vector<Segment> segments;
  std::vector<Anchor> anchors;
  std::string styleId;  // the paragraph's style

  /// Index of the segment holding the character at offset (offset < text.size()).
  std::size_t segmentAt(std::uint32_t offset) const;
  /// Number of characters.
  std::uint32_t length() const { return static_cast<std::uint32_t>(text.size()); }

  /// Follows a split of a segment's run after its first k characters: the rest of the run,
  /// from there on, now lives in `right` (whose first content element holds the rest of a
  /// split text).
  void runSplit(std::size_t segment, std::uint32_t k, pugi::xml_node right, const Wml& w);
  /// Follows an insertion of whole runs at offset, whose own map is `inserted`; false (and
  /// nothing changed) when an element stands at that very offset, whose side of the new runs
  /// the map cannot tell.
  bool insertRuns(std::uint32_t offset, const CharMap& inserted);
};

/// Builds the map of a paragraph; cellEnd makes its mark a table cell's end mark.
CharMap buildParagraphMap(pugi::xml_node paragraph, bool cellEnd, const Wml& w, const StyleSheet& styles);
/// The same into an existing map, reusing its storage (paragraphs are re-read after every edit).
void buildParagraphMap(CharMap& map, pugi::xml_node paragraph, bool cellEnd, const Wml& w, const StyleSheet& styles);
/// The map of runs just inserted into a paragraph of the given style, read as if they began
/// it; none when they leave a field open (their flags would depend on what surrounds them).
std::optional<CharMap> buildRunsMap(const std::vector<pugi::xml_node>& runs, const std::string& styleId, const Wml& w,
                                    const StyleSheet& styles);
/// The map of an end-of-row mark.
CharMap buildRowEndMap(pugi::xml_node row);
/// Character formatting of a segment (the mark's formatting for a paragraph mark).
RunFormat segmentFormat(const Segment& s, const CharMap& map, const Wml& w, const StyleSheet& styles);

}  // namespace host
