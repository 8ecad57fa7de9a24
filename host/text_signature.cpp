#include "host/text_signature.h"

#include <algorithm>

namespace host {

TextSignature TextSignature::of(std::u16string_view text) {
  static constexpr std::uint32_t kMix[kGram] = {0x9E3779B1u, 0x85EBCA77u, 0xC2B2AE3Du, 0x27D4EB2Fu};
  TextSignature s;
  for (std::size_t i = 0; i + kGram <= text.size(); ++i) {
    std::uint32_t h = 0;
    for (std::size_t k = 0; k < kGram; ++k) h ^= static_cast<std::uint32_t>(text[i + k]) * kMix[k];
    h = (h ^ (h >> 15)) % (64u * kWords);
    s.bits_[h >> 6] |= std::uint64_t{1} << (h & 63u);
  }
  return s;
}

TextSignature TextSignature::ofParagraph(std::u16string_view text) {
  if (!text.empty() && (text.back() == ch::kParagraph || text.back() == ch::kCellEnd)) return of(text);
  TextSignature s;
  s.bits_.fill(~std::uint64_t{0});
  return s;
}

TextSignature::Probe TextSignature::probe() const {
  Probe p;
  for (std::size_t i = 0; i < bits_.size(); ++i)
    if (bits_[i]) p.words.emplace_back(static_cast<std::uint8_t>(i), bits_[i]);
  return p;
}

std::vector<TextSignature> SignedText::groupsOf(const std::vector<TextSignature>& signatures) {
  std::vector<TextSignature> groups((signatures.size() + kGroup - 1) / kGroup);
  for (std::size_t b = 0; b < signatures.size(); ++b) groups[b / kGroup].add(signatures[b]);
  return groups;
}

void SignedText::regroup(const std::vector<TextSignature>& signatures, std::vector<TextSignature>& groups,
                         std::size_t b) {
  // A signature only loses sequences by being rebuilt, so the group is gathered afresh.
  const std::size_t g = b / kGroup;
  groups[g] = {};
  for (std::size_t k = g * kGroup; k < std::min(signatures.size(), (g + 1) * kGroup); ++k) groups[g].add(signatures[k]);
}

}  // namespace host
