#include "host/model/shown_paragraph.h"

#include <algorithm>
#include <cstring>

#include "host/model/document.h"
#include "host/parse/numerals.h"
#include "host/text/charmap.h"
#include "host/text/find_view.h"
#include "host/text/story.h"
#include "host/wml/cell_width.h"

namespace host {

namespace {

bool isNoteElement(const Wml& w, pugi::xml_node node) { return w.is(node, "footnote") || w.is(node, "endnote"); }

// The cells of a row: its w:tc children, and those a content control or custom XML wraps.
std::vector<pugi::xml_node> rowCells(const Wml& w, pugi::xml_node row) {
  std::vector<pugi::xml_node> cells;
  for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
    if (w.is(c, "tc")) {
      cells.push_back(c);
    } else if (w.is(c, "sdt") || w.is(c, "customXml")) {
      pugi::xml_node content = w.is(c, "sdt") ? w.child(c, "sdtContent") : c;
      for (pugi::xml_node inner : rowCells(w, content)) cells.push_back(inner);
    }
  }
  return cells;
}

double twipsToPoints(pugi::xml_attribute a) { return a.as_double() / 20.0; }

}  // namespace

std::string noteNumberText(int number, bool endnote) {
  return endnote ? romanNumeral(number, false) : std::to_string(number);
}

void ShownParagraphs::numberNotes() {
  if (numberedAt_ == doc_.editStamp()) return;
  auto number = [](const Story* story, std::map<std::string, int>& out) {
    out.clear();
    if (!story) return;
    int n = 0;
    for (pugi::xml_node note : story->roots()) out[story->wml().value(note, "id")] = ++n;
  };
  number(doc_.story(wdFootnotesStory), footnotes_);
  number(doc_.story(wdEndnotesStory), endnotes_);
  numberedAt_ = doc_.editStamp();
}

std::string ShownParagraphs::noteMark(pugi::xml_node reference, const Story& story) {
  const Wml& w = story.wml();
  const char* local = w.local(reference);
  if (!local) return "";
  const bool endnote = std::strncmp(local, "endnote", 7) == 0;
  std::string id = w.value(reference, "id");
  if (id.empty()) {  // the mark inside a note: the number of the note it stands in
    pugi::xml_node note = reference.parent();
    while (note && !isNoteElement(w, note)) note = note.parent();
    id = w.value(note, "id");
  }
  numberNotes();
  const auto& numbers = endnote ? endnotes_ : footnotes_;
  auto it = numbers.find(id);
  return it == numbers.end() ? "*" : noteNumberText(it->second, endnote);
}

ShownParagraph ShownParagraphs::read(Story& story, std::size_t block) {
  ShownParagraph out;
  const Block& b = story.blocks()[block];
  const CharMap& map = story.map(block);
  const long base = story.blockStart(block);
  out.markPosition = base + static_cast<long>(map.length()) - 1;
  if (b.rowEnd) return out;
  out.format = story.styles().paragraphFormat(story.wml().child(b.node, "pPr"));
  StoryView& view = story.view();
  view.refresh(story, doc_.viewSettings());
  for (const StoryView::Stretch& stretch : view.stretches(block)) {
    const std::uint32_t to = stretch.offset + stretch.length;
    for (std::size_t i = map.segmentAt(stretch.offset); i < map.segments.size(); ++i) {
      const Segment& s = map.segments[i];
      if (s.start >= to) break;
      if (s.kind == Seg::ParagraphMark || s.kind == Seg::RowEnd) continue;
      const std::uint32_t from = std::max(stretch.offset, s.start);
      const std::uint32_t end = std::min(to, s.start + s.length);
      ShownRun run{map.text.substr(from, end - from),
                   base + static_cast<long>(from),
                   segmentFormat(s, map, story.wml(), story.styles()),
                   s.inCode,
                   s.deleted,
                   ""};
      if (s.kind == Seg::Char && run.text.size() == 1 && run.text[0] == ch::kNoteRef)
        run.noteMark = noteMark(s.node, story);
      ShownRun* last = out.runs.empty() ? nullptr : &out.runs.back();
      if (last && last->noteMark.empty() && run.noteMark.empty() && last->format == run.format &&
          last->code == run.code && last->deleted == run.deleted &&
          last->position + static_cast<long>(last->text.size()) == run.position)
        last->text += run.text;
      else out.runs.push_back(std::move(run));
    }
  }
  return out;
}

TablePlace tablePlace(const Story& story, std::size_t block) {
  const Wml& w = story.wml();
  const Block& b = story.blocks()[block];
  TablePlace place;
  pugi::xml_node cell;
  if (b.rowEnd) place.row = b.node;
  // The last row and cell met on the way up are the outermost.
  for (pugi::xml_node n = b.node.parent(); n; n = n.parent()) {
    if (w.is(n, "tc")) {
      cell = n;
    } else if (w.is(n, "tr")) {
      place.row = n;
      place.cell = -2;  // found from a cell: its index is counted below
    } else if (w.is(n, "body") || isNoteElement(w, n)) {
      break;
    }
  }
  if (place.cell == -2) {
    std::vector<pugi::xml_node> cells = rowCells(w, place.row);
    place.cell = static_cast<int>(std::find(cells.begin(), cells.end(), cell) - cells.begin());
  }
  return place;
}

std::vector<double> cellWidths(const Story& story, pugi::xml_node row) {
  const Wml& w = story.wml();
  pugi::xml_node table = row.parent();
  while (table && !w.is(table, "tbl")) table = table.parent();
  std::vector<double> grid;
  for (pugi::xml_node col = w.child(w.child(table, "tblGrid"), "gridCol"); col; col = col.next_sibling())
    if (w.is(col, "gridCol")) grid.push_back(twipsToPoints(w.attr(col, "w")));
  std::size_t column = static_cast<std::size_t>(
      std::max(0, w.attr(w.child(w.child(row, "trPr"), "gridBefore"), "val").as_int()));
  std::vector<double> widths;
  for (pugi::xml_node cell : rowCells(w, row)) {
    pugi::xml_node tcPr = w.child(cell, "tcPr");
    const int span = std::max(1, w.attr(w.child(tcPr, "gridSpan"), "val").as_int());
    double fromGrid = 0;
    for (std::size_t c = column; c < column + static_cast<std::size_t>(span) && c < grid.size(); ++c)
      fromGrid += grid[c];
    column += static_cast<std::size_t>(span);
    const CellWidth own = cellWidthOf(w, cell);
    widths.push_back(own.unit == CellWidth::Unit::Twips ? own.value / 20.0 : fromGrid);
  }
  return widths;
}

}  // namespace host
