#include "settings/keys.h"

#include "host/text/text.h"

namespace settings {

std::string EncodeIndexSep(std::string_view text, bool tab) {
  std::string encoded = "\"";
  encoded += text;
  if (tab) encoded += kTabMarker;
  encoded += '"';
  return encoded;
}

IndexSeparator DecodeIndexSep(std::string_view value) {
  const std::size_t marker = value.find(kTabMarker);
  if (marker == std::string_view::npos) return {std::string(value), false};
  return {std::string(value.substr(0, marker)), true};
}

std::string QuoteCharacter(int code) {
  // 0x80..0x9F differ from Latin-1; 0 marks the codes Windows-1252 leaves undefined.
  static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                         0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (code < 1 || code > 255) return {};
  const char16_t c = code >= 0x80 && code <= 0x9F ? kHigh[code - 0x80] : static_cast<char16_t>(code);
  return c == 0 ? std::string() : host::toUtf8(std::u16string(1, c));
}

std::optional<int> QuoteCodeOf(std::string_view value) {
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  value = value.substr(first, value.find_last_not_of(' ') - first + 1);
  // Five digits are more than any character code needs, and cannot overflow.
  if (value.size() > 5 || value.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int code = 0;
  for (char c : value) code = code * 10 + (c - '0');
  return code;
}

}  // namespace settings
