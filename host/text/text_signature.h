#pragma once
// Which four-character sequences a paragraph's visible text holds, hashed into 2,048 bits. A
// fixed-text search skips every paragraph whose signature lacks one of the sequences of the
// text it looks for: an indexing pass searches the same story for a thousand terms, and most
// paragraphs hold none of them.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "host/text/text.h"

namespace host {

/// The hashed four-character sequences of a stretch of text.
class TextSignature {
 public:
  /// Characters in each sequence: shorter texts have no signature to test.
  static constexpr std::size_t kGram = 4;
  /// Bits a sequence is hashed into.
  static constexpr std::size_t kBits = 2048;

  /// The signature of the sequences that lie wholly inside the text.
  static TextSignature of(std::u16string_view text);
  /// The signature of a paragraph's visible text. One that does not end in its mark may
  /// begin a match that runs on into the next paragraph: its signature has every bit.
  static TextSignature ofParagraph(std::u16string_view text);

  /// True when bit b is set.
  bool has(std::size_t b) const { return (bits_[b / 64] >> (b % 64)) & 1u; }
  /// The bits set, in order.
  std::vector<std::uint16_t> bits() const;
  /// Calls f with each bit set, in order.
  template <typename F>
  void forEachBit(F f) const {
    for (std::size_t w = 0; w < bits_.size(); ++w)
      for (std::uint64_t word = bits_[w]; word; word &= word - 1)
        f(w * 64 + static_cast<std::size_t>(std::countr_zero(word)));
  }

 private:
  std::array<std::uint64_t, kBits / 64> bits_{};
};

/// The signatures of a text's paragraphs, sliced by bit: for each bit, the paragraphs whose
/// signature has it. Looking for the next paragraph that may hold a text then tests sixty-four
/// paragraphs at a time, with a word for each of the text's bits.
class SignatureSlices {
 public:
  /// Slices of these signatures, one per paragraph.
  void assign(const std::vector<TextSignature>& signatures);
  /// Paragraph p now has this signature.
  void set(std::size_t p, const TextSignature& signature);
  /// Number of paragraphs.
  std::size_t size() const { return count_; }
  /// The first paragraph at or after `from` whose signature has every one of the bits;
  /// size() when there is none.
  std::size_t next(const std::vector<std::uint16_t>& bits, std::size_t from) const;
  bool operator==(const SignatureSlices&) const = default;

 private:
  std::size_t count_ = 0;
  std::size_t words_ = 0;              // words per slice
  std::vector<std::uint64_t> slices_;  // slice of bit b: words [b * words_, (b + 1) * words_)
};

/// A searched text cut into paragraphs: where each begins, and what each holds.
struct SignedText {
  const Text& text;
  const std::vector<std::size_t>& first;  // each paragraph's first character; one more at the end
  const SignatureSlices& signatures;      // one per paragraph
};

}  // namespace host
