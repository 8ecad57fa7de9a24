#include "host/model/range.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>

#include <unicode/uchar.h>

#include "host/layout/pagination.h"
#include "host/model/document.h"
#include "host/model/range_format.h"
#include "host/parse/pattern.h"
#include "host/platform/error.h"
#include "host/text/edit.h"
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

}  // namespace

// ---- Range ----

DocumentRef::DocumentRef(Document* doc) : s_(doc->handleState()) {}

Document& DocumentRef::operator*() const {
  checkAttached(*s_);
  return *s_->doc;
}

void Range::check() const {
  if (!s_) throw Error(kErrObjectNotSet, "Object variable not set.");
  checkAttached(*s_);
}

Document& Range::GetDocument() const {
  check();
  return *s_->doc;
}
Story& Range::GetStory() const {
  check();
  return *s_->story;
}
long Range::Start() const {
  check();
  return s_->start;
}
long Range::End() const {
  check();
  return s_->end;
}

void Range::SetStart(long pos) {
  check();
  if (pos < 0 || pos > s_->story->length())
    throw Error(kErrOutOfRange, "The start " + std::to_string(pos) + " is outside the story.");
  s_->start = pos;
  if (s_->end < pos) s_->end = pos;
}

void Range::SetEnd(long pos) {
  check();
  if (pos < 0 || pos > s_->story->length())
    throw Error(kErrOutOfRange, "The end " + std::to_string(pos) + " is outside the story.");
  s_->end = pos;
  if (s_->start > pos) s_->start = pos;
}

void Range::SetRange(long start, long end) {
  if (start > end) std::swap(start, end);
  SetStart(start);
  SetEnd(end);
}

host::Text Range::Characters16() const {
  check();
  return s_->story->text(s_->start, s_->end);
}

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
  // Characters written over as many plain ones stay where those were: in their runs, with their
  // formatting, and deleted text stays deleted.
  const host::Text written = toText(text);
  if (edit::overwrite(*s_->doc, *s_->story, s_->start, s_->end, written)) return;
  long start = s_->start;
  edit::erase(*s_->doc, *s_->story, s_->start, s_->end);
  long at = edit::insertionPosition(*s_->story, start);
  long n = edit::insert(*s_->doc, *s_->story, at, {edit::Piece::plain(written)});
  s_->start = at;
  s_->end = at + n;
}

Range Range::Duplicate() const {
  check();
  return s_->doc->makeRange(*s_->story, s_->start, s_->end);
}

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
  if (type == wdActiveEndPageNumber) return s_->doc->pagination().pageOf(*s_->story, s_->end).physical;
  if (type != wdInFieldCode && type != wdInFieldResult)
    throw Error(kErrBadArgument, "This information about a range is not offered.");
  // The start lies in a field's code between its begin mark and its separator (its end when it
  // has none), in its result between the separator and the end.
  const long at = s_->start;
  for (const Field& field : fieldsIn(s_->doc, *s_->story, 0, s_->story->length())) {
    const FieldSpan span = field.Span();
    const long codeEnd = span.separator >= 0 ? span.separator : span.end;
    const bool inside = type == wdInFieldCode ? span.begin < at && at <= codeEnd : codeEnd < at && at <= span.end;
    if (inside) return kTrue;
  }
  return kFalse;
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
    default: throw Error(kErrBadArgument, "The unit " + std::to_string(unit) + " is not supported here.");
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

void Range::Select() const {
  check();
  s_->doc->Select(*this);
}

int Range::StoryType() const {
  check();
  return s_->story->type();
}
long Range::StoryLength() const {
  check();
  return s_->story->length();
}

Range Range::NextStoryRange() const {
  check();
  Story* next = s_->doc->nextStory(*s_->story);
  return next ? s_->doc->makeRange(*next, 0, next->length()) : Range();
}

namespace {

// The outermost elements of one kind around the paragraphs a range touches.
long outermostAround(const RangeState& r, const char* local) {
  const Story& story = *r.story;
  const Wml& w = story.wml();
  std::set<pugi::xml_node_struct*> found;
  long end = std::max(r.end, r.start + 1);
  for (std::size_t b = story.blockAt(r.start); b < story.blocks().size(); ++b) {
    if (story.blockStart(b) >= end) break;
    pugi::xml_node outer;
    for (pugi::xml_node n = story.blocks()[b].node.parent(); n; n = n.parent())
      if (w.is(n, local)) outer = n;
    if (outer) found.insert(outer.internal_object());
  }
  return static_cast<long>(found.size());
}

}  // namespace

long Range::TablesCount() const {
  check();
  return outermostAround(*s_, "tbl");
}

long Range::ContentControlsCount() const {
  check();
  return outermostAround(*s_, "sdt");
}

host::Fields Range::Fields() const {
  check();
  return host::Fields(s_->doc, s_->story, fieldsIn(s_->doc, *s_->story, s_->start, s_->end), s_->start);
}

void Range::AddBookmark(const std::string& name) const {
  check();
  s_->doc->Bookmarks().Add(name, *this);
}

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
    edit::mapText(*s_->doc, *s_->story, s_->start, s_->end,
                  [](const host::Text& t, long) { return upperSameLength(t); });
  } else if (value == wdLowerCase) {
    edit::mapText(*s_->doc, *s_->story, s_->start, s_->end, [](const host::Text& t, long) {
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
  writeFormat(*s_, [index](const RunProperties& p, const RunFormat& inherited) {
    p.setHighlight(index == inherited.highlight ? std::nullopt
                                                : std::optional<std::string>(highlightName(static_cast<int>(index))));
  });
}

}  // namespace host
