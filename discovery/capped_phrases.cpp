#include "discovery/capped_phrases.h"

#include <algorithm>
#include <array>

#include "host/text/text.h"
#include "util/quick_sort.h"

namespace discovery {

namespace {

// Words that never begin a phrase: articles and the small words of names, and the words that
// open sentences capitalised only for that.
constexpr std::array<std::u16string_view, 12> kNeverFirst = {u"the", u"this", u"and", u"for",     u"if", u"in",
                                                             u"at",  u"as",   u"a",   u"between", u"of", u"an"};
// What may stand between two capitalised words of one name.
constexpr std::array<std::u16string_view, 9> kBridges = {u"of",     u"of the", u"of a", u"and",    u"in",
                                                         u"in the", u"as",     u"as a", u"between"};

bool isSpace(char16_t c) { return c == u' ' || c == u'\u00A0'; }

std::u16string lower(std::u16string_view word) {
  std::u16string out(word);
  for (char16_t& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return out;
}

template <std::size_t N>
bool among(const std::array<std::u16string_view, N>& list, std::u16string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// What lies between two words.
struct Gap {
  bool spaces = false;     // spaces only
  bool ampersand = false;  // spaces round one "&"
  bool newSentence = false;
};

Gap readGap(std::u16string_view gap) {
  Gap g;
  g.spaces = !gap.empty() && std::all_of(gap.begin(), gap.end(), isSpace);
  const std::size_t a = gap.find_first_not_of(u" \u00A0");
  g.ampersand = a != std::u16string_view::npos && gap[a] == u'&' && a > 0 &&
                gap.find_first_not_of(u" \u00A0", a + 1) == std::u16string_view::npos && a + 1 < gap.size();
  // A full stop, question or exclamation mark followed by white space, or a tab (a clause
  // number's), starts a sentence.
  bool stop = false;
  for (char16_t c : gap) {
    if (c == u'\t') g.newSentence = true;
    if (c == u'.' || c == u'!' || c == u'?') stop = true;
    else if (stop && isSpace(c)) g.newSentence = true;
  }
  return g;
}

// A word less its possessive ending ("Seller's", "Parties'"); possessive says one was taken.
std::u16string_view stem(std::u16string_view word, bool& possessive) {
  possessive = false;
  auto apostrophe = [](char16_t c) { return c == u'\'' || c == u'\u2019'; };
  if (word.size() > 2 && apostrophe(word[word.size() - 2]) && (word.back() == u's' || word.back() == u'S')) {
    possessive = true;
    return word.substr(0, word.size() - 2);
  }
  if (word.size() > 1 && apostrophe(word.back())) {
    possessive = true;
    return word.substr(0, word.size() - 1);
  }
  return word;
}

}  // namespace

bool IsCappedWord(std::u16string_view word) { return !word.empty() && word[0] >= u'A' && word[0] <= u'Z'; }

void CappedPhrases::AddParagraph(std::u16string_view text, const Accept& accept) {
  if (host::isAllUpper(text)) return;
  Phrase current{};
  std::u16string pending;  // small words waiting for the next capitalised word
  bool open = false;
  auto close = [&] {
    if (open) phrases_.push_back(current);
    open = false;
    pending.clear();
  };
  bool sentenceStart = true;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t start = i;
    while (start < text.size() && !host::isWordCharacter(text[start])) ++start;
    const Gap gap = readGap(text.substr(i, start - i));
    if (start == text.size()) break;
    std::size_t end = start;
    while (end < text.size() && host::isWordCharacter(text[end])) ++end;
    i = end;
    if (gap.newSentence) sentenceStart = true;
    const bool initial = sentenceStart;
    sentenceStart = false;

    bool possessive = false;
    const std::u16string_view word = stem(text.substr(start, end - start), possessive);
    const bool joined = open && (gap.spaces || gap.ampersand);
    if (!joined) close();
    if (IsCappedWord(word) && accept(word, start, start + word.size())) {
      if (!initial) midSentence_.insert(std::u16string(word));
      if (open && gap.ampersand && pending.empty()) {
        current.text += u" & ";
        current.text += word;
        if (current.rest.empty()) current.rest = std::u16string(word);
        else current.rest += std::u16string(u" & ") + std::u16string(word);
      } else if (open && gap.spaces) {
        const std::u16string joint = pending.empty() ? u" " : u" " + pending + u" ";
        current.text += joint + std::u16string(word);
        current.rest += current.rest.empty() ? std::u16string(word) : joint + std::u16string(word);
        pending.clear();
      } else {
        close();
        if (!among(kNeverFirst, lower(word))) {
          current = Phrase{std::u16string(word), std::u16string(word), u"", initial};
          open = true;
        }
      }
      if (possessive) close();
      continue;
    }
    // A small word may carry a name on; anything else ends it.
    const std::u16string candidate = pending.empty() ? std::u16string(word) : pending + u" " + std::u16string(word);
    if (open && gap.spaces && !possessive && among(kBridges, candidate)) pending = candidate;
    else close();
  }
  close();
}

std::vector<std::string> CappedPhrases::Candidates() const {
  std::unordered_set<std::u16string> seen;
  std::vector<std::string> out;
  for (const Phrase& p : phrases_) {
    const std::u16string& text = !p.initial || midSentence_.count(p.first) ? p.text : p.rest;
    if (!text.empty() && seen.insert(text).second) out.push_back(host::toUtf8(text));
  }
  util::QuickSort(out, 0, static_cast<int>(out.size()) - 1);
  return out;
}

}  // namespace discovery
