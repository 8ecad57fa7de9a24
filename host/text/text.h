#pragma once
// The document's own text type (UTF-16, one code unit per character position) and the one
// place where it meets the UTF-8 strings used at the API edges.

#include <string>
#include <string_view>

namespace host {

/// Document text: one element per character position, as the word processor counts them.
using Text = std::u16string;

/// UTF-8 to document text; invalid bytes become U+FFFD.
Text toText(std::string_view utf8);
/// Appends NUL-terminated UTF-8 text to a text (ASCII without a decoder).
void appendText(Text& out, const char* utf8);
/// Document text to UTF-8; unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);

/// Characters with a meaning of their own in document text.
namespace ch {
constexpr char16_t kObject = 1;   // inline picture, shape or embedded object
constexpr char16_t kNoteRef = 2;  // footnote or endnote reference mark
constexpr char16_t kCellEnd = 7;  // end of a table cell or row
constexpr char16_t kTab = 9;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kLineBreak = 11;  // manual line break
constexpr char16_t kPageBreak = 12;
constexpr char16_t kParagraph = 13;
constexpr char16_t kColumnBreak = 14;
constexpr char16_t kFieldBegin = 19;
constexpr char16_t kFieldSeparator = 20;
constexpr char16_t kFieldEnd = 21;
constexpr char16_t kNoBreakHyphen = 30;
constexpr char16_t kSoftHyphen = 31;
constexpr char16_t kSymbol = 40;  // a w:sym character reads as "(" like the word processor's
}  // namespace ch

/// True for characters that make up words (letters, digits, apostrophes).
bool isWordCharacter(char16_t c);

/// Upper-cases each code point without changing the length (so positions stay valid).
Text upperSameLength(std::u16string_view text);
/// True when the text has at least one cased letter and no lower-case letter.
bool isAllUpper(std::u16string_view text);

}  // namespace host
