#include "host/text_signature.h"

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

TextSignature::Probe TextSignature::probe() const {
  Probe p;
  for (std::size_t i = 0; i < bits_.size(); ++i)
    if (bits_[i]) p.words.emplace_back(static_cast<std::uint8_t>(i), bits_[i]);
  return p;
}

}  // namespace host
