#pragma once
// Capitalised words joined into the phrases a reader of contracts takes for terms: words that
// begin with a capital A to Z (exactly the whole words the wildcard <[A-Z]*> finds), joined
// across single spaces, " & " and the small words of names ("Bank of England", "Sale and
// Purchase", "Bank of the North"). A phrase ends at any other character, so it never holds
// brackets, full stops, semicolons, colons, tabs or breaks. Paragraphs written entirely in
// capitals are passed over, and "the" and its kind never begin a phrase. A sentence's first
// word counts only where the document also capitalises it in mid-sentence: "Each Party"
// gives "Party", "Seller shall" keeps "Seller" when the Seller appears elsewhere.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace discovery {

/// Collects the capitalised phrases of a document, one paragraph at a time.
class CappedPhrases {
 public:
  /// Whether a capitalised word counts (bold, digits): the word (a possessive "'s" taken off)
  /// and where it lies in the paragraph text, [start, end).
  using Accept = std::function<bool(std::u16string_view word, std::size_t start, std::size_t end)>;

  /// Reads one paragraph's text (without its paragraph mark).
  void AddParagraph(std::u16string_view text, const Accept& accept);
  /// The distinct candidates in UTF-8, sorted ascending, code unit by code unit.
  std::vector<std::string> Candidates() const;

 private:
  struct Phrase {
    std::u16string text;
    std::u16string first;  // its first word
    std::u16string rest;   // the phrase from its second capitalised word on ("" for none)
    bool initial;          // its first word begins a sentence
  };
  std::vector<Phrase> phrases_;
  std::unordered_set<std::u16string> midSentence_;  // words seen capitalised inside a sentence
};

/// True for the words of the wildcard <[A-Z]*>: a whole word whose first character is A to Z.
bool IsCappedWord(std::u16string_view word);

}  // namespace discovery
