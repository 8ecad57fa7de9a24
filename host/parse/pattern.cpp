#include "host/parse/pattern.h"

#include <algorithm>
#include <climits>
#include <string>

#include <unicode/uchar.h>

#include "host/platform/error.h"

namespace host {

namespace {

constexpr long kStepBudget = 20'000'000;  // a pattern that needs more is refused, not left to hang

[[noreturn]] void bad(const std::string& why) {
  throw Error(kErrBadPattern, "The find text contains an invalid pattern: " + why + ".");
}

bool isDoubleQuote(char16_t c) { return c == u'"' || c == u'\u201C' || c == u'\u201D'; }
bool isSingleQuote(char16_t c) { return c == u'\'' || c == u'\u2018' || c == u'\u2019'; }

char16_t fold(char16_t c) {
  return U16_IS_SURROGATE(c) ? c : static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

// The character of a ^ code shared by plain and wildcard text (0 when it is not one).
char16_t caretCode(char16_t c) {
  switch (c) {
    case u'p': return ch::kParagraph;
    case u't': return ch::kTab;
    case u'l': return ch::kLineBreak;
    case u'm': return ch::kPageBreak;
    case u'n': return ch::kColumnBreak;
    case u'-': return ch::kSoftHyphen;
    case u'~': return ch::kNoBreakHyphen;
    case u'^': return u'^';
    case u's': return u'\u00A0';
    default: return 0;
  }
}

}  // namespace

Pattern::Pattern(const Text& findText, bool wildcards, bool matchCase) : folded_(!wildcards && !matchCase) {
  // Text without a character that has case (quotes, digits, punctuation) matches alike either
  // way, and needs no folded copy of the story.
  if (folded_ && std::none_of(findText.begin(), findText.end(), [](char16_t c) {
        return U16_IS_SURROGATE(c) || u_hasBinaryProperty(c, UCHAR_CASE_SENSITIVE);
      }))
    folded_ = false;
  if (wildcards) compileWildcards(findText);
  else compilePlain(findText);
  prepareLiteral();
}

void Pattern::prepareLiteral() {
  for (const Unit& u : units_)
    if (u.kind != Unit::Char || u.min != 1 || u.max != 1 || u.c == u'"' || u.c == u'\'') return;
  for (const Unit& u : units_) literal_ += u.c;
  const std::size_t m = literal_.size();
  skip_.fill(m);
  for (std::size_t i = 0; i + 1 < m; ++i) skip_[literal_[i] & 0xFF] = m - 1 - i;
  signature_ = TextSignature::of(literal_).bits();
  withinParagraph_ = literal_.find_first_of(Text{ch::kParagraph, ch::kCellEnd}) == Text::npos;
}

std::pair<std::size_t, std::size_t> Pattern::searchLiteral(const Text& text, std::size_t from, std::size_t to,
                                                           bool wholeWord) const {
  const std::size_t m = literal_.size();
  const char16_t* t = text.data();
  for (std::size_t at = from; at + m <= to;) {
    char16_t last = t[at + m - 1];
    if (last == literal_[m - 1] && std::equal(literal_.begin(), literal_.end() - 1, t + at) &&
        (!wholeWord || wholeWordAt(text, at, at + m)))
      return {at, at + m};
    at += skip_[last & 0xFF];
  }
  return {npos, npos};
}

void Pattern::compilePlain(const Text& t) {
  for (std::size_t i = 0; i < t.size(); ++i) {
    Unit u;
    u.c = t[i];
    if (t[i] == u'^' && i + 1 < t.size()) {
      char16_t next = t[++i];
      if (char16_t code = caretCode(next)) {
        u.c = code;
      } else if (next == u'?') {
        u.kind = Unit::Any;
      } else if (next == u'#') {
        u.kind = Unit::Set;
        u.ranges = {{u'0', u'9'}};
      } else if (next == u'$') {
        u.kind = Unit::Set;
        u.ranges = {{u'A', u'Z'}, {u'a', u'z'}};
      } else {
        u.c = next;
      }
    }
    if (folded_ && u.kind == Unit::Char) u.c = fold(u.c);
    units_.push_back(u);
  }
}

void Pattern::compileWildcards(const Text& t) {
  int groups = 0;
  auto quantifiable = [this](const char* what) -> Unit& {
    if (units_.empty() || units_.back().kind == Unit::Star || units_.back().kind == Unit::WordStart ||
        units_.back().kind == Unit::WordEnd || units_.back().max != 1 || units_.back().min != 1)
      bad(std::string(what) + " must follow a character, ? or a [...] set");
    return units_.back();
  };
  for (std::size_t i = 0; i < t.size(); ++i) {
    char16_t c = t[i];
    Unit u;
    switch (c) {
      case u'?': u.kind = Unit::Any; break;
      case u'*':
        u.kind = Unit::Star;
        u.min = 0;
        u.max = INT_MAX;
        break;
      case u'<': u.kind = Unit::WordStart; break;
      case u'>': u.kind = Unit::WordEnd; break;
      case u'(': ++groups; continue;
      case u')':
        if (--groups < 0) bad("a ) has no matching (");
        continue;
      case u'@': {
        Unit& prev = quantifiable("@");
        prev.max = INT_MAX;
        continue;
      }
      case u'{': {
        Unit& prev = quantifiable("{n}");
        std::size_t close = t.find(u'}', i);
        if (close == Text::npos) bad("a { has no closing }");
        std::string inside = toUtf8(t.substr(i + 1, close - i - 1));
        std::size_t comma = inside.find(',');
        auto number = [&](const std::string& s) {
          if (s.empty() || s.size() > 4 || s.find_first_not_of("0123456789") != std::string::npos)
            bad("{" + inside + "} is not a count the pattern language accepts");
          return std::stoi(s);
        };
        prev.min = number(inside.substr(0, comma));
        prev.max = comma == std::string::npos   ? prev.min
                   : comma + 1 == inside.size() ? INT_MAX
                                                : number(inside.substr(comma + 1));
        if (prev.max < prev.min || prev.max == 0) bad("{" + inside + "} counts backwards or to nothing");
        i = close;
        continue;
      }
      case u'}': bad("a } has no opening {");
      case u'[': {
        u.kind = Unit::Set;
        std::size_t j = i + 1;
        if (j < t.size() && t[j] == u'!') {
          u.negate = true;
          ++j;
        }
        bool closed = false;
        while (j < t.size()) {
          char16_t a = t[j];
          if (a == u']' && (j > i + 1 + (u.negate ? 1 : 0))) {
            closed = true;
            break;
          }
          if (a == u'\\' && j + 1 < t.size()) a = t[++j];
          char16_t b = a;
          if (j + 2 < t.size() && t[j + 1] == u'-' && t[j + 2] != u']') {
            b = t[j + 2];
            j += 2;
            if (b < a) bad("the range " + toUtf8(Text{a, u'-', b}) + " runs backwards");
          }
          u.ranges.emplace_back(a, b);
          ++j;
        }
        if (!closed) bad("a [ has no closing ]");
        i = j;
        break;
      }
      case u'\\':
        if (i + 1 >= t.size()) bad("it ends with a lone \\");
        u.c = t[++i];
        break;
      case u'^':
        if (i + 1 >= t.size()) bad("it ends with a lone ^");
        if (char16_t code = caretCode(t[i + 1])) {
          u.c = code;
          ++i;
        } else if (u_isdigit(t[i + 1])) {
          std::size_t j = i + 1;
          int value = 0;
          while (j < t.size() && u_isdigit(t[j]) && j < i + 6) value = value * 10 + (t[j++] - u'0');
          u.c = static_cast<char16_t>(value);
          i = j - 1;
        } else {
          bad("^" + toUtf8(Text(1, t[i + 1])) + " is not a code the pattern language accepts");
        }
        break;
      default: u.c = c;
    }
    units_.push_back(u);
  }
  if (groups != 0) bad("a ( has no matching )");
}

bool Pattern::accepts(const Unit& u, char16_t c) const {
  switch (u.kind) {
    case Unit::Any: return true;
    case Unit::Set: {
      bool in = false;
      for (auto [a, b] : u.ranges) in = in || (c >= a && c <= b) || (a == u'"' && b == u'"' && isDoubleQuote(c));
      return in != u.negate;
    }
    case Unit::Char:
      if (u.c == c) return true;
      if (u.c == u'"') return isDoubleQuote(c);
      if (u.c == u'\'') return isSingleQuote(c);
      return false;
    default: return false;
  }
}

long Pattern::matchAt(const Text& text, std::size_t unit, std::size_t at, std::size_t limit, long& budget) const {
  if (--budget < 0) bad("it is too complex to search with");
  if (unit == units_.size()) return static_cast<long>(at);
  const Unit& u = units_[unit];
  switch (u.kind) {
    case Unit::WordStart: {
      bool ok = (at == 0 || !isWordCharacter(text[at - 1])) && at < text.size() && isWordCharacter(text[at]);
      return ok ? matchAt(text, unit + 1, at, limit, budget) : -1;
    }
    case Unit::WordEnd: {
      bool ok = at > 0 && isWordCharacter(text[at - 1]) && (at >= text.size() || !isWordCharacter(text[at]));
      return ok ? matchAt(text, unit + 1, at, limit, budget) : -1;
    }
    case Unit::Star:  // the shortest run that lets the rest match
      for (std::size_t k = at; k <= limit; ++k) {
        long end = matchAt(text, unit + 1, k, limit, budget);
        if (end >= 0) return end;
      }
      return -1;
    default: {
      std::size_t count = 0;
      std::size_t most = static_cast<std::size_t>(u.max);
      while (count < most && at + count < limit && accepts(u, text[at + count])) ++count;
      // The characters looked at count against the budget too, or a pattern of many starts
      // and long repeats would take minutes to be refused.
      budget -= static_cast<long>(count);
      if (count < static_cast<std::size_t>(u.min)) return -1;
      for (std::size_t k = count + 1; k-- > static_cast<std::size_t>(u.min);) {
        long end = matchAt(text, unit + 1, at + k, limit, budget);
        if (end >= 0) return end;
      }
      return -1;
    }
  }
}

bool Pattern::wholeWordAt(const Text& text, std::size_t start, std::size_t end) const {
  return (start == 0 || !isWordCharacter(text[start - 1])) && (end >= text.size() || !isWordCharacter(text[end]));
}

std::pair<std::size_t, std::size_t> Pattern::search(const Text& text, std::size_t from, std::size_t to,
                                                    bool wholeWord) const {
  if (units_.empty()) return {npos, npos};
  to = std::min(to, text.size());
  if (!literal_.empty()) return searchLiteral(text, from, to, wholeWord);
  long budget = kStepBudget;
  const Unit& first = units_.front();
  bool literalFirst = first.kind == Unit::Char && first.min >= 1 && first.c != u'"' && first.c != u'\'';
  for (std::size_t at = from; at < to; ++at) {
    if (literalFirst) {
      at = text.find(first.c, at);
      if (at == Text::npos || at >= to) break;
    } else if (first.kind == Unit::Char && first.min >= 1 && !accepts(first, text[at])) {
      continue;  // a quote first: most places are passed over without trying the whole pattern
    }
    long end = matchAt(text, 0, at, to, budget);
    if (end > static_cast<long>(at) && (!wholeWord || wholeWordAt(text, at, static_cast<std::size_t>(end))))
      return {at, static_cast<std::size_t>(end)};
  }
  return {npos, npos};
}

std::pair<std::size_t, std::size_t> Pattern::search(const SignedText& paragraphs, std::size_t from, std::size_t to,
                                                    bool wholeWord) const {
  const Text& text = paragraphs.text;
  const std::size_t m = literal_.size();
  if (m < TextSignature::kGram || !withinParagraph_) return search(text, from, to, wholeWord);
  to = std::min(to, text.size());
  const std::vector<std::size_t>& first = paragraphs.first;
  const std::size_t count = paragraphs.signatures.size();
  auto after = std::upper_bound(first.begin(), first.begin() + static_cast<long>(count), from);
  const std::size_t start = after == first.begin() ? 0 : static_cast<std::size_t>(after - first.begin()) - 1;
  for (std::size_t b = paragraphs.signatures.next(signature_, start); b < count && first[b] < to;
       b = paragraphs.signatures.next(signature_, b + 1)) {
    const std::size_t begin = first[b], end = first[b + 1];
    if (end <= from) continue;
    // A match cannot run past a paragraph's mark, so a paragraph ending in one must hold it.
    const bool closed = end > begin && (text[end - 1] == ch::kParagraph || text[end - 1] == ch::kCellEnd);
    auto found = searchLiteral(text, std::max(from, begin), std::min(to, closed ? end : end + m - 1), wholeWord);
    if (found.first != npos) return found;
  }
  return {npos, npos};
}

std::pair<std::size_t, std::size_t> Pattern::searchBackward(const Text& text, std::size_t from, std::size_t to,
                                                            bool wholeWord) const {
  std::pair<std::size_t, std::size_t> last{npos, npos};
  for (auto m = search(text, from, to, wholeWord); m.first != npos; m = search(text, m.first + 1, to, wholeWord))
    last = m;
  return last;
}

}  // namespace host
