#pragma once
// The term list file: a ".txt" file of terms, one a line, each line ended by CR LF. Reading
// splits it into fields as comma-delimited input does, so a line may hold several terms; a
// field in double quotes is taken whole, commas and line ends included. Files are written in
// UTF-8; reading takes UTF-8 (with or without a byte-order mark) and falls back to
// Windows-1252 for bytes that are not UTF-8, so lists saved on Windows keep their accents.

#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

/// The text of a term list file's bytes, as UTF-8.
std::string DecodeTermList(std::string_view bytes);

/// The non-empty fields of a term list's text, in order. A field ends at a comma or a line
/// end; spaces and tabs around it are dropped. A field that starts with a double quote runs
/// to the next double quote that is not doubled ("" stands for one quote), and whatever
/// follows up to the next comma or line end is dropped; without any closing quote it runs
/// to the end of its line.
std::vector<std::string> ReadTermFields(std::string_view text);

/// The bytes of a term list file holding terms in order, empty terms left out. A term the
/// reader would not give back whole (one holding a comma or a line end, starting with a
/// double quote or a byte-order mark, or starting or ending with a space or tab) is written
/// in double quotes, its own double quotes doubled.
std::string WriteTermList(const std::vector<std::string>& terms);

}  // namespace dialogs
