#include "host/text/text.h"

#include <algorithm>

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace host {

// Nearly all document text is ASCII; converting it needs no decoder.
Text toText(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return Text(utf8.begin(), utf8.end());
  icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return Text(s.getBuffer(), static_cast<size_t>(s.length()));
}

void appendText(Text& out, const char* utf8) {
  const char* p = utf8;
  for (; *p && static_cast<unsigned char>(*p) < 0x80; ++p) out += static_cast<char16_t>(*p);
  if (*p) out += toText(p);
}

std::string toUtf8(std::u16string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
    return std::string(text.begin(), text.end());
  icu::UnicodeString s(false, text.data(), static_cast<int32_t>(text.size()));
  std::string out;
  s.toUTF8String(out);
  return out;
}

Text upperSameLength(std::u16string_view text) {
  Text out(text);
  for (size_t i = 0; i < out.size();) {
    UChar32 c;
    size_t start = i;
    U16_NEXT(out.data(), i, out.size(), c);
    UChar32 u = u_toupper(c);
    if (U16_LENGTH(u) == static_cast<int32_t>(i - start)) {
      size_t j = start;
      U16_APPEND_UNSAFE(out.data(), j, u);
    }
  }
  return out;
}

bool isAllUpper(std::u16string_view text) {
  bool cased = false;
  for (size_t i = 0; i < text.size();) {
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (u_islower(c)) return false;
    if (u_isupper(c) || u_istitle(c)) cased = true;
  }
  return cased;
}

bool isWordCharacter(char16_t c) {
  if (c < 0x80)
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'\'' || c == u'_';
  return u_isalnum(c) || c == u'\u2019';
}

}  // namespace host
