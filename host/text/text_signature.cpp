#include "host/text/text_signature.h"

#include <algorithm>

namespace host {

TextSignature TextSignature::of(std::u16string_view text) {
  static constexpr std::uint32_t kMix[kGram] = {0x9E3779B1u, 0x85EBCA77u, 0xC2B2AE3Du, 0x27D4EB2Fu};
  TextSignature s;
  for (std::size_t i = 0; i + kGram <= text.size(); ++i) {
    std::uint32_t h = 0;
    for (std::size_t k = 0; k < kGram; ++k) h ^= static_cast<std::uint32_t>(text[i + k]) * kMix[k];
    h = (h ^ (h >> 15)) % kBits;
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

std::vector<std::uint16_t> TextSignature::bits() const {
  std::vector<std::uint16_t> out;
  forEachBit([&](std::size_t b) { out.push_back(static_cast<std::uint16_t>(b)); });
  return out;
}

void SignatureSlices::assign(const std::vector<TextSignature>& signatures) {
  count_ = signatures.size();
  words_ = (count_ + 63) / 64;
  slices_.assign(TextSignature::kBits * words_, 0);
  for (std::size_t p = 0; p < count_; ++p)
    signatures[p].forEachBit([&](std::size_t b) { slices_[b * words_ + p / 64] |= std::uint64_t{1} << (p % 64); });
}

void SignatureSlices::set(std::size_t p, const TextSignature& signature) {
  const std::uint64_t mask = std::uint64_t{1} << (p % 64);
  for (std::size_t b = 0; b < TextSignature::kBits; ++b) {
    std::uint64_t& word = slices_[b * words_ + p / 64];
    word = signature.has(b) ? word | mask : word & ~mask;
  }
}

std::size_t SignatureSlices::next(const std::vector<std::uint16_t>& bits, std::size_t from) const {
  for (std::size_t w = from / 64; w < words_; ++w) {
    std::uint64_t candidates = w == from / 64 ? ~std::uint64_t{0} << (from % 64) : ~std::uint64_t{0};
    for (std::uint16_t b : bits) {
      candidates &= slices_[b * words_ + w];
      if (!candidates) break;
    }
    if (candidates) return std::min(count_, w * 64 + static_cast<std::size_t>(std::countr_zero(candidates)));
  }
  return count_;
}

}  // namespace host
