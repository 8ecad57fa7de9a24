#include "host/layout/pagination.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "host/layout/document_parts.h"
#include "host/layout/page_estimate.h"
#include "host/layout/page_pass.h"
#include "host/package/package.h"
#include "host/package/relationships.h"
#include "host/text/story.h"
#include "host/wml/cell_width.h"

namespace host {

namespace {

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
      if (!std::strcmp(localName(c.name()), "latin"))
        (major ? fonts.first : fonts.second) = c.attribute("typeface").value();
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
pugi::xml_node innerCellOf(const Wml& w, pugi::xml_node block) {
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
  const CellWidth own = cellWidthOf(w, tc);
  if (own.unit == CellWidth::Unit::Twips) return std::max(own.value / 20.0 - kCellMargins, 18.0);
  if (own.unit == CellWidth::Unit::Fraction) return std::max(avail * own.value - kCellMargins, 18.0);
  int cells = 0;
  for (pugi::xml_node c = tc.parent().first_child(); c; c = c.next_sibling())
    if (w.is(c, "tc")) ++cells;
  return std::max(avail / std::max(cells, 1) - kCellMargins, 18.0);
}

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

void Pagination::forget(pugi::xml_node removed) {
  baseline_.erase(removed.internal_object());
  // Only blocks have shapes; anything else is let through with one look at its name.
  const Wml& w = doc_.mainStory().wml();
  if (shaped_.empty() || !(w.is(removed, "p") || w.is(removed, "tr"))) return;
  for (auto& entry : shaped_)
    if (entry.first == removed.internal_object()) entry.first = nullptr;
}

std::string Pagination::verifyDerivedState() const {
  if (baseline_.empty() && shaped_.empty()) return {};
  const Story& main = doc_.mainStory();
  std::unordered_set<pugi::xml_node_struct*> blocks;
  for (const Block& b : main.blocks()) blocks.insert(b.node.internal_object());
  for (const auto& entry : baseline_)
    if (!blocks.count(entry.first))
      return "it remembers the opening text of a paragraph that is no longer in the main text";
  for (const auto& entry : shaped_)
    if (entry.first && !blocks.count(entry.first))
      return "it keeps the shape of a paragraph that is no longer in the main text";
  return {};
}

int Pagination::pageCount() {
  refresh();
  return static_cast<int>(labels_.size());
}

PageNumber Pagination::page(int physical) const {
  physical = std::clamp(physical, 1, std::max(1, static_cast<int>(labels_.size())));
  return {physical, labels_.empty() ? "1" : labels_[static_cast<std::size_t>(physical - 1)]};
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
                                const std::vector<SectionLayout>& sections, const std::vector<std::size_t>& sectionOf,
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
                (sectionOf[i] != sectionOf[i - 1] && sections[sectionOf[i]].start != SectionBegin::Continuous);
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
  footnoteRefs_.clear();
  endnoteRefs_.clear();

  std::vector<std::size_t> sectionOf;
  const std::vector<SectionLayout> sections = readSections(main, sectionOf);

  auto [majorFont, minorFont] = themeFonts(doc_);
  TextMeasure measure(majorFont, minorFont);
  measure.tabStop = defaultTabStop(doc_);

  // Shapes of every block, at the width it is laid out in; those the caller vouched for are
  // taken over from the last computation.
  std::unordered_map<pugi::xml_node_struct*, std::size_t> kept;
  if (keepOutside_)
    for (std::size_t k = 0; k < shaped_.size(); ++k)
      if (shaped_[k].first) kept.emplace(shaped_[k].first, k);
  std::vector<ParagraphShape> shapes(n);
  std::vector<std::pair<pugi::xml_node_struct*, double>> shaped(n);
  std::vector<pugi::xml_node> rowOf(n), cellOf(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Block& b = blocks[i];
    const PageGeometry& g = sections[sectionOf[i]].geometry;
    double width = g.columnWidth();
    rowOf[i] = outerRowOf(w, b);
    if (rowOf[i] && !b.rowEnd) {
      cellOf[i] = innerCellOf(w, b.node);
      width = cellWidth(w, cellOf[i], width);
    }
    shaped[i] = {b.node.internal_object(), width};
    auto old = kept.find(b.node.internal_object());
    if (old != kept.end() && (i < keepOutside_->first || i > keepOutside_->second) &&
        shaped_[old->second].second == width)
      shapes[i] = std::move(shapes_[old->second]);
    else shapes[i] = shapeParagraph(main.map(i), b.node, b.rowEnd, w, styles, measure, width);
    for (const Segment& s : main.map(i).segments) {
      if (s.kind != Seg::Char || main.map(i).text[s.start] != ch::kNoteRef) continue;
      long pos = main.blockStart(i) + s.start;
      if (w.is(s.node, "footnoteReference")) footnoteRefs_.emplace(std::atoi(w.value(s.node, "id").c_str()), pos);
      if (w.is(s.node, "endnoteReference")) endnoteRefs_.emplace(std::atoi(w.value(s.node, "id").c_str()), pos);
    }
  }

  const std::map<int, double> noteHeight = footnoteHeights(doc_.story(wdFootnotesStory),
                                                           sections.front().geometry.columnWidth(), measure);
  const double separator = measure.lineHeight(styles.styleFormat(styles.paragraphStyleId({}), ""));

  // Endnotes in the order of their references, each with its blocks.
  const Story* endnotes = doc_.story(wdEndnotesStory);
  const std::map<int, std::vector<std::size_t>> endnoteBlocks = blocksByNote(endnotes);
  std::vector<std::pair<long, int>> endnoteOrder;  // (reference position, note id)
  for (auto [id, pos] : endnoteRefs_) endnoteOrder.emplace_back(pos, id);
  std::sort(endnoteOrder.begin(), endnoteOrder.end());

  const std::vector<bool> trusted = trustedBlocks(main, shapes, sections, sectionOf, baseline_);

  const PagePassInput pass{
      main,       sections,  sectionOf, shapes,   rowOf,         cellOf,       trusted,
      noteHeight, separator, measure,   endnotes, endnoteBlocks, endnoteOrder, endnotesAtSectionEnds(doc_)};
  layOutPages(pass, mainPages_, endnotePages_, labels_);
  shapes_ = std::move(shapes);
  shaped_ = std::move(shaped);
  keepOutside_.reset();
}

}  // namespace host
