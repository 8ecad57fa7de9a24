#pragma once
// What the document window shows of a paragraph: the characters find sees (field codes or
// results and hidden text as the view says) in runs of one formatting, each run with the story
// position of its characters, and the paragraph's own formatting; and where a paragraph stands
// in the story's tables. Read one paragraph at a time, so that a window lays out only what is
// on screen.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/text/styles.h"
#include "host/text/text.h"

namespace host {

class Document;
class Story;

/// Shown characters of a paragraph with one formatting.
struct ShownRun {
  Text text;          // as Range.Text reads them: ch::kNoteRef, ch::kTab, ch::kLineBreak ... included
  long position = 0;  // story position of text[0]; each character after it is the next position
  RunFormat format;
  bool code = false;     // part of a field code that the view shows
  bool deleted = false;  // text a tracked change removed
  std::string noteMark;  // a note reference mark ("1", or "i" for endnotes): what it shows
};

/// A paragraph as the window shows it.
struct ShownParagraph {
  std::vector<ShownRun> runs;  // the paragraph mark (or cell end mark) left out
  long markPosition = 0;       // the position of the paragraph mark, where the text ends
  ParagraphFormatValues format;
};

/// Where a block stands in its story's tables: the outermost row and cell holding it.
struct TablePlace {
  pugi::xml_node row;  // the outermost w:tr; empty outside tables
  int cell = -1;       // the outermost cell's index in that row; -1 for that row's own end mark
};

/// Reads paragraphs as the document window shows them.
class ShownParagraphs {
 public:
  /// Reads the paragraphs of doc's stories.
  explicit ShownParagraphs(Document& doc) : doc_(doc) {}
  /// Block `block` of story (an end-of-row mark reads as no runs).
  ShownParagraph read(Story& story, std::size_t block);

 private:
  std::string noteMark(pugi::xml_node reference, const Story& story);
  void numberNotes();

  Document& doc_;
  std::uint64_t numberedAt_ = ~std::uint64_t{0};
  std::map<std::string, int> footnotes_, endnotes_;  // note id -> number, in the order notes stand
};

/// Where a block of a story stands in its tables.
TablePlace tablePlace(const Story& story, std::size_t block);

/// The widths in points of a table row's cells, from each cell's own width in twips or else
/// the table's grid; 0 where neither gives one.
std::vector<double> cellWidths(const Story& story, pugi::xml_node row);

/// A note number as a note mark shows it: "1", "2" ... for footnotes, "i", "ii" ... for endnotes.
std::string noteNumberText(int number, bool endnote);

}  // namespace host
