#include "host/model/range.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

#include "host/model/document.h"
#include "host/text/edit.h"
#include "host/platform/error.h"
#include "host/parse/pattern.h"
#include "host/text/story.h"

namespace host {

namespace {


// The word starts on either side of an offset in a paragraph: the last at or before it and
// the next after it (the paragraph's length when none). A word is a run of word characters or
// one other character, and takes the spaces that follow it; so both are found by looking only
// at the characters around the offset.
std::pair<std::uint32_t, std::uint32_t> wordStartsAround(const Text& t, std::uint32_t offset) {
  const std::size_t n = t.size();
  if (n == 0) return {0, 0};
  if (offset >= n) return {wordStartsAround(t, static_cast<std::uint32_t>(n - 1)).first, static_cast<std::uint32_t>(n)};
  auto wordRunStart = [&](std::size_t k) {
    while (k > 0 && isWordCharacter(t[k - 1])) --k;
    return k;
  };
  std::size_t start = offset;
  if (isWordCharacter(t[offset])) {
    start = wordRunStart(offset);
  } else if (t[offset] == u' ') {
    std::size_t k = offset;
    while (k > 0 && t[k - 1] == u' ') --k;
    // Spaces belong to the word before them; spaces that begin the paragraph are one word.
    start = k == 0 ? 0 : isWordCharacter(t[k - 1]) ? wordRunStart(k - 1) : k - 1;
  }
  std::size_t next = offset;
  if (isWordCharacter(t[next])) {
    while (next < n && isWordCharacter(t[next])) ++next;
  } else if (t[next] != u' ') {
    ++next;
  }
  while (next < n && t[next] == u' ') ++next;
  return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(next)};
}

long wordStartAtOrBefore(const Story& story, long pos) {
  if (pos >= story.length()) return story.length();
  std::size_t b = story.blockAt(pos);
  long bs = story.blockStart(b);
  return bs + wordStartsAround(story.map(b).text, static_cast<std::uint32_t>(pos - bs)).first;
}

long nextWordStart(const Story& story, long pos) {
  if (pos >= story.length()) return story.length();
  std::size_t b = story.blockAt(pos);
  long bs = story.blockStart(b);
  return bs + wordStartsAround(story.map(b).text, static_cast<std::uint32_t>(pos - bs)).second;
}

long previousWordStart(const Story& story, long pos) {
  if (pos <= 0) return 0;
  return wordStartAtOrBefore(story, pos - 1);
}

long nextParagraphStart(const Story& story, long pos) {
  if (pos >= story.length()) return story.length();
  std::size_t b = story.blockAt(pos);
  return story.blockStart(b) + story.map(b).length();
}

long previousParagraphStart(const Story& story, long pos) {
  if (pos <= 0) return 0;
  std::size_t b = story.blockAt(pos - 1);
  return story.blockStart(b);
}

// Moves pos by count units; returns the units actually moved through `moved`.
long movePosition(const Story& story, long pos, int unit, long count, long& moved) {
  moved = 0;
  if (unit == wdCharacter) {
    long target = std::clamp(pos + count, 0L, story.length());
    moved = target - pos;
    return target;
  }
  if (unit == wdStory) {
    long target = count > 0 ? story.length() : 0;
    moved = target == pos ? 0 : (count > 0 ? 1 : -1);
    return target;
  }
  if (unit != wdWord && unit != wdParagraph && unit != wdSentence)
    throw Error(kErrBadArgument, "The unit " + std::to_string(unit) + " is not supported here.");
  bool words = unit == wdWord;
  for (long i = 0; i < std::abs(count); ++i) {
    long next = count > 0 ? (words ? nextWordStart(story, pos) : nextParagraphStart(story, pos))
                          : (words ? previousWordStart(story, pos) : previousParagraphStart(story, pos));
    if (next == pos) break;
    pos = next;
    moved += count > 0 ? 1 : -1;
  }
  return pos;
}

const char* styleOfRun(const Wml& w, pugi::xml_node rPr) { return w.attr(w.child(rPr, "rStyle"), "val").value(); }

// A range whose document was closed keeps its state but no document: it reports so instead of
// reaching into freed memory.
void checkAttached(const RangeState& r) {
  if (!r.doc) throw Error(kErrNoSuchMember, "The range's document has been closed.");
}

// Reads a value of every character of the range: the value, or kUndefined when they differ.
long readFormat(const RangeState& r, const std::function<long(const RunFormat&)>& value) {
  checkAttached(r);
  const Story& story = *r.story;
  long start = r.start, end = r.end;
  if (start == end) {
    if (start > 0) --start;
    else end = std::min(start + 1, story.length());
  }
  long result = kUndefined;
  bool first = true;
  std::optional<RunFormat> unformatted;  // what characters without formatting read as
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    const CharMap& m = story.map(b);
    for (std::size_t i = start > bs ? m.segmentAt(static_cast<std::uint32_t>(start - bs)) : 0; i < m.segments.size(); ++i) {
      const Segment& s = m.segments[i];
      if (bs + s.start >= end) break;
      if (bs + s.start + s.length <= start) continue;
      if (!s.run && s.kind != Seg::ParagraphMark) {
        // A simple field's marks and code, and a row's end, have no formatting of their own:
        // the rest of the range decides, or the paragraph's style when there is nothing else.
        if (!unformatted) unformatted = segmentFormat(s, m, story.wml(), story.styles());
        continue;
      }
      long v = value(segmentFormat(s, m, story.wml(), story.styles()));
      if (first) result = v;
      else if (v != result) return kUndefined;
      first = false;
    }
  }
  if (first && unformatted) return value(*unformatted);
  return result;
}

void setToggle(const Wml& w, pugi::xml_node rPr, const char* name, bool value, bool inherited) {
  if (value == inherited) {
    w.removeChild(rPr, name);
    return;
  }
  pugi::xml_node e = w.ensureChild(rPr, name, Wml::runPropertyOrder());
  if (value) e.remove_attribute(w.name("val").c_str());
  else w.setValue(e, "val", "0");
}

void writeFormat(const RangeState& r, const std::function<void(const Wml&, pugi::xml_node, const RunFormat&)>& set) {
  checkAttached(r);
  Story& story = *r.story;
  const Wml& w = story.wml();
  edit::forEachRun(*r.doc, story, r.start, r.end, [&](pugi::xml_node rPr, const std::string& styleId) {
    set(w, rPr, story.styles().styleFormat(styleId, styleOfRun(w, rPr)));
  });
}

// The paragraphs a range touches (the one holding it when the range is empty).
std::vector<std::size_t> paragraphsOf(const RangeState& r) {
  std::vector<std::size_t> out;
  const Story& story = *r.story;
  long end = std::max(r.end, r.start + 1);
  for (std::size_t b = story.blockAt(r.start); b < story.blocks().size(); ++b) {
    if (story.blockStart(b) >= end) break;
    if (!story.blocks()[b].rowEnd) out.push_back(b);
  }
  return out;
}

double readParagraphs(const RangeState& r, const std::function<double(const ParagraphFormatValues&)>& value) {
  checkAttached(r);
  const Story& story = *r.story;
  double result = kUndefined;
  bool first = true;
  for (std::size_t b : paragraphsOf(r)) {
    pugi::xml_node pPr = story.wml().child(story.blocks()[b].node, "pPr");
    double v = value(story.styles().paragraphFormat(pPr));
    if (first) result = v;
    else if (v != result) return kUndefined;
    first = false;
  }
  return result;
}

void writeParagraphs(const RangeState& r, const std::function<void(const Wml&, pugi::xml_node pPr)>& set) {
  checkAttached(r);
  Story& story = *r.story;
  for (std::size_t b : paragraphsOf(r)) set(story.wml(), story.wml().paragraphProperties(story.blocks()[b].node, true));
  r.doc->noteChange(story);
}

void setSpacing(const Wml& w, pugi::xml_node pPr, const char* which, double points) {
  pugi::xml_node spacing = w.ensureChild(pPr, "spacing", Wml::paragraphPropertyOrder());
  w.setValue(spacing, which, std::to_string(static_cast<long>(points * 20 + 0.5)));
  spacing.remove_attribute(w.name(std::string(which) == "before" ? "beforeAutospacing" : "afterAutospacing").c_str());
}

struct SectionInfo {
  long start, end;
  pugi::xml_node sectPr;
};

std::vector<SectionInfo> sectionsOf(Document& doc) {
  Story& main = doc.mainStory();
  const Wml& w = main.wml();
  std::vector<SectionInfo> out;
  long start = 0;
  for (std::size_t b = 0; b < main.blocks().size(); ++b) {
    pugi::xml_node sectPr = w.child(w.child(main.blocks()[b].node, "pPr"), "sectPr");
    if (!sectPr) continue;
    long end = main.blockStart(b) + main.map(b).length();
    out.push_back({start, end, sectPr});
    start = end;
  }
  out.push_back({start, main.length(), w.child(main.roots().front(), "sectPr")});
  return out;
}

// A section's w:sectPr, created for a body that has none.
pugi::xml_node writableSection(Document& doc, std::size_t index) {
  pugi::xml_node sectPr = sectionsOf(doc)[index].sectPr;
  if (sectPr) return sectPr;
  Story& main = doc.mainStory();
  return pugi::xml_node(main.roots().front()).append_child(main.wml().name("sectPr").c_str());
}

}  // namespace

// ---- Range ----

void Range::check() const {
  if (!s_) throw Error(kErrObjectNotSet, "Object variable not set.");
  checkAttached(*s_);
}

Document& Range::GetDocument() const { check(); return *s_->doc; }
Story& Range::GetStory() const { check(); return *s_->story; }
long Range::Start() const { check(); return s_->start; }
long Range::End() const { check(); return s_->end; }

void Range::SetStart(long pos) {
  check();
  if (pos < 0 || pos > s_->story->length()) throw Error(kErrOutOfRange, "The start " + std::to_string(pos) + " is outside the story.");
  s_->start = pos;
  if (s_->end < pos) s_->end = pos;
}

void Range::SetEnd(long pos) {
  check();
  if (pos < 0 || pos > s_->story->length()) throw Error(kErrOutOfRange, "The end " + std::to_string(pos) + " is outside the story.");
  s_->end = pos;
  if (s_->start > pos) s_->start = pos;
}

void Range::SetRange(long start, long end) {
  if (start > end) std::swap(start, end);
  SetStart(start);
  SetEnd(end);
}

host::Text Range::Characters16() const { check(); return s_->story->text(s_->start, s_->end); }

std::string Range::Text() const {
  check();
  // As the window shows it: hidden text and field codes only when shown, no field marks;
  // a range of nothing visible (a field's code, say) gives its characters less the marks.
  StoryView& view = s_->story->view();
  view.refresh(*s_->story, s_->doc->viewSettings());
  std::size_t from = view.indexAt(*s_->story, s_->start), to = view.indexAt(*s_->story, s_->end);
  host::Text t = view.text().substr(from, to - from);
  if (t.empty()) {
    for (char16_t c : Characters16())
      if (c != ch::kFieldBegin && c != ch::kFieldSeparator && c != ch::kFieldEnd) t += c;
  }
  host::Text out;
  out.reserve(t.size());
  for (char16_t c : t) {
    if (c == ch::kCellEnd) out += u"\r\a";
    else out += c;
  }
  return toUtf8(out);
}

void Range::SetText(std::string_view text) {
  check();
  long start = s_->start;
  edit::erase(*s_->doc, *s_->story, s_->start, s_->end);
  long at = edit::insertionPosition(*s_->story, start);
  long n = edit::insert(*s_->doc, *s_->story, at, {edit::Piece::plain(toText(text))});
  s_->start = at;
  s_->end = at + n;
}

Range Range::Duplicate() const { check(); return s_->doc->makeRange(*s_->story, s_->start, s_->end); }

void Range::Collapse(int direction) {
  check();
  if (direction == wdCollapseEnd) s_->start = s_->end;
  else s_->end = s_->start;
}

long Range::MoveStart(int unit, long count) {
  check();
  long moved = 0;
  s_->start = movePosition(*s_->story, s_->start, unit, count, moved);
  if (s_->end < s_->start) s_->end = s_->start;
  return moved;
}

long Range::MoveEnd(int unit, long count) {
  check();
  long moved = 0;
  s_->end = movePosition(*s_->story, s_->end, unit, count, moved);
  if (s_->start > s_->end) s_->start = s_->end;
  return moved;
}

long Range::Information(int type) const {
  check();
  if (type != wdActiveEndPageNumber) throw Error(kErrBadArgument, "This information about a range is not offered.");
  return s_->doc->pagination().pageOf(*s_->story, s_->end).physical;
}

long Range::Expand(int unit) {
  check();
  const Story& story = *s_->story;
  long oldLength = s_->end - s_->start;
  long start = s_->start, end = s_->end;
  switch (unit) {
    case wdCharacter:
      if (start == end) end = std::min(end + 1, story.length());
      break;
    case wdWord: {
      start = wordStartAtOrBefore(story, start);
      long atEnd = end > start ? wordStartAtOrBefore(story, end) : -1;
      if (atEnd != end) end = nextWordStart(story, end);
      break;
    }
    case wdParagraph:
    case wdSentence: {
      std::size_t b = story.blockAt(start);
      start = story.blockStart(b);
      std::size_t e = story.blockAt(end > start ? end - 1 : start);
      end = story.blockStart(e) + story.map(e).length();
      break;
    }
    case wdStory:
      start = 0;
      end = story.length();
      break;
    default:
      throw Error(kErrBadArgument, "The unit " + std::to_string(unit) + " is not supported here.");
  }
  s_->start = start;
  s_->end = end;
  return (end - start) - oldLength;
}

Range Range::CharactersView::First() const {
  Range r(r_);
  long s = r.Start();
  return r.GetDocument().makeRange(r.GetStory(), s, std::min(s + 1, r.GetStory().length()));
}

Range Range::CharactersView::Last() const {
  Range r(r_);
  long e = r.End();
  long s = e > r.Start() ? e - 1 : e;
  return r.GetDocument().makeRange(r.GetStory(), s, std::max(e, std::min(s + 1, r.GetStory().length())));
}

long Range::CharactersView::Count() const {
  Range r(r_);
  return r.End() - r.Start();
}

Range Range::Words(long index) const {
  check();
  const Story& story = *s_->story;
  long start = s_->start, end = s_->end;
  long ws = wordStartAtOrBefore(story, start);
  if (start == end) return s_->doc->makeRange(*s_->story, ws, nextWordStart(story, ws));
  long n = 0;
  while (ws < end) {
    long we = nextWordStart(story, ws);
    long a = std::max(ws, start), b = std::min(we, end);
    if (a < b && ++n == index) return s_->doc->makeRange(*s_->story, a, b);
    if (we == ws) break;
    ws = we;
  }
  throw Error(kErrNoSuchMember, "The requested member of the collection does not exist.");
}

void Range::Delete() {
  check();
  // An empty range deletes nothing: deleting "the next character" would destroy text no
  // one asked to remove.
  edit::erase(*s_->doc, *s_->story, s_->start, s_->end);
}

// An empty range at the very end of a story gets its text before the last paragraph mark
// and then covers that text.
void Range::InsertBefore(std::string_view text) {
  check();
  long start = s_->start, end = s_->end;
  long at = edit::insertionPosition(*s_->story, start);
  long n = edit::insert(*s_->doc, *s_->story, at, {edit::Piece::plain(toText(text))});
  s_->start = at;
  s_->end = (start == end ? at : end) + n;
}

void Range::InsertAfter(std::string_view text) {
  check();
  long start = s_->start, end = s_->end;
  long at = edit::insertionPosition(*s_->story, end);
  long n = edit::insert(*s_->doc, *s_->story, at, {edit::Piece::plain(toText(text))});
  s_->start = start == end ? at : start;
  s_->end = (start == end ? at : end) + n;
}

void Range::InsertParagraphBefore() { InsertBefore("\r"); }
void Range::InsertParagraphAfter() { InsertAfter("\r"); }

void Range::Select() const { check(); s_->doc->Select(*this); }

int Range::StoryType() const { check(); return s_->story->type(); }
long Range::StoryLength() const { check(); return s_->story->length(); }

Range Range::NextStoryRange() const {
  check();
  Story* next = s_->doc->nextStory(*s_->story);
  return next ? s_->doc->makeRange(*next, 0, next->length()) : Range();
}

long Range::TablesCount() const {
  check();
  const Story& story = *s_->story;
  const Wml& w = story.wml();
  std::set<pugi::xml_node_struct*> tables;
  long end = std::max(s_->end, s_->start + 1);
  for (std::size_t b = story.blockAt(s_->start); b < story.blocks().size(); ++b) {
    if (story.blockStart(b) >= end) break;
    pugi::xml_node outer;
    for (pugi::xml_node n = story.blocks()[b].node.parent(); n; n = n.parent())
      if (w.is(n, "tbl")) outer = n;
    if (outer) tables.insert(outer.internal_object());
  }
  return static_cast<long>(tables.size());
}

host::Sections Range::Sections() const {
  check();
  std::vector<Section> items;
  if (s_->story->type() != wdMainTextStory) return host::Sections(items);
  auto all = sectionsOf(*s_->doc);
  // An empty range stands in the section of the character after it (the last one at the end).
  long start = std::min(s_->start, std::max(s_->story->length() - 1, 0L));
  long end = std::max(s_->end, start + 1);
  for (std::size_t i = 0; i < all.size(); ++i) {
    bool touches = all[i].start < end && all[i].end > start;
    if (touches) items.emplace_back(s_->doc, i);
  }
  return host::Sections(std::move(items));
}

host::Fields Range::Fields() const {
  check();
  return host::Fields(s_->doc, s_->story, fieldsIn(s_->doc, *s_->story, s_->start, s_->end), s_->start);
}

void Range::AddBookmark(const std::string& name) const { check(); s_->doc->Bookmarks().Add(name, *this); }

std::optional<host::Style> Range::Style() const {
  check();
  const Story& story = *s_->story;
  const Wml& w = story.wml();
  std::string charStyle;
  bool uniform = true, first = true;
  long end = std::max(s_->end, s_->start + 1);
  for (std::size_t b = story.blockAt(s_->start); b < story.blocks().size() && uniform; ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    for (const Segment& s : story.map(b).segments) {
      if (bs + s.start >= end || bs + s.start + s.length <= s_->start || s.kind == Seg::ParagraphMark) continue;
      std::string id = s.run ? styleOfRun(w, w.child(s.run, "rPr")) : std::string();
      if (first) charStyle = id;
      else if (id != charStyle) uniform = false;
      first = false;
    }
  }
  if (uniform && !charStyle.empty()) return host::Style(s_->doc, charStyle);
  return ParagraphFormat().Style();
}

long Range::Case() const {
  // The letters the window shows: a hidden index entry's code must not make a capitalised
  // heading read as mixed case.
  host::Text t = toText(Text());
  if (isAllUpper(t)) return wdUpperCase;
  for (char16_t c : t)
    if (u_isupper(c) || u_istitle(c)) return kUndefined;
  return wdLowerCase;
}

void Range::SetCase(long value) {
  check();
  if (value == wdUpperCase) {
    edit::mapText(*s_->doc, *s_->story, s_->start, s_->end, [](const host::Text& t) { return upperSameLength(t); });
  } else if (value == wdLowerCase) {
    edit::mapText(*s_->doc, *s_->story, s_->start, s_->end, [](const host::Text& t) {
      host::Text out(t);
      for (char16_t& c : out) c = static_cast<char16_t>(U16_IS_SURROGATE(c) ? c : u_tolower(c));
      return out;
    });
  } else {
    throw Error(kErrBadArgument, "Only upper and lower case can be set.");
  }
}

long Range::HighlightColorIndex() const {
  check();
  return readFormat(*s_, [](const RunFormat& f) { return static_cast<long>(f.highlight); });
}

void Range::SetHighlightColorIndex(long index) {
  check();
  writeFormat(*s_, [index](const Wml& w, pugi::xml_node rPr, const RunFormat& inherited) {
    if (index == inherited.highlight) {
      w.removeChild(rPr, "highlight");
      return;
    }
    w.setValue(w.ensureChild(rPr, "highlight", Wml::runPropertyOrder()), "val", highlightName(static_cast<int>(index)));
  });
}

// ---- Font ----

Font::Font(Range r) : r_(r.state()) {
  if (!r_) throw Error(kErrObjectNotSet, "Object variable not set.");
}

long Font::Bold() const { return readFormat(*r_, [](const RunFormat& f) { return f.bold ? kTrue : kFalse; }); }
long Font::AllCaps() const { return readFormat(*r_, [](const RunFormat& f) { return f.caps ? kTrue : kFalse; }); }
long Font::Hidden() const { return readFormat(*r_, [](const RunFormat& f) { return f.hidden ? kTrue : kFalse; }); }
long Font::Color() const { return readFormat(*r_, [](const RunFormat& f) { return f.color; }); }

void Font::SetBold(long value) {
  writeFormat(*r_, [value](const Wml& w, pugi::xml_node rPr, const RunFormat& i) { setToggle(w, rPr, "b", value != 0, i.bold); });
}

void Font::SetAllCaps(long value) {
  writeFormat(*r_, [value](const Wml& w, pugi::xml_node rPr, const RunFormat& i) { setToggle(w, rPr, "caps", value != 0, i.caps); });
}

void Font::SetHidden(long value) {
  writeFormat(*r_, [value](const Wml& w, pugi::xml_node rPr, const RunFormat& i) { setToggle(w, rPr, "vanish", value != 0, i.hidden); });
}

void Font::SetColor(long value) {
  writeFormat(*r_, [value](const Wml& w, pugi::xml_node rPr, const RunFormat& inherited) {
    if (value == inherited.color) {
      w.removeChild(rPr, "color");
      return;
    }
    pugi::xml_node c = w.ensureChild(rPr, "color", Wml::runPropertyOrder());
    c.remove_attributes();  // a theme colour would override the value
    w.setValue(c, "val", colorToHex(value));
  });
}

// ---- ParagraphFormat ----

ParagraphFormat::ParagraphFormat(Range r) : r_(r.state()) {
  if (!r_) throw Error(kErrObjectNotSet, "Object variable not set.");
}

double ParagraphFormat::SpaceBefore() const { return readParagraphs(*r_, [](const auto& f) { return f.spaceBefore; }); }
double ParagraphFormat::SpaceAfter() const { return readParagraphs(*r_, [](const auto& f) { return f.spaceAfter; }); }
long ParagraphFormat::Alignment() const {
  return static_cast<long>(readParagraphs(*r_, [](const auto& f) { return static_cast<double>(f.alignment); }));
}

void ParagraphFormat::SetSpaceBefore(double points) {
  writeParagraphs(*r_, [points](const Wml& w, pugi::xml_node pPr) { setSpacing(w, pPr, "before", points); });
}

void ParagraphFormat::SetSpaceAfter(double points) {
  writeParagraphs(*r_, [points](const Wml& w, pugi::xml_node pPr) { setSpacing(w, pPr, "after", points); });
}

void ParagraphFormat::SetAlignment(long alignment) {
  static const char* names[] = {"left", "center", "right", "both"};
  if (alignment < 0 || alignment > 3) throw Error(kErrBadArgument, "Unknown paragraph alignment " + std::to_string(alignment) + ".");
  writeParagraphs(*r_, [alignment](const Wml& w, pugi::xml_node pPr) {
    w.setValue(w.ensureChild(pPr, "jc", Wml::paragraphPropertyOrder()), "val", names[alignment]);
  });
}

std::optional<Style> ParagraphFormat::Style() const {
  checkAttached(*r_);
  const Story& story = *r_->story;
  std::string id;
  bool first = true;
  for (std::size_t b : paragraphsOf(*r_)) {
    const std::string& s = story.map(b).styleId;
    if (first) id = s;
    else if (s != id) return std::nullopt;
    first = false;
  }
  if (id.empty()) return std::nullopt;
  return host::Style(r_->doc, id);
}

void ParagraphFormat::SetStyle(const std::string& styleId) {
  checkAttached(*r_);
  if (!r_->doc->styles().exists(styleId)) throw Error(kErrNoSuchMember, "The style " + styleId + " does not exist.");
  writeParagraphs(*r_, [&styleId](const Wml& w, pugi::xml_node pPr) {
    w.setValue(w.ensureChild(pPr, "pStyle", Wml::paragraphPropertyOrder()), "val", styleId);
  });
  for (std::size_t b : paragraphsOf(*r_)) r_->story->paragraphChanged(b);
}

// ---- Style ----

std::string Style::NameLocal() const { return doc_->styles().name(id_); }

long Style::StyleFont::AllCaps() const { return s_.doc_->styles().styleCaps(s_.id_) ? kTrue : kFalse; }

void Style::StyleFont::SetAllCaps(long value) {
  if (s_.doc_->styles().exists(s_.id_) && s_.doc_->styles().styleCaps(s_.id_) == (value != 0)) return;
  if (!s_.doc_->styles().setStyleCaps(s_.id_, value != 0))
    throw Error(kErrNoSuchMember, "The style " + s_.id_ + " does not exist.");
  s_.doc_->noteStylesChange();
}

// ---- Sections ----

Section Sections::Item(long index) const {
  if (index < 1 || index > Count()) throw Error(kErrNoSuchMember, "The requested member of the collection does not exist.");
  return items_[static_cast<std::size_t>(index - 1)];
}

Range Section::Range() const {
  auto all = sectionsOf(*doc_);
  return doc_->makeRange(doc_->mainStory(), all[index_].start, all[index_].end);
}

long Section::PageSetupView::SectionStart() const {
  auto all = sectionsOf(*s_.doc_);
  pugi::xml_node sectPr = all[s_.index_].sectPr;
  const Wml& w = s_.doc_->mainStory().wml();
  std::string type = w.value(w.child(sectPr, "type"), "val");
  if (type == "continuous") return wdSectionContinuous;
  if (type == "nextColumn") return wdSectionNewColumn;
  if (type == "evenPage") return wdSectionEvenPage;
  if (type == "oddPage") return wdSectionOddPage;
  return wdSectionNewPage;
}

void Section::PageSetupView::SetSectionStart(long value) {
  static const char* names[] = {"continuous", "nextColumn", "nextPage", "evenPage", "oddPage"};
  if (value < 0 || value > 4) throw Error(kErrBadArgument, "Unknown section start " + std::to_string(value) + ".");
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  w.setValue(w.ensureChild(writableSection(*s_.doc_, s_.index_), "type", Wml::sectionPropertyOrder()), "val", names[value]);
  s_.doc_->noteChange(main);
}

bool Section::PageSetupView::RestartNumberingAtSection() const {
  const Wml& w = s_.doc_->mainStory().wml();
  pugi::xml_node numbers = w.child(sectionsOf(*s_.doc_)[s_.index_].sectPr, "pgNumType");
  return !w.value(numbers, "start").empty();
}

void Section::PageSetupView::SetRestartNumberingAtSection(bool value) {
  if (value == RestartNumberingAtSection()) return;
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  pugi::xml_node sectPr = writableSection(*s_.doc_, s_.index_);
  if (value) {
    w.setValue(w.ensureChild(sectPr, "pgNumType", Wml::sectionPropertyOrder()), "start", "1");
  } else {
    pugi::xml_node numbers = w.child(sectPr, "pgNumType");
    numbers.remove_attribute(w.name("start").c_str());
    if (!numbers.first_attribute() && !numbers.first_child()) sectPr.remove_child(numbers);
  }
  s_.doc_->noteChange(main);
}

long Section::PageSetupView::StartingNumber() const {
  const Wml& w = s_.doc_->mainStory().wml();
  std::string start = w.value(w.child(sectionsOf(*s_.doc_)[s_.index_].sectPr, "pgNumType"), "start");
  return start.empty() ? 0 : std::max(0L, std::strtol(start.c_str(), nullptr, 10));
}

void Section::PageSetupView::SetStartingNumber(long value) {
  if (value < 0) throw Error(kErrBadArgument, "A page number cannot start at " + std::to_string(value) + ".");
  if (!RestartNumberingAtSection()) return;
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  w.setValue(w.child(writableSection(*s_.doc_, s_.index_), "pgNumType"), "start", std::to_string(value));
  s_.doc_->noteChange(main);
}

host::Sections Document::Sections() {
  std::vector<Section> items;
  auto all = sectionsOf(*this);
  for (std::size_t i = 0; i < all.size(); ++i) items.emplace_back(this, i);
  return host::Sections(std::move(items));
}

}  // namespace host
