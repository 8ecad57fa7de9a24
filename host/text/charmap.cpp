#include "host/text/charmap.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "host/wml/field_char.h"
#include "host/wml/simple_field.h"

namespace host {

namespace {

// Walks a paragraph's content in document order, appending segments.
class ParagraphWalker {
 public:
  ParagraphWalker(CharMap& map, const Wml& w, const StyleSheet& styles) : map_(map), w_(w), styles_(styles) {}

  void walk(pugi::xml_node parent) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      const char* l = w_.local(c);
      if (!l) {
        walkForeign(c);
        continue;
      }
      if (!std::strcmp(l, "r")) {
        walkRun(c);
      } else if (!std::strcmp(l, "fldSimple")) {
        walkSimpleField(c);
      } else if (!std::strcmp(l, "sdt")) {
        walk(w_.child(c, "sdtContent"));
      } else if (isWrapper(l)) {
        walk(c);
      } else if (!std::strcmp(l, "pPr")) {
        continue;
      } else {
        map_.anchors.push_back({c, offset()});  // bookmarks, comment ranges, proofing marks
      }
    }
  }

  /// Walks one run.
  void run(pugi::xml_node r) { walkRun(r); }
  // True when every field the walk opened was closed again.
  bool balanced() const { return stack_.empty() && codeOpen_ == 0; }

  void finish(pugi::xml_node paragraph, bool cellEnd) {
    pugi::xml_node pPr = w_.child(paragraph, "pPr");
    add(Seg::ParagraphMark, paragraph, {}, cellEnd ? ch::kCellEnd : ch::kParagraph,
        styles_.hidden(map_.styleId, w_.child(pPr, "rPr")));
  }

 private:
  static bool isWrapper(const char* l) {
    for (const char* name : {"hyperlink", "ins", "del", "moveFrom", "moveTo", "smartTag", "customXml", "dir", "bdo"})
      if (!std::strcmp(l, name)) return true;
    return false;
  }

  std::uint32_t offset() const { return map_.length(); }

  void add(Seg kind, pugi::xml_node node, pugi::xml_node run, char16_t c, bool hidden) {
    map_.text += c;
    addSegment(kind, node, run, 1, hidden);
  }

  void addText(Seg kind, pugi::xml_node node, pugi::xml_node run, const char* utf8, bool hidden, bool deleted = false) {
    std::size_t before = map_.text.size();
    appendText(map_.text, utf8);
    if (map_.text.size() == before) return;
    addSegment(kind, node, run, static_cast<std::uint32_t>(map_.text.size() - before), hidden);
    map_.segments.back().deleted = deleted;
  }

  // Records the segment of the last `length` characters appended to the text.
  void addSegment(Seg kind, pugi::xml_node node, pugi::xml_node run, std::uint32_t length, bool hidden) {
    Segment s;
    s.kind = kind;
    s.hidden = hidden;
    s.start = offset() - length;
    s.length = length;
    s.node = node;
    s.run = run;
    switch (kind) {
      case Seg::FieldBegin:
      case Seg::SimpleBegin: s.inCode = codeOpen_ > 0; break;
      case Seg::SimpleCode:
      case Seg::CodeText: s.inCode = true; break;
      default: s.inCode = codeOpen_ > 0;
    }
    if (kind == Seg::FieldBegin) {
      stack_.push_back(true);
      ++codeOpen_;
    } else if (kind == Seg::FieldSeparator) {
      if (!stack_.empty() && stack_.back()) {
        stack_.back() = false;
        --codeOpen_;
      }
      s.inCode = codeOpen_ > 0;
    } else if (kind == Seg::FieldEnd) {
      if (!stack_.empty()) {
        if (stack_.back()) --codeOpen_;
        stack_.pop_back();
      }
      s.inCode = codeOpen_ > 0;
    }
    s.codeAfter = codeOpen_ > 0 || kind == Seg::SimpleBegin || kind == Seg::SimpleCode;
    map_.segments.push_back(s);
  }

  // Elements of other namespaces: math and alternate content count as one object.
  void walkForeign(pugi::xml_node c) {
    const char* l = localName(c.name());
    if (!std::strcmp(l, "oMath") || !std::strcmp(l, "oMathPara") || !std::strcmp(l, "AlternateContent"))
      add(Seg::Char, c, {}, ch::kObject, false);
  }

  void walkRun(pugi::xml_node r) {
    const bool hidden = styles_.hidden(map_.styleId, w_.child(r, "rPr"));
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      const char* l = w_.local(c);
      if (!l) {
        if (!std::strcmp(localName(c.name()), "AlternateContent")) add(Seg::Char, c, r, ch::kObject, hidden);
        continue;
      }
      std::string_view n = l;
      if (n == "t" || n == "delText") {
        addText(Seg::Text, c, r, c.text().get(), hidden, n == "delText");
      } else if (n == "instrText" || n == "delInstrText") {
        addText(Seg::CodeText, c, r, c.text().get(), hidden, n == "delInstrText");
      } else if (n == "fldChar") {
        std::optional<FieldChar> kind = fieldCharOf(w_, c);
        if (kind == FieldChar::Begin) add(Seg::FieldBegin, c, r, ch::kFieldBegin, hidden);
        else if (kind == FieldChar::Separate) add(Seg::FieldSeparator, c, r, ch::kFieldSeparator, hidden);
        else if (kind == FieldChar::End) add(Seg::FieldEnd, c, r, ch::kFieldEnd, hidden);
      } else if (char16_t code = singleChar(c, n)) {
        add(Seg::Char, c, r, code, hidden);
      } else if (n == "lastRenderedPageBreak") {
        map_.anchors.push_back({c, offset()});
      }
    }
  }

  char16_t singleChar(pugi::xml_node c, std::string_view n) const {
    if (n == "tab" || n == "ptab") return ch::kTab;
    if (n == "br") {
      std::string type = w_.value(c, "type");
      return type == "page" ? ch::kPageBreak : type == "column" ? ch::kColumnBreak : ch::kLineBreak;
    }
    if (n == "cr") return ch::kLineBreak;
    if (n == "noBreakHyphen") return ch::kNoBreakHyphen;
    if (n == "softHyphen") return ch::kSoftHyphen;
    if (n == "sym") return ch::kSymbol;
    if (n == "footnoteReference" || n == "endnoteReference" || n == "footnoteRef" || n == "endnoteRef")
      return ch::kNoteRef;
    if (n == "drawing" || n == "pict" || n == "object" || n == "commentReference") return ch::kObject;
    return 0;
  }

  void walkSimpleField(pugi::xml_node f) {
    add(Seg::SimpleBegin, f, {}, ch::kFieldBegin, false);
    addText(Seg::SimpleCode, f, {}, simpleFieldCode(w_, f), false);
    add(Seg::SimpleSeparator, f, {}, ch::kFieldSeparator, false);
    walk(f);
    add(Seg::SimpleEnd, f, {}, ch::kFieldEnd, false);
  }

  CharMap& map_;
  const Wml& w_;
  const StyleSheet& styles_;
  std::vector<bool> stack_;  // open fields: true while in their code
  int codeOpen_ = 0;
};

}  // namespace

std::size_t CharMap::segmentAt(std::uint32_t offset) const {
  auto it = std::upper_bound(segments.begin(), segments.end(), offset,
                             [](std::uint32_t o, const Segment& s) { return o < s.start; });
  return static_cast<std::size_t>(it - segments.begin()) - 1;
}

void buildParagraphMap(CharMap& map, pugi::xml_node paragraph, bool cellEnd, const Wml& w, const StyleSheet& styles) {
  map.text.clear();
  map.segments.clear();
  map.anchors.clear();
  map.styleId = styles.paragraphStyleId(w.child(paragraph, "pPr"));
  ParagraphWalker walker(map, w, styles);
  walker.walk(paragraph);
  walker.finish(paragraph, cellEnd);
}

CharMap buildParagraphMap(pugi::xml_node paragraph, bool cellEnd, const Wml& w, const StyleSheet& styles) {
  CharMap map;
  buildParagraphMap(map, paragraph, cellEnd, w, styles);
  return map;
}

std::optional<CharMap> buildRunsMap(const std::vector<pugi::xml_node>& runs, const std::string& styleId, const Wml& w,
                                    const StyleSheet& styles) {
  CharMap map;
  map.styleId = styleId;
  ParagraphWalker walker(map, w, styles);
  for (pugi::xml_node r : runs) walker.run(r);
  if (!walker.balanced()) return std::nullopt;
  return map;
}

void CharMap::runSplit(std::size_t segment, std::uint32_t k, pugi::xml_node right, const Wml& w) {
  const pugi::xml_node left = segments[segment].run;
  std::size_t from = segment + 1;
  if (k < segments[segment].length) {
    Segment rest = segments[segment];
    rest.start += k;
    rest.length -= k;
    rest.run = right;
    rest.node = w.child(right, "rPr") ? w.child(right, "rPr").next_sibling() : right.first_child();
    segments[segment].length = k;
    segments.insert(segments.begin() + static_cast<long>(from), rest);
    ++from;
  }
  for (std::size_t i = from; i < segments.size(); ++i)
    if (segments[i].run == left) segments[i].run = right;
}

bool CharMap::insertRuns(std::uint32_t offset, const CharMap& inserted) {
  for (const Anchor& a : anchors)
    if (a.offset == offset) return false;
  for (const Segment& s : segments)
    if (s.start < offset && offset < s.start + s.length) return false;
  const std::uint32_t n = inserted.length();
  text.insert(offset, inserted.text);
  auto at = std::lower_bound(segments.begin(), segments.end(), offset,
                             [](const Segment& s, std::uint32_t o) { return s.start < o; });
  for (auto it = at; it != segments.end(); ++it) it->start += n;
  at = segments.insert(at, inserted.segments.begin(), inserted.segments.end());
  for (std::size_t i = 0; i < inserted.segments.size(); ++i) at[static_cast<long>(i)].start += offset;
  for (Anchor& a : anchors)
    if (a.offset > offset) a.offset += n;
  return true;
}

CharMap buildRowEndMap(pugi::xml_node row) {
  CharMap map;
  Segment s;
  s.kind = Seg::RowEnd;
  s.length = 1;
  s.node = row;
  map.text = Text(1, ch::kCellEnd);
  map.segments.push_back(s);
  return map;
}

RunFormat segmentFormat(const Segment& s, const CharMap& map, const Wml& w, const StyleSheet& styles) {
  if (s.kind == Seg::ParagraphMark) return styles.runFormat(map.styleId, w.child(w.child(s.node, "pPr"), "rPr"));
  if (s.run) return styles.runFormat(map.styleId, w.child(s.run, "rPr"));
  return styles.runFormat(map.styleId, {});
}

}  // namespace host
