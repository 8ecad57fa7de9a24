#include "host/parse/field_code.h"

#include <algorithm>
#include <cctype>

#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace host {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a quoted string starting at code[i] == '"'; i ends after the closing quote (or at
// the end of the code when it is missing). Only \" and \\ are escapes at this level: other
// backslashes belong to the field (the index entry's \: is read by the index).
void readQuoted(const std::string& code, std::size_t& i, std::string& text, std::string& raw) {
  ++i;
  while (i < code.size() && code[i] != '"') {
    if (code[i] == '\\' && i + 1 < code.size()) {
      raw += code[i];
      raw += code[i + 1];
      char next = code[i + 1];
      if (next != '"' && next != '\\') text += '\\';
      text += next;
      i += 2;
      continue;
    }
    raw += code[i];
    text += code[i];
    ++i;
  }
  if (i < code.size()) ++i;
}

// Reads a word or a quoted string at code[i] into text and raw.
void readArgument(const std::string& code, std::size_t& i, std::string& text, std::string& raw) {
  if (code[i] == '"') {
    readQuoted(code, i, text, raw);
    return;
  }
  while (i < code.size() && !isSpace(code[i]) && code[i] != '"') {
    text += code[i];
    raw += code[i];
    ++i;
  }
}

std::string upperAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::string trimSpaces(const std::string& s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  std::size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

// Splits an entry as written at its unescaped colons, then unescapes each level.
std::vector<std::string> splitLevels(const std::string& raw) {
  std::vector<std::string> levels;
  std::string current;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) {
      current += raw[i];
      current += raw[++i];
    } else if (raw[i] == ':') {
      levels.push_back(trimSpaces(unescapeIndexEntry(current)));
      current.clear();
    } else {
      current += raw[i];
    }
  }
  levels.push_back(trimSpaces(unescapeIndexEntry(current)));
  while (!levels.empty() && levels.back().empty()) levels.pop_back();
  return levels;
}

}  // namespace

std::string escapeIndexEntry(const std::string& entry) {
  std::string out;
  out.reserve(entry.size() + 4);
  for (char c : entry) {
    if (c == '\\' || c == '"' || c == ':') out += '\\';
    out += c;
  }
  return out;
}

std::string unescapeIndexEntry(const std::string& escaped) {
  std::string out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\' && i + 1 < escaped.size()) ++i;
    out += escaped[i];
  }
  return out;
}

std::vector<CodeToken> tokenizeFieldCode(const std::string& code, const std::string& switchesWithArgument) {
  std::vector<CodeToken> tokens;
  std::size_t i = 0;
  while (i < code.size()) {
    if (isSpace(code[i])) {
      ++i;
      continue;
    }
    CodeToken t;
    if (code[i] == '\\' && i + 1 < code.size() && !isSpace(code[i + 1])) {
      t.isSwitch = true;
      char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i + 1])));
      t.text = std::string(1, letter);
      i += 2;
      if (switchesWithArgument.find(letter) != std::string::npos) {
        std::size_t j = i;
        while (j < code.size() && isSpace(code[j])) ++j;
        bool attached = j == i && j < code.size();
        bool following = j > i && j < code.size() && code[j] != '\\';
        if (attached || following) {
          i = j;
          std::string raw;
          readArgument(code, i, t.argument, raw);
          t.hasArgument = true;
        }
      }
    } else {
      readArgument(code, i, t.text, t.raw);
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

IndexFieldCode parseIndexCode(const std::string& code) {
  IndexFieldCode out;
  for (const CodeToken& t : tokenizeFieldCode(code, "bcdefghklpsz*#@")) {
    if (!t.isSwitch) continue;
    const std::string& a = t.argument;
    switch (t.text[0]) {
      case 'c': {
        int n = 0;
        for (char c : a) {
          if (!std::isdigit(static_cast<unsigned char>(c))) break;
          n = std::min(n * 10 + (c - '0'), 100);
        }
        out.columns = std::clamp(n, 1, 4);
        break;
      }
      case 'e':
        if (t.hasArgument) out.entrySeparator = a;
        break;
      case 'f':
        if (t.hasArgument) out.identifier = a;
        break;
      case 'h': out.heading = a; break;
      case 'r': out.runIn = true; break;
      case 'l':
        if (t.hasArgument) out.pageSeparator = a;
        break;
      case 'g':
        if (t.hasArgument) out.rangeSeparator = a;
        break;
      case 'p': out.letterRange = a; break;
      case 'b': out.bookmark = a; break;
      default: break;
    }
  }
  return out;
}

std::optional<IndexEntryCode> parseEntryCode(const std::string& code) {
  std::vector<CodeToken> tokens = tokenizeFieldCode(code, "frty*#@");
  if (tokens.empty() || tokens[0].isSwitch || upperAscii(tokens[0].text) != "XE") return std::nullopt;
  IndexEntryCode out;
  bool haveText = false;
  for (std::size_t k = 1; k < tokens.size(); ++k) {
    const CodeToken& t = tokens[k];
    if (!t.isSwitch) {
      if (!haveText) out.levels = splitLevels(t.raw);
      haveText = true;
      continue;
    }
    switch (t.text[0]) {
      case 'f':
        if (t.hasArgument) out.identifier = t.argument;
        break;
      case 'b': out.bold = true; break;
      case 'i': out.italic = true; break;
      case 'r': out.rangeBookmark = t.argument; break;
      case 't': out.crossReference = t.argument; break;
      case 'y': out.sortAs = t.argument; break;
      default: break;
    }
  }
  if (out.levels.empty()) return std::nullopt;
  return out;
}

bool sameIndexIdentifier(const std::string& a, const std::string& b) {
  if (a == b) return true;  // as nearly every entry of an index spells it
  return icu::UnicodeString::fromUTF8(a).caseCompare(icu::UnicodeString::fromUTF8(b), U_FOLD_CASE_DEFAULT) == 0;
}

}  // namespace host
