#pragma once
// Find patterns: plain text (with the ^ codes) and the word processor's wildcard language
// (? * [abc] [a-z] [!x] < > {n} {n,} {n,m} @ \ and groups), compiled once and matched against
// a story's visible text.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "host/text/text.h"
#include "host/text/text_signature.h"

namespace host {

/// A compiled find pattern.
class Pattern {
 public:
  /// Compiles find text; throws host::Error (5560) with a description for a malformed
  /// wildcard pattern. Plain patterns are matched case-insensitively unless matchCase;
  /// wildcard patterns always match case.
  Pattern(const Text& findText, bool wildcards, bool matchCase);

  /// True when matching compares folded (case-insensitive) text.
  bool folded() const { return folded_; }
  /// The first match starting in [from, to) and ending by `to`, as [start, end); start is
  /// npos when there is none. Empty matches are never returned. Whole-word matching
  /// requires non-word characters (or the text's ends) on both sides.
  std::pair<std::size_t, std::size_t> search(const Text& text, std::size_t from, std::size_t to, bool wholeWord) const;
  /// The same over a text cut into paragraphs, skipping those that cannot hold the match.
  std::pair<std::size_t, std::size_t> search(const SignedText& paragraphs, std::size_t from, std::size_t to,
                                             bool wholeWord) const;
  /// The last match that lies in [from, to).
  std::pair<std::size_t, std::size_t> searchBackward(const Text& text, std::size_t from, std::size_t to,
                                                     bool wholeWord) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  struct Unit {
    enum Kind { Char, Any, Set, WordStart, WordEnd, Star } kind = Char;
    char16_t c = 0;
    std::vector<std::pair<char16_t, char16_t>> ranges;  // for Set
    bool negate = false;
    int min = 1, max = 1;
  };

  void compilePlain(const Text& t);
  void compileWildcards(const Text& t);
  bool accepts(const Unit& u, char16_t c) const;
  long matchAt(const Text& text, std::size_t unit, std::size_t at, std::size_t limit, long& budget) const;
  bool wholeWordAt(const Text& text, std::size_t start, std::size_t end) const;
  void prepareLiteral();
  std::pair<std::size_t, std::size_t> searchLiteral(const Text& text, std::size_t from, std::size_t to,
                                                    bool wholeWord) const;

  std::vector<Unit> units_;
  bool folded_;
  // A pattern of fixed characters (most terms) is searched by skipping (Horspool) rather
  // than tried at every place; the table is indexed by a character's low byte.
  Text literal_;
  std::array<std::size_t, 256> skip_{};
  std::vector<std::uint16_t> signature_;  // bits of the literal's signature
  bool withinParagraph_ = false;          // the fixed text holds no paragraph or cell mark
};

}  // namespace host
