#pragma once
// Edits of a story's XML: inserting text and fields, deleting, splitting runs for formatting.
// Each edit patches or re-reads only the paragraphs it touched, and reports each step through
// its sink (edit_sink.h), which keeps everything derived from the story in step.

#include <functional>
#include <vector>

#include <pugixml.hpp>

#include "host/text/edit_sink.h"
#include "host/text/text.h"

namespace host {

class Story;

namespace edit {

/// One piece of content to insert.
struct Piece {
  enum Kind { Text, FieldBegin, FieldSeparator, FieldEnd } kind = Text;
  host::Text text;      // for Text: may hold tabs, breaks and paragraph marks
  bool hidden = false;  // formatted hidden (index-entry fields are)
  bool code = false;    // Text that belongs to a field code

  /// Text to insert.
  static Piece plain(host::Text t, bool hidden = false) { return {Text, std::move(t), hidden, false}; }
  /// Text of a field code.
  static Piece codeText(host::Text t, bool hidden = false) { return {Text, std::move(t), hidden, true}; }
  /// A field mark.
  static Piece mark(Kind kind, bool hidden = false) { return {kind, {}, hidden, false}; }
};

/// Where insert puts what is inserted at pos: nothing can follow a story's last paragraph
/// mark, so text for the story's end goes before it.
long insertionPosition(const Story& story, long pos);
/// How inserted pieces are put into runs.
enum class Runs {
  EachPiece,  // a run for each piece, as the word processor writes them
  Shared,     // one run for the pieces of a paragraph, formatted as the first says: small
              // fields written tens of thousands of times (index entries) stay small
};
/// Inserts pieces at pos; returns the number of characters inserted. Text takes the
/// formatting of the character before pos (or of the paragraph mark in an empty paragraph).
long insert(EditSink& doc, Story& story, long pos, const std::vector<Piece>& pieces, Runs shape = Runs::EachPiece);
/// Deletes [start, end); table cell and row marks and the story's last mark stay.
void erase(EditSink& doc, Story& story, long start, long end);
/// Inserts a zero-width element (a copy of prototype) at pos; returns the new element.
pugi::xml_node insertMarker(EditSink& doc, Story& story, long pos, pugi::xml_node prototype);
/// Calls fn for the run properties of every run and paragraph mark in [start, end),
/// splitting runs at the ends first; fn gets (its w:rPr, created when absent; paragraph style id).
void forEachRun(EditSink& doc, Story& story, long start, long end,
                const std::function<void(pugi::xml_node rPr, const std::string& styleId)>& fn);
/// Replaces the text of [start, end) character by character (same length): fn gets each
/// stretch of one text element and its story position.
void mapText(EditSink& doc, Story& story, long start, long end,
             const std::function<host::Text(const host::Text& stretch, long at)>& fn);
/// Writes text over [start, end), each new character in the element of the one it replaces (a
/// run's text or deleted text), with its formatting; false, and nothing changed, unless text is
/// as long as the stretch and every character on both sides is plain text outside field codes.
bool overwrite(EditSink& doc, Story& story, long start, long end, const host::Text& text);

}  // namespace edit
}  // namespace host
