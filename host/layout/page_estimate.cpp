#include "host/layout/page_estimate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace host {

namespace {

// Advance widths in thousandths of an em of the printable ASCII characters (space to tilde)
// of the metric-compatible serif and sans serif faces every word processor ships.
// clang-format off
constexpr std::array<std::uint16_t, 95> kSerif = {
    250, 333, 408, 500, 500, 833, 777, 180, 333, 333, 500, 563, 250, 333, 250, 277, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 277, 277, 563, 563, 563, 443, 920, 722, 666, 666, 722, 610, 556, 722,
    722, 333, 389, 722, 610, 889, 722, 722, 556, 722, 666, 556, 610, 722, 722, 943, 722, 722, 610, 333,
    277, 333, 469, 500, 333, 443, 500, 443, 500, 443, 333, 500, 500, 277, 277, 500, 277, 777, 500, 500,
    500, 500, 333, 389, 277, 500, 500, 722, 500, 500, 443, 479, 200, 479, 541};
constexpr std::array<std::uint16_t, 95> kSerifBold = {
    250, 333, 555, 500, 500, 1000, 833, 277, 333, 333, 500, 569, 250, 333, 250, 277, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 333, 333, 569, 569, 569, 500, 930, 722, 666, 722, 722, 666, 610, 777,
    777, 389, 500, 777, 666, 943, 722, 777, 610, 777, 722, 556, 666, 722, 722, 1000, 722, 722, 666, 333,
    277, 333, 581, 500, 333, 500, 556, 443, 556, 443, 333, 500, 556, 277, 333, 556, 277, 833, 556, 500,
    556, 556, 443, 389, 333, 556, 500, 722, 500, 500, 443, 394, 220, 394, 520};
constexpr std::array<std::uint16_t, 95> kSans = {
    277, 277, 354, 556, 556, 889, 666, 190, 333, 333, 389, 583, 277, 333, 277, 277, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 277, 277, 583, 583, 583, 556, 1015, 666, 666, 722, 722, 666, 610, 777,
    722, 277, 500, 666, 556, 833, 722, 777, 666, 777, 722, 666, 610, 722, 666, 943, 666, 666, 610, 277,
    277, 277, 469, 556, 333, 556, 556, 500, 556, 556, 277, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 277, 556, 500, 722, 500, 500, 500, 333, 259, 333, 583};
constexpr std::array<std::uint16_t, 95> kSansBold = {
    277, 333, 474, 556, 556, 889, 722, 237, 333, 333, 389, 583, 277, 333, 277, 277, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 333, 333, 583, 583, 583, 610, 975, 722, 722, 722, 722, 666, 610, 777,
    722, 277, 556, 722, 610, 833, 722, 777, 666, 777, 722, 666, 610, 722, 666, 943, 666, 666, 610, 333,
    277, 333, 583, 556, 333, 556, 610, 556, 610, 556, 333, 610, 610, 277, 277, 556, 277, 889, 610, 610,
    610, 610, 389, 556, 333, 610, 556, 777, 556, 556, 500, 389, 279, 389, 583};
// clang-format on

// Font families by what their metrics resemble: sans or serif, width against the tables
// above, and single line height in ems (ascent, descent and line gap).
struct Family {
  const char* name;
  bool sans;
  double widthScale;
  double lineFactor;
};
// clang-format off
constexpr std::array<Family, 16> kFamilies = {{
    {"calibri", true, 0.89, 1.2207},       {"carlito", true, 0.89, 1.2207},
    {"aptos", true, 0.93, 1.2},            {"arial", true, 1.0, 1.1499},
    {"helvetica", true, 1.0, 1.1499},      {"liberation sans", true, 1.0, 1.1499},
    {"verdana", true, 1.14, 1.2153},       {"tahoma", true, 1.0, 1.2070},
    {"segoe", true, 0.98, 1.3300},         {"cambria", false, 1.06, 1.1719},
    {"caladea", false, 1.06, 1.1719},      {"georgia", false, 1.10, 1.1362},
    {"garamond", false, 0.95, 1.1220},     {"book antiqua", false, 1.05, 1.1729},
    {"palatino", false, 1.05, 1.1729},     {"century", false, 1.10, 1.1997},
}};
// clang-format on

// Widths of common characters outside ASCII (serif, sans) in thousandths of an em.
double extraWidth(char16_t c, bool sans) {
  switch (c) {
    case u'\u00A0': return sans ? 277 : 250;
    case u'\u2013': return sans ? 556 : 500;
    case u'\u2014':
    case u'\u2026': return 1000;
    case u'\u2018':
    case u'\u2019': return sans ? 222 : 333;
    case u'\u201C':
    case u'\u201D': return sans ? 333 : 443;
    case u'\u2022': return 350;
    default: break;
  }
  if (c >= 0x2E80) return 1000;  // CJK and other full-width scripts
  return sans ? 556 : 500;       // accented Latin, Cyrillic, Greek: an average letter
}

double twipsAttr(const Wml& w, pugi::xml_node n, const char* a, double fallbackPoints) {
  pugi::xml_attribute x = w.attr(n, a);
  if (!x) return fallbackPoints;
  return std::abs(std::atof(x.value())) / 20.0;
}

// Size of an inline picture in points (zero for anything else).
std::pair<double, double> inlineObjectSize(pugi::xml_node node) {
  if (std::strcmp(localName(node.name()), "drawing") != 0) return {0, 0};
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (std::strcmp(localName(c.name()), "inline") != 0) continue;
    for (pugi::xml_node e = c.first_child(); e; e = e.next_sibling())
      if (!std::strcmp(localName(e.name()), "extent"))
        return {e.attribute("cx").as_double() / 12700.0, e.attribute("cy").as_double() / 12700.0};
  }
  return {0, 0};
}

}  // namespace

double PageGeometry::bodyHeight() const { return std::max(pageHeight - top - bottom, 36.0); }

double PageGeometry::columnWidth() const {
  int n = std::max(columns, 1);
  return std::max((pageWidth - left - right - (n - 1) * columnSpace) / n, 36.0);
}

PageGeometry readGeometry(pugi::xml_node sectPr, const Wml& w) {
  PageGeometry g;
  if (pugi::xml_node sz = w.child(sectPr, "pgSz")) {
    g.pageWidth = twipsAttr(w, sz, "w", g.pageWidth);
    g.pageHeight = twipsAttr(w, sz, "h", g.pageHeight);
  }
  if (pugi::xml_node mar = w.child(sectPr, "pgMar")) {
    g.top = twipsAttr(w, mar, "top", g.top);
    g.bottom = twipsAttr(w, mar, "bottom", g.bottom);
    g.left = twipsAttr(w, mar, "left", g.left) + twipsAttr(w, mar, "gutter", 0);
    g.right = twipsAttr(w, mar, "right", g.right);
  }
  if (pugi::xml_node cols = w.child(sectPr, "cols")) {
    g.columns = std::clamp(std::atoi(w.value(cols, "num").c_str()), 1, 45);
    g.columnSpace = twipsAttr(w, cols, "space", g.columnSpace);
  }
  return g;
}

TextMeasure::TextMeasure(std::string majorFont, std::string minorFont)
    : major_(std::move(majorFont)), minor_(std::move(minorFont)) {}

const TextMeasure::Metrics& TextMeasure::metrics(const std::string& font) const {
  auto it = cache_.find(font);
  if (it != cache_.end()) return it->second;
  std::string name = font == "+major" ? major_ : font == "+minor" ? minor_ : font;
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  Metrics m;
  if (name.find("courier") != std::string::npos || name.find("mono") != std::string::npos) {
    m = {true, -1, 1.1328};
  } else {
    for (const Family& f : kFamilies)
      if (name.find(f.name) != std::string::npos) {
        m = {f.sans, f.widthScale, f.lineFactor};
        break;
      }
  }
  return cache_.emplace(font, m).first->second;
}

TextMeasure::Face TextMeasure::face(const RunFormat& f) const {
  const Metrics& m = metrics(f.font);
  Face face;
  face.em = f.halfPoints / 2.0;
  face.caps = f.caps;
  face.sans = m.sans;
  face.scale = m.widthScale;
  if (m.widthScale >= 0) face.table = &(m.sans ? (f.bold ? kSansBold : kSans) : (f.bold ? kSerifBold : kSerif));
  return face;
}

double TextMeasure::Face::width(char16_t c) const {
  if (!table) return 0.6 * em;
  if (caps && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  double units = c >= 32 && c < 127 ? (*table)[static_cast<std::size_t>(c - 32)] : extraWidth(c, sans);
  return units * em * scale / 1000.0;
}

double TextMeasure::lineHeight(const RunFormat& f) const { return f.halfPoints / 2.0 * metrics(f.font).lineFactor; }

double ParagraphShape::textHeight() const {
  double h = 0;
  for (const EstimatedLine& l : lines) h += l.height;
  return h;
}

std::size_t ParagraphShape::lineAt(std::uint32_t offset) const {
  auto it = std::upper_bound(lines.begin(), lines.end(), offset,
                             [](std::uint32_t o, const EstimatedLine& l) { return o < l.start; });
  return it == lines.begin() ? 0 : static_cast<std::size_t>(it - lines.begin()) - 1;
}

namespace {

// Greedy line filling over one paragraph's characters.
class LineFiller {
 public:
  LineFiller(ParagraphShape& shape, const ParagraphFormatValues& pf, const TextMeasure& m, double width)
      : shape_(shape), pf_(pf), measure_(m) {
    double rest = width - pf.indentLeft - pf.indentRight;
    firstWidth_ = std::max(rest - pf.indentFirstLine, 18.0);
    otherWidth_ = std::max(rest, 18.0);
    shape_.lines.push_back({});
  }

  // A character of text of the given size; breakAfter marks spaces and hyphens.
  void add(std::uint32_t offset, double w, double lineHeight, double objectHeight = 0) {
    EstimatedLine& line = shape_.lines.back();
    double limit = shape_.lines.size() == 1 ? firstWidth_ : otherWidth_;
    if (x_ + w > limit && (line.visible || offset > line.start) && !isSpace_) {
      if (breakAt_ > line.start) {
        double carried = x_ - xAtBreak_;
        newLine(breakAt_);
        x_ = carried;
      } else {
        newLine(offset);
        x_ = 0;
      }
    }
    x_ += w;
    raise(lineHeight, objectHeight);
    shape_.lines.back().visible = true;
  }

  // The offset after a space or hyphen where a line may break.
  void breakOpportunity(std::uint32_t after) {
    breakAt_ = after;
    xAtBreak_ = x_;
  }

  void space(std::uint32_t offset, double w, double lineHeight) {
    isSpace_ = true;
    add(offset, w, lineHeight);
    isSpace_ = false;
    breakOpportunity(offset + 1);
  }

  void tab(std::uint32_t offset, double lineHeight) {
    double stop = measure_.tabStop;
    double next = (std::floor(x_ / stop + 1e-6) + 1) * stop;
    double limit = shape_.lines.size() == 1 ? firstWidth_ : otherWidth_;
    if (next > limit) next = limit;
    add(offset, next - x_, lineHeight);
    breakOpportunity(offset + 1);
  }

  // A manual line, page or column break after the character at offset.
  void forcedBreak(std::uint32_t offset, double lineHeight, bool page, bool column) {
    raise(lineHeight, 0);
    newLine(offset + 1);
    x_ = 0;
    shape_.lines.back().pageBefore = page;
    shape_.lines.back().columnBefore = column;
  }

  // The paragraph mark: its size counts for the last line.
  void finish(double markLineHeight) {
    raise(markLineHeight, 0);
    for (std::size_t i = 0; i < shape_.lines.size(); ++i) shape_.lines[i].height = spaced(heights_[i]);
  }

 private:
  void raise(double lineHeight, double objectHeight) {
    if (heights_.size() < shape_.lines.size()) heights_.resize(shape_.lines.size(), 0);
    double h = std::max(lineHeight, objectHeight);
    heights_.back() = std::max(heights_.back(), h);
  }

  void newLine(std::uint32_t start) {
    if (heights_.size() < shape_.lines.size()) heights_.resize(shape_.lines.size(), 0);
    EstimatedLine next;
    next.start = start;
    shape_.lines.push_back(next);
    heights_.push_back(0);
    breakAt_ = start;
    xAtBreak_ = 0;
  }

  double spaced(double natural) const {
    if (natural <= 0) natural = measure_.lineHeight(RunFormat{});
    if (pf_.lineAtLeast) return std::max(pf_.lineSpacing, natural);
    if (pf_.lineExact) return pf_.lineSpacing;
    return natural * pf_.lineSpacing;
  }

  ParagraphShape& shape_;
  const ParagraphFormatValues& pf_;
  const TextMeasure& measure_;
  double firstWidth_, otherWidth_;
  double x_ = 0;
  std::uint32_t breakAt_ = 0;
  double xAtBreak_ = 0;
  bool isSpace_ = false;
  std::vector<double> heights_;
};

}  // namespace

ParagraphShape shapeParagraph(const CharMap& map, pugi::xml_node paragraph, bool rowEnd, const Wml& w,
                              const StyleSheet& styles, const TextMeasure& measure, double width) {
  ParagraphShape shape;
  shape.styleId = map.styleId;
  if (rowEnd) {
    shape.lines.push_back({});
    return shape;
  }
  ParagraphFormatValues pf = styles.paragraphFormat(w.child(paragraph, "pPr"));
  shape.spaceBefore = pf.spaceBefore;
  shape.spaceAfter = pf.spaceAfter;
  shape.pageBreakBefore = pf.pageBreakBefore;
  shape.keepNext = pf.keepNext;
  shape.keepLines = pf.keepLines;
  shape.widowControl = pf.widowControl != 0;
  shape.contextualSpacing = pf.contextualSpacing;
  for (const Anchor& a : map.anchors)
    if (w.is(a.node, "lastRenderedPageBreak")) shape.renderedBreaks.push_back(a.offset);

  LineFiller filler(shape, pf, measure, width);
  double markHeight = measure.lineHeight(RunFormat{});
  for (const Segment& s : map.segments) {
    if (s.kind == Seg::ParagraphMark) {
      markHeight = measure.lineHeight(segmentFormat(s, map, w, styles));
      continue;
    }
    if (s.hidden || s.inCode) continue;
    if (s.kind != Seg::Text && s.kind != Seg::Char) continue;
    if (s.deleted) continue;
    RunFormat f = segmentFormat(s, map, w, styles);
    double lh = measure.lineHeight(f);
    const TextMeasure::Face face = measure.face(f);
    for (std::uint32_t i = 0; i < s.length; ++i) {
      std::uint32_t offset = s.start + i;
      char16_t c = map.text[offset];
      switch (c) {
        case u' ': filler.space(offset, face.width(c), lh); break;
        case ch::kTab: filler.tab(offset, lh); break;
        case ch::kLineBreak:
        case ch::kPageBreak:
        case ch::kColumnBreak: filler.forcedBreak(offset, lh, c == ch::kPageBreak, c == ch::kColumnBreak); break;
        case ch::kSoftHyphen: filler.breakOpportunity(offset + 1); break;
        case ch::kNoteRef:
          if (w.is(s.node, "footnoteReference"))
            shape.footnotes.emplace_back(offset, std::atoi(w.value(s.node, "id").c_str()));
          filler.add(offset, face.width(u'1') * 0.67, lh);
          break;
        case ch::kObject: {
          auto [ow, oh] = inlineObjectSize(s.node);
          filler.add(offset, ow, lh, oh);
          break;
        }
        case ch::kNoBreakHyphen: filler.add(offset, face.width(u'-'), lh); break;
        default:
          filler.add(offset, face.width(c), lh);
          if (c == u'-' || c == u'\u2013' || c == u'\u2014') filler.breakOpportunity(offset + 1);
          break;
      }
    }
  }
  filler.finish(markHeight);
  // A break that only the paragraph mark follows takes no room on the next page.
  EstimatedLine& last = shape.lines.back();
  if (shape.lines.size() > 1 && !last.visible && (last.pageBefore || last.columnBefore)) last.height = 0;
  return shape;
}

}  // namespace host
