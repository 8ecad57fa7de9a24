#pragma once
// The section and keys of the settings file, their first-run defaults, and the formats of
// their values: Booleans as "True"/"False", the index separator in quotes with an optional
// "{TAB}" marker, quote characters as Windows-1252 codes.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

/// The one section of the settings file.
inline constexpr const char* kSection = "Defaults";

/// Key names.
inline constexpr const char* kSearchType = "SearchType";
inline constexpr const char* kIndexWhat = "IndexWhat";
inline constexpr const char* kBold = "Bold";
inline constexpr const char* kCaseSensitive = "CaseSensitive";
inline constexpr const char* kIndexAllCaps = "IndexAllCaps";
inline constexpr const char* kHighlight = "Highlight";
inline constexpr const char* kIgnoreWordsWithNums = "IgnoreWordsWithNums";
inline constexpr const char* kIncludeNotUsed = "IncludeNotUsed";
inline constexpr const char* kIncludeNotFound = "IncludeNotFound";
inline constexpr const char* kIndexCols = "IndexCols";
inline constexpr const char* kIndexSep = "IndexSep";
inline constexpr const char* kOpenQuote = "OpenQuote";
inline constexpr const char* kCloseQuote = "CloseQuote";
inline constexpr const char* kShowFormatReminder = "ShowFormatReminder";
inline constexpr const char* kShowSearchChooser = "ShowSearchChooser";
inline constexpr const char* kShowHelp = "ShowHelp";

/// A key and its value.
struct Setting {
  const char* key;
  const char* value;
};

/// The sixteen first-run defaults in the order they are written.
inline constexpr std::array<Setting, 16> kFirstRunDefaults{{
    {kSearchType, "SearchFlagged"},
    {kBold, "False"},
    {kHighlight, "True"},
    {kIgnoreWordsWithNums, "True"},
    {kCaseSensitive, "True"},
    {kIndexAllCaps, "True"},
    {kOpenQuote, "147"},
    {kCloseQuote, "148"},
    {kIndexCols, "2"},
    {kIndexSep, "\":  {TAB}\""},
    {kIncludeNotUsed, "True"},
    {kIncludeNotFound, "True"},
    {kShowFormatReminder, "True"},
    {kShowSearchChooser, "True"},
    {kShowHelp, "True"},
    {kIndexWhat, "IndexAll"},
}};

/// The quote codes the dialogs offer, in list order.
inline constexpr std::array<int, 5> kQuoteCodes{147, 148, 132, 171, 187};

/// Only the exact word "True" is true.
inline bool IsTrue(std::string_view value) { return value == "True"; }
/// "True" or "False".
inline const char* BoolText(bool value) { return value ? "True" : "False"; }

/// The marker at the end of IndexSep that stands for a tab.
inline constexpr std::string_view kTabMarker = "{TAB}";

/// The separator box text and the tab box of a stored IndexSep.
struct IndexSeparator {
  std::string text;
  bool tab = false;
};

/// The stored form of the separator: in double quotes, with "{TAB}" when tab is set.
std::string EncodeIndexSep(std::string_view text, bool tab);
/// Splits a read IndexSep at the first "{TAB}": the text before it and a ticked tab box;
/// without the marker, the whole value and no tab. Text after the marker is dropped.
IndexSeparator DecodeIndexSep(std::string_view value);

/// The UTF-8 character of a Windows-1252 code; "" for codes outside 1..255 and the five
/// codes the table leaves undefined.
std::string QuoteCharacter(int code);

/// A stored quote code: the decimal number the value holds (spaces around it allowed), or
/// nullopt when the value is empty or not such a number.
std::optional<int> QuoteCodeOf(std::string_view value);

}  // namespace settings
