#include "host/layout/page_pass.h"

#include <algorithm>
#include <cstdlib>

#include "host/parse/numerals.h"
#include "host/text/section_ends.h"
#include "host/text/story.h"

namespace host {

namespace {

SectionLayout readSection(pugi::xml_node sectPr, const Wml& w) {
  SectionLayout s;
  s.geometry = readGeometry(sectPr, w);
  s.start = SectionProperties(w, sectPr).start();
  if (pugi::xml_node num = w.child(sectPr, "pgNumType")) {
    if (pugi::xml_attribute a = w.attr(num, "start")) s.restartAt = a.as_int();
    if (pugi::xml_attribute a = w.attr(num, "fmt")) s.format = a.value();
  }
  s.noEndnote = w.onOff(w.child(sectPr, "noEndnote")) == 1;
  return s;
}

std::string formatPageNumber(int n, const std::string& format) {
  if (format == "lowerRoman" || format == "upperRoman") return romanNumeral(n, format[0] == 'u');
  if (n > 0 && (format == "lowerLetter" || format == "upperLetter")) {
    char c = static_cast<char>((format[0] == 'u' ? 'A' : 'a') + (n - 1) % 26);
    return std::string(static_cast<std::size_t>((n - 1) / 26 + 1), c);
  }
  return std::to_string(n);
}

// Running layout state of the page pass.
struct Cursor {
  int page = 1;
  int number = 1;  // the number the page shows
  int column = 0;
  double y = 0;             // height used in the current column
  double columnTop = 0;     // where columns of the current section start on this page
  double notes = 0;         // room footnotes take at the bottom of this page
  bool content = false;     // anything visible placed on this page
  bool naturalTop = false;  // the column began because the previous one was full
  int pendingRestart = -1;
};

// One run of the page pass: the cursor, the section it is in, and the pages it records.
class PagePass {
 public:
  PagePass(const PagePassInput& in, BlockPages& mainPages, BlockPages& endnotePages, std::vector<std::string>& labels);
  void run();

 private:
  void newPage(bool natural);
  void newColumn(bool natural);
  void recordPage(BlockPages& pages, std::size_t block, std::uint32_t offset, bool first);
  void placeEndnotes(long upTo);
  void startSection(std::size_t block);
  std::size_t placeRow(std::size_t block);
  void placeParagraph(std::size_t block);
  void keepTogether(std::size_t block, double before, double after, double capacity);
  bool breakAtMark(const ParagraphShape& s, std::size_t k, std::uint32_t& startOffset);
  double lineHeightWithNotes(const ParagraphShape& s, std::size_t k, double capacity, double& notes) const;

  const PagePassInput& in_;
  BlockPages& mainPages_;
  BlockPages& endnotePages_;
  std::vector<std::string>& labels_;
  Cursor c_;
  const SectionLayout* section_;
  std::size_t nextEndnote_ = 0;  // in endnoteOrder, the first not laid out yet
  std::string previousStyle_;    // of the paragraph placed last, for contextual spacing
};

PagePass::PagePass(const PagePassInput& in, BlockPages& mainPages, BlockPages& endnotePages,
                   std::vector<std::string>& labels)
    : in_(in),
      mainPages_(mainPages),
      endnotePages_(endnotePages),
      labels_(labels),
      section_(&in.sections[in.sectionOf.empty() ? 0 : in.sectionOf[0]]) {
  mainPages_.reset(in.main.blocks().size());
  endnotePages_.reset(in.endnotes ? in.endnotes->blocks().size() : 0);
  labels_.clear();
  if (section_->restartAt >= 0) c_.number = section_->restartAt;
  labels_.push_back(formatPageNumber(c_.number, section_->format));
}

void PagePass::run() {
  const std::size_t n = in_.main.blocks().size();
  for (std::size_t i = 0; i < n;) {
    if (i > 0 && in_.sectionOf[i] != in_.sectionOf[i - 1]) startSection(i);
    if (in_.rowOf[i]) {
      i = placeRow(i);
      continue;
    }
    placeParagraph(i);
    ++i;
  }
  placeEndnotes(in_.main.length() + 1);
}

void PagePass::newPage(bool natural) {
  ++c_.page;
  c_.number = c_.pendingRestart >= 0 ? c_.pendingRestart : c_.number + 1;
  c_.pendingRestart = -1;
  c_.column = 0;
  c_.y = c_.columnTop = c_.notes = 0;
  c_.content = false;
  c_.naturalTop = natural;
  labels_.push_back(formatPageNumber(c_.number, section_->format));
}

void PagePass::newColumn(bool natural) {
  if (c_.column + 1 < section_->geometry.columns) {
    ++c_.column;
    c_.y = c_.columnTop;
    c_.naturalTop = natural;
  } else {
    newPage(natural);
  }
}

void PagePass::recordPage(BlockPages& pages, std::size_t block, std::uint32_t offset, bool first) {
  if (first) pages.first[block] = c_.page;
  else if (c_.page != pages.first[block]) pages.breaks[block].emplace_back(offset, c_.page);
}

// Lays out the endnotes whose references stand before upTo and are not laid out yet, after a
// separator line, in the columns of the current section.
void PagePass::placeEndnotes(long upTo) {
  const Story* endnotes = in_.endnotes;
  bool separated = false;
  for (; nextEndnote_ < in_.endnoteOrder.size() && in_.endnoteOrder[nextEndnote_].first < upTo; ++nextEndnote_) {
    auto note = in_.endnoteBlocks.find(in_.endnoteOrder[nextEndnote_].second);
    if (note == in_.endnoteBlocks.end()) continue;
    const double capacity = section_->geometry.bodyHeight();
    if (!separated) {
      if (c_.y > c_.columnTop && c_.y + in_.separator + c_.notes > capacity) newColumn(true);
      c_.y += in_.separator;
      separated = true;
    }
    for (std::size_t b : note->second) {
      ParagraphShape s = shapeParagraph(endnotes->map(b), endnotes->blocks()[b].node, endnotes->blocks()[b].rowEnd,
                                        endnotes->wml(), endnotes->styles(), in_.measure,
                                        section_->geometry.columnWidth());
      c_.y += s.spaceBefore;
      for (std::size_t k = 0; k < s.lines.size(); ++k) {
        if (c_.y > c_.columnTop && c_.y + s.lines[k].height + c_.notes > capacity) newColumn(true);
        recordPage(endnotePages_, b, s.lines[k].start, k == 0);
        c_.y += s.lines[k].height;
        c_.content = c_.content || s.lines[k].visible;
      }
      c_.y += s.spaceAfter;
    }
  }
}

// The section of block begins: the last one's endnotes, its columns balanced, and the new
// section's page, column or number restart.
void PagePass::startSection(std::size_t block) {
  if (in_.endnotesPerSection && !section_->noEndnote) placeEndnotes(in_.main.blockStart(block));
  const SectionLayout& next = in_.sections[in_.sectionOf[block]];
  const PageGeometry& old = section_->geometry;
  if (next.start == SectionBegin::Continuous && old.columns > 1) {
    // The columns of a section that ends on the page share its content evenly.
    double filled = c_.column * (old.bodyHeight() - c_.columnTop) + (c_.y - c_.columnTop);
    c_.y = c_.columnTop + filled / old.columns;
  }
  section_ = &next;
  c_.column = 0;
  c_.columnTop = c_.y;
  if (next.start == SectionBegin::Continuous) {
    if (next.restartAt >= 0) c_.pendingRestart = next.restartAt;
  } else if (next.start == SectionBegin::NextColumn) {
    newColumn(false);
  } else {
    if (next.restartAt >= 0) c_.pendingRestart = next.restartAt;
    newPage(false);
    bool odd = c_.number % 2 != 0;
    if ((next.start == SectionBegin::OddPage && !odd) || (next.start == SectionBegin::EvenPage && odd)) newPage(false);
  }
}

// A table row moves as a whole: places the blocks of the row that block starts and returns
// the block after them.
std::size_t PagePass::placeRow(std::size_t block) {
  const Wml& w = in_.main.wml();
  const auto& blocks = in_.main.blocks();
  const std::size_t n = blocks.size();
  const double capacity = section_->geometry.bodyHeight();
  std::size_t end = block;
  std::map<pugi::xml_node_struct*, double> cells;
  bool marked = false;
  while (end < n && in_.rowOf[end] == in_.rowOf[block] && in_.sectionOf[end] == in_.sectionOf[block]) {
    const ParagraphShape& s = in_.shapes[end];
    if (!blocks[end].rowEnd) cells[in_.cellOf[end].internal_object()] += s.spaceBefore + s.textHeight() + s.spaceAfter;
    marked = marked || (in_.trusted[end] && !s.renderedBreaks.empty());
    ++end;
  }
  double height = 0;
  for (auto& [cell, h] : cells) height = std::max(height, h);
  if (pugi::xml_node trh = w.child(w.child(in_.rowOf[block], "trPr"), "trHeight")) {
    double want = std::atof(w.value(trh, "val").c_str()) / 20.0;
    height = w.value(trh, "hRule") == "exact" ? want : std::max(height, want);
  }
  if (in_.trusted[block]) {
    if (marked && c_.content) newPage(false);
    c_.y = std::min(c_.y + height, capacity);
  } else {
    if (c_.y > c_.columnTop && c_.y + height + c_.notes > capacity) newColumn(true);
    c_.y += height;
    while (c_.y > capacity + 1e-6) {
      c_.y -= capacity;
      newPage(true);
    }
  }
  for (std::size_t k = block; k < end; ++k) mainPages_.first[k] = c_.page;
  c_.content = true;
  previousStyle_.clear();
  return end;
}

// Places a paragraph line by line: its breaks, the last layout's breaks where trusted, and
// otherwise a new column where a line does not fit, keeping widows and orphans apart.
void PagePass::placeParagraph(std::size_t block) {
  const ParagraphShape& s = in_.shapes[block];
  const std::size_t n = in_.shapes.size();
  const double capacity = section_->geometry.bodyHeight();
  const bool trust = in_.trusted[block];
  if (s.pageBreakBefore && (c_.content || c_.y > c_.columnTop)) newPage(false);
  bool sameAsPrevious = s.contextualSpacing && s.styleId == previousStyle_;
  bool sameAsNext = s.contextualSpacing && block + 1 < n && !in_.rowOf[block + 1] &&
                    in_.shapes[block + 1].styleId == s.styleId;
  double before = (sameAsPrevious || (c_.y <= c_.columnTop && c_.naturalTop)) ? 0 : s.spaceBefore;
  double after = sameAsNext ? 0 : s.spaceAfter;
  if (!trust && c_.y > c_.columnTop) keepTogether(block, before, after, capacity);

  c_.y += before;
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
    std::uint32_t startOffset = l.start;
    if (trust && breakAtMark(s, k, startOffset)) placedOnPage = 0;
    double notes = 0;
    double h = lineHeightWithNotes(s, k, capacity, notes);
    if (!trust && c_.y + h + notes + c_.notes > capacity && c_.y > c_.columnTop) {
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
      h = lineHeightWithNotes(s, k, capacity, notes);
    }
    recordPage(mainPages_, block, startOffset, k == 0);
    c_.y += h;
    c_.notes += notes;
    if (trust) c_.y = std::min(c_.y, capacity);
    c_.content = c_.content || l.visible;
    ++placedOnPage;
  }
  c_.y += after;
  previousStyle_ = s.styleId;
}

// Keeps the paragraph together, or with the next one, when the word processor would: a new
// column when what must stay together fits in one but not in what is left of this one.
void PagePass::keepTogether(std::size_t block, double before, double after, double capacity) {
  const ParagraphShape& s = in_.shapes[block];
  double need = before;
  if (s.keepLines || s.keepNext) need += s.textHeight();
  else need += s.lines.front().height + (s.widowControl && s.lines.size() > 1 ? s.lines[1].height : 0);
  if (s.keepNext && block + 1 < in_.shapes.size() && !in_.rowOf[block + 1]) {
    const ParagraphShape& next = in_.shapes[block + 1];
    need += after + next.spaceBefore + next.lines.front().height;
    if (next.widowControl && next.lines.size() > 1) need += next.lines[1].height;
  }
  if (need <= capacity - c_.columnTop && c_.y + need + c_.notes > capacity) newColumn(true);
}

// A trusted mark of the last layout in line k with something before it on the page starts a
// new page there; startOffset becomes the mark's offset.
bool PagePass::breakAtMark(const ParagraphShape& s, std::size_t k, std::uint32_t& startOffset) {
  const EstimatedLine& l = s.lines[k];
  std::uint32_t lineEnd = k + 1 < s.lines.size() ? s.lines[k + 1].start : UINT32_MAX;
  for (std::uint32_t mark : s.renderedBreaks) {
    if (mark < l.start || mark >= lineEnd) continue;
    bool contentBefore = c_.content || (mark > l.start && l.visible);
    if (!contentBefore) continue;
    newPage(false);
    startOffset = mark;
    return true;
  }
  return false;
}

// The height of line k; notes gets the room the footnotes referred to in it take (with the
// separator line when they are the page's first).
double PagePass::lineHeightWithNotes(const ParagraphShape& s, std::size_t k, double capacity, double& notes) const {
  const EstimatedLine& l = s.lines[k];
  std::uint32_t next = k + 1 < s.lines.size() ? s.lines[k + 1].start : UINT32_MAX;
  notes = 0;
  for (auto [offset, id] : s.footnotes) {
    if (offset < l.start || offset >= next) continue;
    auto it = in_.noteHeight.find(id);
    notes += (it == in_.noteHeight.end() ? 0 : std::min(it->second, capacity / 2)) +
             (c_.notes + notes == 0 ? in_.separator : 0);
  }
  return l.height;
}

}  // namespace

std::vector<SectionLayout> readSections(const Story& main, std::vector<std::size_t>& sectionOf) {
  const Wml& w = main.wml();
  const std::size_t n = main.blocks().size();
  std::vector<SectionLayout> sections;
  sectionOf.assign(n, 0);
  std::size_t b = 0;
  for (const SectionEnd& e : sectionEnds(main)) {
    for (; b <= e.block && b < n; ++b) sectionOf[b] = sections.size();
    sections.push_back(readSection(e.sectPr, w));
  }
  return sections;
}

void layOutPages(const PagePassInput& in, BlockPages& mainPages, BlockPages& endnotePages,
                 std::vector<std::string>& labels) {
  PagePass(in, mainPages, endnotePages, labels).run();
}

}  // namespace host
