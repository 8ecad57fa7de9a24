#pragma once
// Which form of double quote a document's text mostly uses.

#include <optional>

namespace host {

class Document;

/// True when most double quotes of the main text, footnotes and endnotes that the reader sees
/// (field codes and hidden text aside) are curly, false when most are straight (a tie counts
/// as curly); nothing when the text has no double quote.
std::optional<bool> CurlyQuotesPrevail(Document& doc);

}  // namespace host
