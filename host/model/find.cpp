#include "host/model/find.h"

#include <optional>
#include <vector>

#include "host/model/document.h"
#include "host/parse/pattern.h"
#include "host/platform/error.h"
#include "host/text/edit.h"
#include "host/text/story.h"

namespace host {

namespace {

using Match = std::pair<std::size_t, std::size_t>;  // [start, end) in the view
constexpr std::size_t npos = Pattern::npos;

bool opensQuote(std::optional<char16_t> previous) {
  if (!previous) return true;
  switch (*previous) {
    case ch::kParagraph:
    case ch::kCellEnd:
    case ch::kLineBreak:
    case ch::kPageBreak:
    case ch::kTab:
    case u' ':
    case u'\u00A0':
    case u'(':
    case u'[':
    case u'{': return true;
    default: return false;
  }
}

// Types straight double quotes as smart quotes would, each deciding by what precedes it.
Text smartQuotes(const Text& text, std::optional<char16_t> previous) {
  Text out;
  for (char16_t c : text) {
    if (c == u'"') c = opensQuote(previous) ? u'\u201C' : u'\u201D';
    out += c;
    previous = c;
  }
  return out;
}

// Puts text in place of [start, end) and returns its length. A replacement as long as what it
// replaces is written over it, so that each character keeps its run and its formatting, and
// deleted text stays deleted.
long replaceFound(Document& doc, Story& story, long start, long end, const host::Text& text) {
  if (edit::overwrite(doc, story, start, end, text)) return end - start;
  long n = edit::insert(doc, story, end, {edit::Piece::plain(text)});
  edit::erase(doc, story, start, end);
  return n;
}

// The replacement text with ^& (the found text), ^p, ^t and ^^ expanded.
Text expandReplacement(const Text& replacement, const Text& found) {
  Text out;
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    char16_t c = replacement[i];
    if (c == u'^' && i + 1 < replacement.size()) {
      char16_t n = replacement[++i];
      if (n == u'&') out += found;
      else if (n == u'p') out += ch::kParagraph;
      else if (n == u't') out += ch::kTab;
      else if (n == u'l') out += ch::kLineBreak;
      else out += n;
      continue;
    }
    out += c;
  }
  return out;
}

// Reads the formatting of visible characters, one segment at a time.
class FormatReader {
 public:
  FormatReader(const Story& story, const StoryView& view) : story_(story), view_(view) {}
  bool satisfies(std::size_t i, const FindFormat& f) {
    StoryView::Place p = view_.place(i);
    const CharMap& m = story_.map(p.block);
    std::size_t seg = m.segmentAt(p.offset);
    if (p.block != block_ || seg != segment_) {
      block_ = p.block;
      segment_ = seg;
      format_ = segmentFormat(m.segments[seg], m, story_.wml(), story_.styles());
    }
    if (f.color && format_.color != *f.color) return false;
    if (f.bold && format_.bold != *f.bold) return false;
    if (f.highlight && (format_.highlight != 0) != *f.highlight) return false;
    return true;
  }

 private:
  const Story& story_;
  const StoryView& view_;
  std::size_t block_ = static_cast<std::size_t>(-1), segment_ = 0;
  RunFormat format_;
};

// The settings' find text compiled (none for a formatting-only find).
std::shared_ptr<const Pattern> compiledPattern(FindSettings& s) {
  if (s.text.empty()) return nullptr;
  if (!s.compiled || s.compiledText != s.text || s.compiledWildcards != s.matchWildcards ||
      s.compiledCase != s.matchCase) {
    s.compiled = std::make_shared<const Pattern>(toText(s.text), s.matchWildcards, s.matchCase);
    s.compiledText = s.text;
    s.compiledWildcards = s.matchWildcards;
    s.compiledCase = s.matchCase;
  }
  return s.compiled;
}

class Search {
 public:
  Search(FindSettings& s, const Story& story, StoryView& view)
      : s_(s), story_(story), view_(view), reader_(story, view), pattern_(compiledPattern(s)) {}

  bool possible() const { return pattern_ || !s_.condition.empty(); }

  Match next(std::size_t from, std::size_t to) {
    if (!pattern_) return nextFormatted(from, to);
    bool whole = s_.matchWholeWord && !s_.matchWildcards;
    const SignedText text = pattern_->folded() ? view_.signedFolded() : view_.signedText();
    for (Match m = pattern_->search(text, from, to, whole); m.first != npos;
         m = pattern_->search(text, m.first + 1, to, whole)) {
      if (formatted(m)) return m;
    }
    return {npos, npos};
  }

  Match previous(std::size_t from, std::size_t to) {
    Match last{npos, npos};
    for (Match m = next(from, to); m.first != npos; m = next(m.first + 1, to)) last = m;
    return last;
  }

 private:
  bool formatted(Match m) {
    if (s_.condition.empty()) return true;
    for (std::size_t i = m.first; i < m.second; ++i)
      if (!reader_.satisfies(i, s_.condition)) return false;
    return true;
  }

  // Formatting alone: the next stretch of visible characters that carries every condition.
  Match nextFormatted(std::size_t from, std::size_t to) {
    std::size_t i = from;
    while (i < to && !reader_.satisfies(i, s_.condition)) ++i;
    if (i >= to) return {npos, npos};
    std::size_t j = i;
    while (j < to && reader_.satisfies(j, s_.condition)) ++j;
    return {i, j};
  }

  const FindSettings& s_;
  const Story& story_;
  StoryView& view_;
  FormatReader reader_;
  std::shared_ptr<const Pattern> pattern_;
};

void applyFormat(Range r, const FindFormat& f, const Options& options) {
  if (f.color) r.Font().SetColor(*f.color);
  if (f.bold) r.Font().SetBold(*f.bold ? kTrue : kFalse);
  if (f.highlight) r.SetHighlightColorIndex(*f.highlight ? options.DefaultHighlightColorIndex : 0);
}

}  // namespace

Find::Find(Range range) : range_(std::move(range)) {
  const auto& state = range_.state();
  if (!state) throw Error(kErrObjectNotSet, "Object variable not set.");
  if (!state->find) state->find = std::make_shared<FindSettings>();
  s_ = state->find;
}

Find Range::Find() const {
  check();
  return host::Find(*this);
}

bool Find::Execute(int replace) {
  if (s_->matchSoundsLike || s_->matchAllWordForms)
    throw Error(kErrBadArgument, "Finding words that sound alike or all word forms is not supported.");
  Document& doc = range_.GetDocument();
  Story& story = range_.GetStory();
  StoryView& view = story.view();
  view.refresh(story, doc.viewSettings());
  s_->found = false;
  Search search(*s_, story, view);
  if (!search.possible()) return false;

  long start = range_.Start(), end = range_.End();
  bool continuing = start < end && start == s_->lastStart && end == s_->lastEnd;
  std::size_t from = view.indexAt(story, continuing ? end : start);
  std::size_t to = (!continuing && start < end) ? view.indexAt(story, end) : view.size();
  if (!s_->forward) {
    to = view.indexAt(story, start);
    from = (!continuing && start < end) ? to : 0;
    if (!continuing && start < end) {
      from = view.indexAt(story, start);
      to = view.indexAt(story, end);
    }
  }
  if (replace == wdReplaceAll) {
    s_->lastStart = s_->lastEnd = -1;
    if (s_->wrap == wdFindContinue) {
      from = 0;
      to = view.size();
    }
    std::vector<Match> matches;
    for (Match m = search.next(from, to); m.first != npos; m = search.next(m.second, to)) matches.push_back(m);
    struct Place {
      long start, end;
      host::Text found;
      std::optional<char16_t> previous;
    };
    std::vector<Place> places;
    for (Match m : matches) {
      places.push_back({view.position(story, m.first), view.position(story, m.second - 1) + 1,
                        view.text().substr(m.first, m.second - m.first),
                        m.first > 0 ? std::optional<char16_t>(view.text()[m.first - 1]) : std::nullopt});
    }
    host::Text replacementText = toText(s_->replacementText);
    bool formatOnly = replacementText.empty() && !s_->replacement.empty();
    for (auto it = places.rbegin(); it != places.rend(); ++it) {
      Range target = doc.makeRange(story, it->start, it->end);
      if (!formatOnly) {
        host::Text text = expandReplacement(replacementText, it->found);
        if (doc.options().AutoFormatAsYouTypeReplaceQuotes) text = smartQuotes(text, it->previous);
        if (text != it->found)
          target.SetRange(it->start, it->start + replaceFound(doc, story, it->start, it->end, text));
      }
      applyFormat(target, s_->replacement, doc.options());
    }
    s_->found = !places.empty();
    return s_->found;
  }

  Match m = s_->forward ? search.next(from, to) : search.previous(from, to);
  if (m.first == npos && s_->wrap == wdFindContinue)
    m = s_->forward ? search.next(0, from) : search.previous(to, view.size());
  if (m.first == npos) return false;
  long ms = view.position(story, m.first), me = view.position(story, m.second - 1) + 1;
  if (replace == wdReplaceOne) {
    host::Text found = view.text().substr(m.first, m.second - m.first);
    std::optional<char16_t> previous = m.first > 0 ? std::optional<char16_t>(view.text()[m.first - 1]) : std::nullopt;
    host::Text replacementText = toText(s_->replacementText);
    if (!(replacementText.empty() && !s_->replacement.empty())) {
      host::Text text = expandReplacement(replacementText, found);
      if (doc.options().AutoFormatAsYouTypeReplaceQuotes) text = smartQuotes(text, previous);
      me = ms + replaceFound(doc, story, ms, me, text);
    }
    applyFormat(doc.makeRange(story, ms, me), s_->replacement, doc.options());
  }
  range_.SetRange(ms, me);
  s_->lastStart = ms;
  s_->lastEnd = me;
  s_->found = true;
  return true;
}

}  // namespace host
