#include "host/text_signature.h"

namespace host {

TextSignature TextSignature::of(std::u16string_view text) {
  TextSignature s;
  for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
    std::uint32_t h = (static_cast<std::uint32_t>(text[i]) * 0x9E3779B1u) ^ (static_cast<std::uint32_t>(text[i + 1]) * 0x85EBCA77u) ^
                      (static_cast<std::uint32_t>(text[i + 2]) * 0xC2B2AE3Du);
    h = (h ^ (h >> 15)) & 1023u;
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
