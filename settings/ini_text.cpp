#include "settings/ini_text.h"

#include <algorithm>
#include <vector>

namespace settings {
namespace {

struct Line {
  std::size_t begin;  // first character
  std::size_t end;    // end of the content, before the line break
  std::size_t next;   // start of the next line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;  // a byte-order mark is not content
  while (begin < text.size()) {
    const std::size_t lf = text.find('\n', begin);
    const std::size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
    std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    if (end > begin && text[end - 1] == '\r') --end;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The section a line opens, or nullopt for other lines.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a key line, or nullopt.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

struct Found {
  std::optional<std::size_t> section;  // index of the section line
  std::optional<std::size_t> key;      // index of the key line
  std::size_t lastOfSection = 0;       // the section's last non-blank line
};

Found Find(std::string_view text, const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Found found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (const auto name = SectionOf(line)) {
      if (found.section) break;  // the section ended
      if (SameName(*name, section)) found.section = found.lastOfSection = i;
      continue;
    }
    if (!found.section) continue;
    if (!Trim(line).empty()) found.lastOfSection = i;
    if (const auto name = KeyOf(line); name && !found.key && SameName(*name, key)) found.key = i;
  }
  return found;
}

std::string_view CutToCharacters(std::string_view text, std::size_t count) {
  for (std::size_t i = 0, seen = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (seen++ == count) return text.substr(0, i);
  }
  return text;
}

bool OneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> IniLookup(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const Found found = Find(text, lines, section, key);
  if (!found.key) return std::nullopt;
  const Line& line = lines[*found.key];
  const std::string_view content = text.substr(line.begin, line.end - line.begin);
  std::string_view value = Trim(content.substr(content.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(CutToCharacters(value, kMaxValueLength));
}

std::optional<std::string> IniUpdate(std::string_view text, std::string_view section, std::string_view key,
                                     std::string_view value) {
  if (section.empty() || key.empty() || Trim(section) != section || Trim(key) != key || !OneLine(section) ||
      !OneLine(key) || !OneLine(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos || key.front() == '[')
    return std::nullopt;
  const std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  const std::vector<Line> lines = SplitLines(text);
  const Found found = Find(text, lines, section, key);
  std::string out(text);
  if (found.key) {
    // Keep the key as it is spelt in the file; replace what follows "=".
    const Line& line = lines[*found.key];
    const std::size_t equals = text.find('=', line.begin);
    out.replace(equals + 1, line.end - equals - 1, value);
  } else if (found.section) {
    const Line& last = lines[found.lastOfSection];
    // The line has its line break; one that ends the file with a lone carriage return gets its
    // line feed, or the new line would read as part of it.
    const bool broken = last.next > last.begin && text[last.next - 1] == '\n';
    const std::string before = broken ? "" : last.next > last.end ? "\n" : eol;
    std::string added = before + std::string(key) + "=" + std::string(value) + (broken ? eol : "");
    out.insert(last.next, added);
  } else {
    if (!out.empty() && out.back() != '\n') out += out.back() == '\r' ? "\n" : eol;
    const bool blankBefore = lines.empty() ||
                             Trim(text.substr(lines.back().begin, lines.back().end - lines.back().begin)).empty();
    if (!blankBefore) out += eol;  // a blank line between sections
    out += "[" + std::string(section) + "]" + eol + std::string(key) + "=" + std::string(value) + eol;
  }
  return out;
}

}  // namespace settings
