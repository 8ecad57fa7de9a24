#pragma once
// Which four-character sequences a paragraph's visible text holds, hashed into 2,048 bits. A
// fixed-text search skips every paragraph whose signature lacks one of the sequences of the
// text it looks for: an indexing pass searches the same story for a thousand terms, and most
// paragraphs hold none of them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "host/text.h"

namespace host {

/// The hashed four-character sequences of a stretch of text.
class TextSignature {
 public:
  /// Characters in each sequence: shorter texts have no signature to test.
  static constexpr std::size_t kGram = 4;

  /// The signature of the sequences that lie wholly inside the text.
  static TextSignature of(std::u16string_view text);
  /// The signature of a paragraph's visible text. One that does not end in its mark may
  /// begin a match that runs on into the next paragraph: its signature covers every probe.
  static TextSignature ofParagraph(std::u16string_view text);
  /// Adds another signature's sequences to this one.
  void add(const TextSignature& other) {
    for (std::size_t i = 0; i < kWords; ++i) bits_[i] |= other.bits_[i];
  }

  /// The words of a signature that have bits set, for testing many signatures quickly.
  struct Probe {
    std::vector<std::pair<std::uint8_t, std::uint64_t>> words;
  };
  /// This signature as a probe.
  Probe probe() const;
  /// True when every sequence of the probe may be here.
  bool covers(const Probe& probe) const {
    for (const auto& [index, bits] : probe.words)
      if (bits & ~bits_[index]) return false;
    return true;
  }

 private:
  static constexpr std::size_t kWords = 32;
  std::array<std::uint64_t, kWords> bits_{};
};

/// A searched text cut into paragraphs: where each begins, and what each holds. A paragraph
/// that a match may run past (one not ending in its mark) has a signature covering every
/// probe. The signatures of runs of kGroup paragraphs let a search pass over a run at one test.
struct SignedText {
  static constexpr std::size_t kGroup = 16;
  const Text& text;
  const std::vector<std::size_t>& first;             // each paragraph's first character; one more at the end
  const std::vector<TextSignature>& signatures;  // one per paragraph
  const std::vector<TextSignature>& groups;      // paragraphs [g * kGroup, (g + 1) * kGroup) together

  /// The group signatures of a list of paragraph signatures.
  static std::vector<TextSignature> groupsOf(const std::vector<TextSignature>& signatures);
  /// Brings the group holding paragraph b up to date after its signature changed.
  static void regroup(const std::vector<TextSignature>& signatures, std::vector<TextSignature>& groups, std::size_t b);
};

}  // namespace host
