#pragma once
// Reading field codes as the word processor does: words, quoted arguments with backslash
// escapes, and switches whose argument may follow directly (\c2, \e", ") or as the next word.
// The index (INDEX) and index-entry (XE) codes are read into their switches here.

#include <optional>
#include <string>
#include <vector>

namespace host {

/// One piece of a field code.
struct CodeToken {
  bool isSwitch = false;  // \x (text holds the letter or symbol after the backslash)
  std::string text;       // the word, the quoted text without its quotes and escapes, or the switch
  std::string raw;        // for words and quoted text: as written, escapes kept
  std::string argument;   // a switch's argument (unescaped)
  bool hasArgument = false;
};

/// Splits a field code; takesArgument tells which switch letters have an argument.
std::vector<CodeToken> tokenizeFieldCode(const std::string& code, const std::string& switchesWithArgument);

/// The switches of an INDEX field.
struct IndexFieldCode {
  int columns = 1;                        // \c, 1 to 4
  std::string entrySeparator = ", ";      // \e: between an entry and its page numbers
  std::optional<std::string> identifier;  // \f: only entries of this identifier
  std::optional<std::string> heading;     // \h: a heading line before each letter's group
  bool runIn = false;                     // \r: sub-entries on their main entry's line
  std::string pageSeparator = ", ";       // \l: between page numbers
  std::string rangeSeparator = "\u2013";  // \g: between the ends of a page range
  std::string letterRange;                // \p: only entries starting with these letters ("a--m")
  std::string bookmark;                   // \b: only entries inside this bookmark
};

/// Reads an INDEX code (unknown switches are ignored).
IndexFieldCode parseIndexCode(const std::string& code);

/// Escapes an index entry for an XE field code, so that it reads back as typed: a
/// backslash, a double quote and a colon (the sub-entry separator) get a backslash.
std::string escapeIndexEntry(const std::string& entry);
/// Reverses escapeIndexEntry.
std::string unescapeIndexEntry(const std::string& escaped);

/// The switches of an index-entry (XE) field.
struct IndexEntryCode {
  std::vector<std::string> levels;        // the entry and its sub-entries ("Main:Sub")
  std::optional<std::string> identifier;  // \f
  bool bold = false;                      // \b: page number in bold
  bool italic = false;                    // \i: page number in italics
  std::string rangeBookmark;              // \r: pages of a bookmark instead of one page
  std::string crossReference;             // \t: text instead of page numbers ("See Other")
  std::string sortAs;                     // \y: sorts the entry as this text
};

/// Reads an XE code; nothing when the code is not an index entry or names no entry.
std::optional<IndexEntryCode> parseEntryCode(const std::string& code);

/// True when two index identifiers are the same: whole, and without regard to case.
bool sameIndexIdentifier(const std::string& a, const std::string& b);

}  // namespace host
