#include "dialogs/term_list_file.h"

#include <limits>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

namespace dialogs {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strFromUTF8(nullptr, 0, &length, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  return status != U_INVALID_CHAR_FOUND && status != U_ILLEGAL_CHAR_FOUND;
}

std::string FromWindows1252(std::string_view bytes) {
  // Each byte becomes at most three bytes of UTF-8.
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 3)) return {};
  std::string out(bytes.size() * 3, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucnv_convert("UTF-8", "windows-1252", out.data(), static_cast<int32_t>(out.size()),
                                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads one field from text at pos, leaving pos after its comma (or at its line end).
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  std::string Next() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    if (AtEnd()) return {};
    if (IsLineEnd(text_[pos_])) {
      ++pos_;
      return {};
    }
    std::string field = text_[pos_] == '"' ? Quoted() : Plain();
    while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    if (!AtEnd() && text_[pos_] == ',') ++pos_;
    return field;
  }

 private:
  std::string Plain() {
    const std::size_t start = pos_;
    while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    return std::string(text_.substr(start, end - start));
  }

  std::string Quoted() {
    const std::size_t open = pos_++;
    std::string field;
    for (std::size_t i = pos_; i < text_.size(); ++i) {
      if (text_[i] != '"') {
        field += text_[i];
      } else if (i + 1 < text_.size() && text_[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        pos_ = i + 1;
        return field;
      }
    }
    // No closing quote: the field is the rest of its line, commas and all.
    pos_ = open + 1;
    while (!AtEnd() && !IsLineEnd(text_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > open + 1 && IsBlank(text_[end - 1])) --end;
    return std::string(text_.substr(open + 1, end - open - 1));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool NeedsQuotes(std::string_view term) {
  // A term starting with U+FEFF, written first, would be read as the file's byte-order mark.
  return term.find_first_of(",\r\n") != std::string_view::npos || term.front() == '"' || IsBlank(term.front()) ||
         IsBlank(term.back()) || term.starts_with(kByteOrderMark);
}

}  // namespace

std::string DecodeTermList(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  return IsUtf8(bytes) ? std::string(bytes) : FromWindows1252(bytes);
}

std::vector<std::string> ReadTermFields(std::string_view text) {
  std::vector<std::string> fields;
  FieldReader reader(text);
  while (!reader.AtEnd())
    if (std::string field = reader.Next(); !field.empty()) fields.push_back(std::move(field));
  return fields;
}

std::string WriteTermList(const std::vector<std::string>& terms) {
  std::string out;
  for (const std::string& term : terms) {
    if (term.empty()) continue;
    if (!NeedsQuotes(term)) {
      out += term;
    } else {
      out += '"';
      for (char c : term) out += c == '"' ? std::string("\"\"") : std::string(1, c);
      out += '"';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace dialogs
