#include "host/layout/pagination.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_map>

#include "host/layout/document_parts.h"
#include "host/layout/page_estimate.h"
#include "host/package/package.h"
#include "host/package/relationships.h"
#include "host/text/story.h"

namespace host {

namespace {

// How a section starts.
enum class Start { NextPage, Continuous, NextColumn, EvenPage, OddPage };

struct SectionInfo {
  PageGeometry geometry;
  Start start = Start::NextPage;
  int restartAt = -1;           // w:pgNumType w:start
  std::string format = "decimal";  // w:pgNumType w:fmt
  bool noEndnote = false;       // w:noEndnote: the section's endnotes go on to the next section
};

SectionInfo readSection(pugi::xml_node sectPr, const Wml& w) {
  SectionInfo s;
  s.geometry = readGeometry(sectPr, w);
  std::string type = w.value(w.child(sectPr, "type"), "val");
  if (type == "continuous") s.start = Start::Continuous;
  else if (type == "nextColumn") s.start = Start::NextColumn;
  else if (type == "evenPage") s.start = Start::EvenPage;
  else if (type == "oddPage") s.start = Start::OddPage;
  if (pugi::xml_node num = w.child(sectPr, "pgNumType")) {
    if (pugi::xml_attribute a = w.attr(num, "start")) s.restartAt = a.as_int();
    if (pugi::xml_attribute a = w.attr(num, "fmt")) s.format = a.value();
  }
  s.noEndnote = w.onOff(w.child(sectPr, "noEndnote")) == 1;
  return s;
}

std::string roman(int n, bool upper) {
  static const std::pair<int, const char*> kParts[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                                                        {90, "xc"},  {50, "l"},   {40, "xl"}, {10, "x"},   {9, "ix"},
                                                        {5, "v"},    {4, "iv"},   {1, "i"}};
  std::string out;
  for (auto [value, text] : kParts)
    for (; n >= value; n -= value) out += text;
  if (upper) std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
  return out;
}

std::string formatPageNumber(int n, const std::string& format) {
  if (n > 0 && n < 4000 && (format == "lowerRoman" || format == "upperRoman")) return roman(n, format[0] == 'u');
  if (n > 0 && (format == "lowerLetter" || format == "upperLetter")) {
    char c = static_cast<char>((format[0] == 'u' ? 'A' : 'a') + (n - 1) % 26);
    return std::string(static_cast<std::size_t>((n - 1) / 26 + 1), c);
  }
  return std::to_string(n);
}

// The theme's heading (major) and body (minor) Latin fonts, which runs name as +major and
// +minor; the word processor's own when the document has no theme.
std::pair<std::string, std::string> themeFonts(DocumentParts& doc) {
  std::pair<std::string, std::string> fonts{"Calibri Light", "Calibri"};
  Package& pkg = doc.package();
  std::string themePart = pkg.relatedPart(pkg.mainPartName(), kThemeRel);
  if (themePart.empty()) return fonts;
  // a:theme/a:themeElements/a:fontScheme/a:majorFont/a:latin@typeface, whatever the prefixes.
  for (const pugi::xpath_node& n : pkg.xml(themePart).select_nodes("//*[local-name()='fontScheme']/*")) {
    const char* which = localName(n.node().name());
    bool major = !std::strcmp(which, "majorFont");
    if (!major && std::strcmp(which, "minorFont") != 0) continue;
    for (pugi::xml_node c = n.node().first_child(); c; c = c.next_sibling())
      if (!std::strcmp(localName(c.name()), "latin")) (major ? fonts.first : fonts.second) = c.attribute("typeface").value();
  }
  return fonts;
}

// True when the document's settings place endnotes at the end of each section rather than
// at the end of the document.
bool endnotesAtSectionEnds(DocumentParts& doc) {
  Package& pkg = doc.package();
  std::string part = pkg.relatedPart(pkg.mainPartName(), kSettingsRel);
  if (part.empty()) return false;
  pugi::xml_document& settings = pkg.xml(part);
  Wml w = Wml::of(settings);
  return w.value(w.child(w.child(settings.document_element(), "endnotePr"), "pos"), "val") == "sectEnd";
}

// The id of the note (a child of the notes part's root) that a block of a notes story
// stands in; -1 outside any note.
int noteIdOf(const Story& notes, std::size_t block) {
  for (pugi::xml_node n = notes.blocks()[block].node; n.parent(); n = n.parent())
    if (n.parent().parent().type() == pugi::node_document) return std::atoi(notes.wml().value(n, "id").c_str());
  return -1;
}

double defaultTabStop(DocumentParts& doc) {
  Package& pkg = doc.package();
  std::string part = pkg.relatedPart(pkg.mainPartName(), kSettingsRel);
  if (part.empty()) return 36;
  pugi::xml_document& settings = pkg.xml(part);
  Wml w = Wml::of(settings);
  double twips = std::atof(w.value(w.child(settings.document_element(), "defaultTabStop"), "val").c_str());
  return twips > 0 ? twips / 20.0 : 36;
}

// The cell of a table a block stands in (its innermost w:tc), or an empty node.
pugi::xml_node cellOf(const Wml& w, pugi::xml_node block) {
  for (pugi::xml_node n = block.parent(); n; n = n.parent())
    if (w.is(n, "tc")) return n;
  return {};
}

// The outermost table row a block belongs to (a row-end block is its row), or an empty node.
pugi::xml_node outerRowOf(const Wml& w, const Block& b) {
  pugi::xml_node row;
  for (pugi::xml_node n = b.rowEnd ? b.node : b.node.parent(); n; n = n.parent())
    if (w.is(n, "tr")) row = n;
  return row;
}

// Text width of a table cell in points; avail is the width the table stands in.
double cellWidth(const Wml& w, pugi::xml_node tc, double avail) {
  constexpr double kCellMargins = 10.8;  // 108 twips left and right, the default cell margins
  pugi::xml_node tcW = w.child(w.child(tc, "tcPr"), "tcW");
  std::string type = w.value(tcW, "type");
  double width = std::atof(w.value(tcW, "w").c_str());
  if (type == "dxa" && width > 0) return std::max(width / 20.0 - kCellMargins, 18.0);
  if (type == "pct" && width > 0) {
    std::string v = w.value(tcW, "w");
    double fraction = v.ends_with('%') ? width / 100.0 : width / 5000.0;
    return std::max(avail * fraction - kCellMargins, 18.0);
  }
  int cells = 0;
  for (pugi::xml_node c = tc.parent().first_child(); c; c = c.next_sibling())
    if (w.is(c, "tc")) ++cells;
  return std::max(avail / std::max(cells, 1) - kCellMargins, 18.0);
}

// Running layout state of the page pass.
struct Cursor {
  int page = 1;
  int number = 1;       // the number the page shows
  int column = 0;
  double y = 0;         // height used in the current column
  double columnTop = 0; // where columns of the current section start on this page
  double notes = 0;     // room footnotes take at the bottom of this page
  bool content = false; // anything visible placed on this page
  bool naturalTop = false;  // the column began because the previous one was full
  int pendingRestart = -1;
};

}  // namespace

std::uint64_t visibleTextHash(const Story& story, std::size_t block) {
  std::uint64_t h = 1469598103934665603ull;
  const CharMap& m = story.map(block);
  for (const Segment& s : m.segments) {
    if (s.hidden || s.inCode || (s.kind != Seg::Text && s.kind != Seg::Char)) continue;
    for (std::uint32_t i = 0; i < s.length; ++i) {
      h ^= m.text[s.start + i];
      h *= 1099511628211ull;
    }
  }
  return h;
}

Pagination::Pagination(DocumentParts& doc) : doc_(doc) {
  const Story& main = doc.mainStory();
  const Wml& w = main.wml();
  bool marks = false;
  for (std::size_t b = 0; b < main.blocks().size() && !marks; ++b)
    for (const Anchor& a : main.map(b).anchors)
      if (w.is(a.node, "lastRenderedPageBreak")) marks = true;
  if (!marks) return;
  baseline_.reserve(main.blocks().size());
  for (std::size_t b = 0; b < main.blocks().size(); ++b)
    baseline_.emplace(main.blocks()[b].node.internal_object(), visibleTextHash(main, b));
}

void Pagination::refresh() {
  if (stamp_ == doc_.editStamp()) return;
  compute();
  stamp_ = doc_.editStamp();
}

void Pagination::keepShapesOutside(std::size_t first, std::size_t last) { keepOutside_ = {first, last}; }

int Pagination::pageCount() {
  refresh();
  return static_cast<int>(labels_.size());
}

PageNumber Pagination::page(int physical) const {
  physical = std::clamp(physical, 1, std::max(1, static_cast<int>(labels_.size())));
  return {physical, labels_.empty() ? "1" : labels_[static_cast<std::size_t>(physical - 1)]};
}

int Pagination::BlockPages::at(std::size_t block, long offset) const {
  int p = first[block];
  if (auto it = breaks.find(block); it != breaks.end())
    for (auto [o, pg] : it->second)
      if (static_cast<long>(o) <= offset) p = pg;
  return p;
}

void Pagination::BlockPages::reset(std::size_t n) {
  first.assign(n, 0);
  breaks.clear();
}

PageNumber Pagination::mainPage(long pos) const {
  const Story& main = doc_.mainStory();
  if (mainPages_.first.empty()) return page(1);
  pos = std::clamp(pos, 0L, main.length());
  std::size_t b = main.blockAt(pos);
  return page(mainPages_.at(b, pos - main.blockStart(b)));
}

PageNumber Pagination::pageOf(const Story& story, long pos) {
  refresh();
  if (story.type() == wdMainTextStory) return mainPage(pos);
  if (story.blocks().empty()) return page(1);
  pos = std::clamp(pos, 0L, story.length());
  const std::size_t block = story.blockAt(pos);
  if (story.type() == wdEndnotesStory) {
    if (block >= endnotePages_.first.size() || endnotePages_.first[block] == 0) return page(1);
    return page(endnotePages_.at(block, pos - story.blockStart(block)));
  }
  pugi::xml_node node = story.blocks()[block].node;
  if (story.type() == wdFootnotesStory) {
    auto it = footnoteRefs_.find(noteIdOf(story, block));
    return it == footnoteRefs_.end() ? page(1) : mainPage(it->second);
  }
  if (story.type() == wdTextFrameStory) {
    const Story& main = doc_.mainStory();
    for (pugi::xml_node n = node.parent(); n; n = n.parent()) {
      std::size_t b = main.blockOf(n);
      if (b != Story::npos) return mainPage(main.blockStart(b));
    }
  }
  return page(1);
}

namespace {

// Sections: a paragraph carrying w:sectPr ends its section; the body's ends the last.
// sectionOf gets the section of each block.
std::vector<SectionInfo> readSections(const Story& main, std::vector<std::size_t>& sectionOf) {
  const Wml& w = main.wml();
  const auto& blocks = main.blocks();
  const std::size_t n = blocks.size();
  std::vector<SectionInfo> sections;
  sectionOf.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    sectionOf[i] = sections.size();
    if (blocks[i].rowEnd) continue;
    if (pugi::xml_node s = w.child(w.child(blocks[i].node, "pPr"), "sectPr")) sections.push_back(readSection(s, w));
  }
  pugi::xml_node body = main.roots().front();
  sections.push_back(readSection(w.child(body, "sectPr"), w));
  return sections;
}

// Room each footnote takes at the bottom of its page, by note id.
std::map<int, double> footnoteHeights(const Story* notes, double width, const TextMeasure& measure) {
  std::map<int, double> noteHeight;
  if (!notes) return noteHeight;
  for (std::size_t b = 0; b < notes->blocks().size(); ++b) {
    ParagraphShape s = shapeParagraph(notes->map(b), notes->blocks()[b].node, notes->blocks()[b].rowEnd, notes->wml(),
                                      notes->styles(), measure, width);
    noteHeight[noteIdOf(*notes, b)] += s.spaceBefore + s.textHeight() + s.spaceAfter;
  }
  return noteHeight;
}

// The blocks of each note of a notes story, by note id.
std::map<int, std::vector<std::size_t>> blocksByNote(const Story* notes) {
  std::map<int, std::vector<std::size_t>> out;
  if (notes)
    for (std::size_t b = 0; b < notes->blocks().size(); ++b) out[noteIdOf(*notes, b)].push_back(b);
  return out;
}

// Where the last layout's page breaks can be believed: in stretches between hard page
// starts, up to the first paragraph whose text changed, and only where the text could
// fit on the pages the marks make (marks left stale by another program are not believed).
std::vector<bool> trustedBlocks(const Story& main, const std::vector<ParagraphShape>& shapes,
                                const std::vector<SectionInfo>& sections, const std::vector<std::size_t>& sectionOf,
                                const std::unordered_map<pugi::xml_node_struct*, std::uint64_t>& baseline) {
  const auto& blocks = main.blocks();
  const std::size_t n = blocks.size();
  std::vector<bool> trusted(n, false);
  if (baseline.empty()) return trusted;
  std::size_t regionStart = 0;
  auto closeRegion = [&](std::size_t end) {
    double height = 0;
    int marks = 0;
    std::size_t firstChanged = end;
    for (std::size_t i = regionStart; i < end; ++i) {
      const ParagraphShape& s = shapes[i];
      height += s.spaceBefore + s.textHeight() + s.spaceAfter;
      marks += static_cast<int>(s.renderedBreaks.size());
      auto it = baseline.find(blocks[i].node.internal_object());
      if (firstChanged == end && (it == baseline.end() || it->second != visibleTextHash(main, i))) firstChanged = i;
    }
    const PageGeometry& g = sections[sectionOf[regionStart]].geometry;
    double pages = height / (g.bodyHeight() * g.columns);
    bool plausible = pages <= (marks + 1) * 1.6 + 0.3;
    for (std::size_t i = regionStart; i < firstChanged && plausible; ++i) trusted[i] = true;
    regionStart = end;
  };
  for (std::size_t i = 1; i < n; ++i) {
    bool hard = shapes[i].pageBreakBefore ||
                (sectionOf[i] != sectionOf[i - 1] && sections[sectionOf[i]].start != Start::Continuous);
    for (const EstimatedLine& l : shapes[i - 1].lines) hard = hard || l.pageBefore;
    if (hard) closeRegion(i);
  }
  closeRegion(n);
  return trusted;
}

}  // namespace

void Pagination::compute() {
  const Story& main = doc_.mainStory();
  const Wml& w = main.wml();
  const StyleSheet& styles = main.styles();
  const auto& blocks = main.blocks();
  const std::size_t n = blocks.size();
  mainPages_.reset(n);
  labels_.clear();
  footnoteRefs_.clear();
  endnoteRefs_.clear();

  std::vector<std::size_t> sectionOf;
  const std::vector<SectionInfo> sections = readSections(main, sectionOf);

  auto [majorFont, minorFont] = themeFonts(doc_);
  TextMeasure measure(majorFont, minorFont);
  measure.tabStop = defaultTabStop(doc_);

  // Shapes of every block, at the width it is laid out in; those the caller vouched for are
  // taken over from the last computation.
  std::unordered_map<pugi::xml_node_struct*, std::size_t> kept;
  if (keepOutside_)
    for (std::size_t k = 0; k < shaped_.size(); ++k) kept.emplace(shaped_[k].first, k);
  std::vector<ParagraphShape> shapes(n);
  std::vector<std::pair<pugi::xml_node_struct*, double>> shaped(n);
  std::vector<pugi::xml_node> rowOf(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Block& b = blocks[i];
    const PageGeometry& g = sections[sectionOf[i]].geometry;
    double width = g.columnWidth();
    rowOf[i] = outerRowOf(w, b);
    if (rowOf[i] && !b.rowEnd) {
      pugi::xml_node tc = cellOf(w, b.node);
      width = cellWidth(w, tc, width);
    }
    shaped[i] = {b.node.internal_object(), width};
    auto old = kept.find(b.node.internal_object());
    if (old != kept.end() && (i < keepOutside_->first || i > keepOutside_->second) && shaped_[old->second].second == width)
      shapes[i] = std::move(shapes_[old->second]);
    else
      shapes[i] = shapeParagraph(main.map(i), b.node, b.rowEnd, w, styles, measure, width);
    for (const Segment& s : main.map(i).segments) {
      if (s.kind != Seg::Char || main.map(i).text[s.start] != ch::kNoteRef) continue;
      long pos = main.blockStart(i) + s.start;
      if (w.is(s.node, "footnoteReference")) footnoteRefs_.emplace(std::atoi(w.value(s.node, "id").c_str()), pos);
      if (w.is(s.node, "endnoteReference")) endnoteRefs_.emplace(std::atoi(w.value(s.node, "id").c_str()), pos);
    }
  }

  const std::map<int, double> noteHeight =
      footnoteHeights(doc_.story(wdFootnotesStory), sections.front().geometry.columnWidth(), measure);
  const double separator = measure.lineHeight(styles.styleFormat(styles.paragraphStyleId({}), ""));

  // Endnotes in the order of their references, each with its blocks.
  const Story* endnotes = doc_.story(wdEndnotesStory);
  endnotePages_.reset(endnotes ? endnotes->blocks().size() : 0);
  const std::map<int, std::vector<std::size_t>> endnoteBlocks = blocksByNote(endnotes);
  std::vector<std::pair<long, int>> endnoteOrder;  // (reference position, note id)
  for (auto [id, pos] : endnoteRefs_) endnoteOrder.emplace_back(pos, id);
  std::sort(endnoteOrder.begin(), endnoteOrder.end());
  const bool endnotesPerSection = endnotesAtSectionEnds(doc_);

  const std::vector<bool> trusted = trustedBlocks(main, shapes, sections, sectionOf, baseline_);

  // The page pass: the lambdas below move one cursor through pages and columns, and the
  // loop is their only caller; kept together so that the cursor is read in one place.
  Cursor c;
  const SectionInfo* section = &sections[sectionOf.empty() ? 0 : sectionOf[0]];
  if (section->restartAt >= 0) c.number = section->restartAt;
  labels_.push_back(formatPageNumber(c.number, section->format));
  auto newPage = [&](bool natural) {
    ++c.page;
    c.number = c.pendingRestart >= 0 ? c.pendingRestart : c.number + 1;
    c.pendingRestart = -1;
    c.column = 0;
    c.y = c.columnTop = c.notes = 0;
    c.content = false;
    c.naturalTop = natural;
    labels_.push_back(formatPageNumber(c.number, section->format));
  };
  auto newColumn = [&](bool natural) {
    if (c.column + 1 < section->geometry.columns) {
      ++c.column;
      c.y = c.columnTop;
      c.naturalTop = natural;
    } else {
      newPage(natural);
    }
  };
  auto recordPage = [&](BlockPages& pages, std::size_t block, std::uint32_t offset, bool first) {
    if (first) pages.first[block] = c.page;
    else if (c.page != pages.first[block]) pages.breaks[block].emplace_back(offset, c.page);
  };
  // Lays out the endnotes whose references stand before upTo and are not laid out yet, after
  // a separator line, in the columns of the current section.
  std::size_t nextEndnote = 0;
  auto placeEndnotes = [&](long upTo) {
    bool separated = false;
    for (; nextEndnote < endnoteOrder.size() && endnoteOrder[nextEndnote].first < upTo; ++nextEndnote) {
      auto note = endnoteBlocks.find(endnoteOrder[nextEndnote].second);
      if (note == endnoteBlocks.end()) continue;
      const double capacity = section->geometry.bodyHeight();
      if (!separated) {
        if (c.y > c.columnTop && c.y + separator + c.notes > capacity) newColumn(true);
        c.y += separator;
        separated = true;
      }
      for (std::size_t b : note->second) {
        ParagraphShape s = shapeParagraph(endnotes->map(b), endnotes->blocks()[b].node, endnotes->blocks()[b].rowEnd,
                                          endnotes->wml(), endnotes->styles(), measure, section->geometry.columnWidth());
        c.y += s.spaceBefore;
        for (std::size_t k = 0; k < s.lines.size(); ++k) {
          if (c.y > c.columnTop && c.y + s.lines[k].height + c.notes > capacity) newColumn(true);
          recordPage(endnotePages_, b, s.lines[k].start, k == 0);
          c.y += s.lines[k].height;
          c.content = c.content || s.lines[k].visible;
        }
        c.y += s.spaceAfter;
      }
    }
  };

  std::string previousStyle;
  for (std::size_t i = 0; i < n;) {
    // Section starts.
    if (i > 0 && sectionOf[i] != sectionOf[i - 1]) {
      if (endnotesPerSection && !section->noEndnote) placeEndnotes(main.blockStart(i));
      const SectionInfo& next = sections[sectionOf[i]];
      const PageGeometry& old = section->geometry;
      if (next.start == Start::Continuous && old.columns > 1) {
        // The columns of a section that ends on the page share its content evenly.
        double filled = c.column * (old.bodyHeight() - c.columnTop) + (c.y - c.columnTop);
        c.y = c.columnTop + filled / old.columns;
      }
      section = &next;
      c.column = 0;
      c.columnTop = c.y;
      if (next.start == Start::Continuous) {
        if (next.restartAt >= 0) c.pendingRestart = next.restartAt;
      } else if (next.start == Start::NextColumn) {
        newColumn(false);
      } else {
        if (next.restartAt >= 0) c.pendingRestart = next.restartAt;
        newPage(false);
        bool odd = c.number % 2 != 0;
        if ((next.start == Start::OddPage && !odd) || (next.start == Start::EvenPage && odd)) newPage(false);
      }
    }
    const double capacity = section->geometry.bodyHeight();

    // A table row moves as a whole.
    if (rowOf[i]) {
      std::size_t end = i;
      std::map<pugi::xml_node_struct*, double> cells;
      bool marked = false;
      while (end < n && rowOf[end] == rowOf[i] && sectionOf[end] == sectionOf[i]) {
        const ParagraphShape& s = shapes[end];
        if (!blocks[end].rowEnd) cells[cellOf(w, blocks[end].node).internal_object()] += s.spaceBefore + s.textHeight() + s.spaceAfter;
        marked = marked || (trusted[end] && !s.renderedBreaks.empty());
        ++end;
      }
      double height = 0;
      for (auto& [cell, h] : cells) height = std::max(height, h);
      if (pugi::xml_node trh = w.child(w.child(rowOf[i], "trPr"), "trHeight")) {
        double want = std::atof(w.value(trh, "val").c_str()) / 20.0;
        height = w.value(trh, "hRule") == "exact" ? want : std::max(height, want);
      }
      if (trusted[i]) {
        if (marked && c.content) newPage(false);
        c.y = std::min(c.y + height, capacity);
      } else {
        if (c.y > c.columnTop && c.y + height + c.notes > capacity) newColumn(true);
        c.y += height;
        while (c.y > capacity + 1e-6) {
          c.y -= capacity;
          newPage(true);
        }
      }
      for (std::size_t k = i; k < end; ++k) mainPages_.first[k] = c.page;
      c.content = true;
      previousStyle.clear();
      i = end;
      continue;
    }

    const ParagraphShape& s = shapes[i];
    const bool trust = trusted[i];
    if (s.pageBreakBefore && (c.content || c.y > c.columnTop)) newPage(false);
    bool sameAsPrevious = s.contextualSpacing && s.styleId == previousStyle;
    bool sameAsNext = s.contextualSpacing && i + 1 < n && !rowOf[i + 1] && shapes[i + 1].styleId == s.styleId;
    double before = (sameAsPrevious || (c.y <= c.columnTop && c.naturalTop)) ? 0 : s.spaceBefore;
    double after = sameAsNext ? 0 : s.spaceAfter;
    auto lineHeightWithNotes = [&](std::size_t k, double& notes) {
      const EstimatedLine& l = s.lines[k];
      std::uint32_t next = k + 1 < s.lines.size() ? s.lines[k + 1].start : UINT32_MAX;
      notes = 0;
      for (auto [offset, id] : s.footnotes) {
        if (offset < l.start || offset >= next) continue;
        auto it = noteHeight.find(id);
        notes += (it == noteHeight.end() ? 0 : std::min(it->second, capacity / 2)) + (c.notes + notes == 0 ? separator : 0);
      }
      return l.height;
    };

    if (!trust && c.y > c.columnTop) {
      // Keep the paragraph together, or with the next one, when the word processor would.
      double need = before;
      if (s.keepLines || s.keepNext) need += s.textHeight();
      else need += s.lines.front().height + (s.widowControl && s.lines.size() > 1 ? s.lines[1].height : 0);
      if (s.keepNext && i + 1 < n && !rowOf[i + 1]) {
        const ParagraphShape& next = shapes[i + 1];
        need += after + next.spaceBefore + next.lines.front().height;
        if (next.widowControl && next.lines.size() > 1) need += next.lines[1].height;
      }
      if (need <= capacity - c.columnTop && c.y + need + c.notes > capacity) newColumn(true);
    }

    c.y += before;
    std::size_t placedOnPage = 0;  // lines of this paragraph on the current column
    for (std::size_t k = 0; k < s.lines.size(); ++k) {
      const EstimatedLine& l = s.lines[k];
      if (l.pageBefore) {
        newPage(false);
        placedOnPage = 0;
      } else if (l.columnBefore) {
        newColumn(false);
        placedOnPage = 0;
      }
      std::uint32_t lineEnd = k + 1 < s.lines.size() ? s.lines[k + 1].start : UINT32_MAX;
      std::uint32_t startOffset = l.start;
      if (trust) {
        for (std::uint32_t mark : s.renderedBreaks) {
          if (mark < l.start || mark >= lineEnd) continue;
          bool contentBefore = c.content || (mark > l.start && l.visible);
          if (!contentBefore) continue;
          newPage(false);
          placedOnPage = 0;
          startOffset = mark;
          break;
        }
      }
      double notes = 0;
      double h = lineHeightWithNotes(k, notes);
      if (!trust && c.y + h + notes + c.notes > capacity && c.y > c.columnTop) {
        std::size_t n2 = s.lines.size();
        if (s.widowControl && n2 > 1 && k == 1 && placedOnPage == 1) {
          k = 0;  // a lone first line follows the rest to the next page
          startOffset = 0;
        } else if (s.widowControl && n2 > 2 && k == n2 - 1 && placedOnPage >= 2) {
          k = n2 - 2;  // the last line does not go alone
          startOffset = s.lines[k].start;
        }
        newColumn(true);
        placedOnPage = 0;
        h = lineHeightWithNotes(k, notes);
      }
      recordPage(mainPages_, i, startOffset, k == 0);
      c.y += h;
      c.notes += notes;
      if (trust) c.y = std::min(c.y, capacity);
      c.content = c.content || l.visible;
      ++placedOnPage;
    }
    c.y += after;
    previousStyle = s.styleId;
    ++i;
  }
  placeEndnotes(main.length() + 1);
  shapes_ = std::move(shapes);
  shaped_ = std::move(shaped);
  keepOutside_.reset();
}

}  // namespace host
