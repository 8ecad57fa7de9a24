#include "host/package/xml_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unicode/ustring.h>

namespace host {
namespace {

XmlFault fault(std::string what, std::size_t offset) { return XmlFault{std::move(what), offset}; }

std::string hex(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

// Char of XML 1.0: the characters a part may hold, written out or by reference.
bool isXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes one UTF-8 sequence at s[i]; 0 when it is not one (overlong forms and surrogates
// included).
std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char b = at(0);
  std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
  if (n == 0 || b > 0xF4 || i + n > s.size()) return 0;
  c = b & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((at(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (at(k) & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return n;
}

// Checks the reference that starts with the '&' at s[i] and returns its length.
std::optional<XmlFault> checkReference(std::string_view s, std::size_t i, std::size_t& length) {
  const std::size_t semicolon = s.substr(i, 32).find(';');
  const std::string_view name = semicolon == std::string_view::npos ? "" : s.substr(i + 1, semicolon - 1);
  if (name.empty()) return fault("an \"&\" that starts no entity or character reference", i);
  length = semicolon + 1;
  if (name[0] != '#') {
    for (std::string_view known : {"amp", "lt", "gt", "quot", "apos"})
      if (name == known) return std::nullopt;
    return fault("the entity \"&" + std::string(name) + ";\", which is not defined", i);
  }
  const bool isHex = name.size() > 1 && name[1] == 'x';
  const std::string_view digits = name.substr(isHex ? 2 : 1);
  char32_t c = 0;
  for (char d : digits) {
    const int v = d >= '0' && d <= '9'            ? d - '0'
                  : isHex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                  : isHex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                  : -1;
    if (v < 0) return fault("the character reference \"&" + std::string(name) + ";\", which is not a number", i);
    c = std::min<char32_t>(c * (isHex ? 16 : 10) + static_cast<char32_t>(v), 0x110000);
  }
  if (digits.empty() || !isXmlChar(c))
    return fault("the character reference \"&" + std::string(name) + ";\", a character XML does not allow", i);
  return std::nullopt;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

// The encoding the declaration names, if any: a part is UTF-8 or UTF-16.
std::optional<XmlFault> checkDeclaration(std::string_view s) {
  if (!s.starts_with("<?xml")) return std::nullopt;
  const std::string_view declaration = s.substr(0, s.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return std::nullopt;
  const std::size_t open = declaration.find_first_of("\"'", key);
  const std::size_t close = open == std::string_view::npos ? open : declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return std::nullopt;  // the parser reports a broken declaration
  const std::string_view name = declaration.substr(open + 1, close - open - 1);
  if (equalsIgnoringCase(name, "utf-8") || equalsIgnoringCase(name, "utf-16")) return std::nullopt;
  return fault("the encoding \"" + std::string(name) + "\"; a .docx part is UTF-8 or UTF-16", key);
}

// Bytes that need a closer look: all but printable ASCII other than '&' and '<'.
constexpr std::array<bool, 256> kSpecial = [] {
  std::array<bool, 256> special{};
  for (int b = 0; b < 256; ++b) special[b] = b < 0x20 || b >= 0x80 || b == '&' || b == '<';
  return special;
}();

std::optional<XmlFault> checkUtf8(std::string_view s) {
  if (auto f = checkDeclaration(s)) return f;
  std::string_view until;  // inside a comment, CDATA section or processing instruction: its end
  for (std::size_t i = 0; i < s.size();) {
    if (until.empty()) {
      while (i < s.size() && !kSpecial[static_cast<unsigned char>(s[i])]) ++i;
      if (i == s.size()) break;
    }
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0x80) {
      char32_t c = 0;
      const std::size_t n = decodeUtf8(s, i, c);
      if (n == 0) return fault("bytes that are not UTF-8", i);
      if (!isXmlChar(c)) return fault("the character " + hex(c) + ", which XML does not allow", i);
      i += n;
      continue;
    }
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
      return fault("the control character " + hex(b) + ", which XML does not allow", i);
    std::size_t length = 1;
    if (!until.empty()) {
      if (s.substr(i, until.size()) == until) {
        length = until.size();
        until = {};
      }
    } else if (b == '&') {
      if (auto f = checkReference(s, i, length)) return f;
    } else if (b == '<') {
      const std::string_view rest = s.substr(i + 1);
      if (rest.starts_with("!--")) {
        until = "-->", length = 4;
      } else if (rest.starts_with("![CDATA[")) {
        until = "]]>", length = 9;
      } else if (rest.starts_with("?")) {
        until = "?>", length = 2;
      } else if (rest.starts_with("!")) {
        return fault("a document type declaration, which a .docx part may not have", i);
      }
    }
    i += length;
  }
  return std::nullopt;
}

// UTF-16 text as UTF-8, so that one check serves both; nullopt at a lone surrogate.
std::optional<std::string> utf16ToUtf8(std::string_view s, bool bigEndian) {
  std::u16string units(s.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(s[2 * i]), second = static_cast<unsigned char>(s[2 * i + 1]);
    units[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strToUTF8(nullptr, 0, &length, units.data(), static_cast<int32_t>(units.size()), &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::nullopt;
  std::string out(static_cast<std::size_t>(length), '\0');
  status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), length, nullptr, units.data(), static_cast<int32_t>(units.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  return out;
}

std::string_view prefixOf(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon ? std::string_view(name, static_cast<std::size_t>(colon - name)) : std::string_view{};
}

// The namespace prefixes declared around the element being visited.
class PrefixScopes {
 public:
  void declare(std::string_view prefix, std::size_t depth) {
    scopes_.push_back({prefix, depth});
    last_ = {};
  }
  void leave(std::size_t depth) {
    if (scopes_.empty() || scopes_.back().second < depth) return;
    while (!scopes_.empty() && scopes_.back().second >= depth) scopes_.pop_back();
    last_ = {};
  }
  bool declared(std::string_view prefix) {
    if (prefix.empty() || prefix == "xml" || prefix == last_) return true;
    for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it)
      if (it->first == prefix) {
        last_ = prefix;  // nearly every element of a part shares one prefix
        return true;
      }
    return false;
  }

 private:
  std::vector<std::pair<std::string_view, std::size_t>> scopes_;
  std::string_view last_;
};

std::size_t offsetOf(pugi::xml_node n) {
  return static_cast<std::size_t>(std::max<std::ptrdiff_t>(n.offset_debug(), 0));
}

// An attribute given twice; elements have a handful, so pairs are compared unless there are many.
std::optional<XmlFault> checkAttributes(pugi::xml_node e, std::size_t count) {
  std::string_view twice;
  if (count <= 8) {
    for (pugi::xml_attribute a = e.first_attribute(); a && twice.empty(); a = a.next_attribute())
      for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
        if (std::strcmp(a.name(), b.name()) == 0) twice = a.name();
  } else {
    std::vector<std::string_view> names;
    for (pugi::xml_attribute a : e.attributes()) names.emplace_back(a.name());
    std::sort(names.begin(), names.end());
    if (auto it = std::adjacent_find(names.begin(), names.end()); it != names.end()) twice = *it;
  }
  if (twice.empty()) return std::nullopt;
  return fault("the attribute \"" + std::string(twice) + "\" given twice on <" + e.name() + ">", offsetOf(e));
}

std::optional<XmlFault> visit(pugi::xml_node e, std::size_t depth, PrefixScopes& scopes) {
  if (depth > kMaxXmlDepth)
    return fault("elements nested more than " + std::to_string(kMaxXmlDepth) + " deep", offsetOf(e));
  // One pass over the attributes; a prefix not found may be declared by a later attribute.
  std::size_t count = 0;
  const char* unresolved = nullptr;
  for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute(), ++count) {
    const char* name = a.name();
    if (std::strncmp(name, "xmlns", 5) == 0 && (name[5] == ':' || name[5] == 0)) {
      if (name[5] == ':') scopes.declare(name + 6, depth);
    } else if (!unresolved && !scopes.declared(prefixOf(name))) {
      unresolved = name;
    }
  }
  if (!scopes.declared(prefixOf(e.name())))
    return fault("the prefix of <" + std::string(e.name()) + ">, which is not declared", offsetOf(e));
  if (unresolved) {
    for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute())
      if (std::strncmp(a.name(), "xmlns", 5) != 0 && !scopes.declared(prefixOf(a.name())))
        return fault("the prefix of the attribute \"" + std::string(a.name()) + "\" of <" + e.name() +
                         ">, which is not declared",
                     offsetOf(e));
  }
  return count > 1 ? checkAttributes(e, count) : std::nullopt;
}

pugi::xml_node firstElement(pugi::xml_node n) {
  while (n && n.type() != pugi::node_element) n = n.next_sibling();
  return n;
}

}  // namespace

std::optional<XmlFault> checkXmlBytes(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return checkUtf8(bytes.substr(3));
  const bool littleEndian = bytes.starts_with("\xFF\xFE") || bytes.starts_with(std::string_view("<\0", 2));
  const bool bigEndian = bytes.starts_with("\xFE\xFF") || bytes.starts_with(std::string_view("\0<", 2));
  if (!littleEndian && !bigEndian) return checkUtf8(bytes);
  const std::size_t bom = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ? 2 : 0;
  const std::optional<std::string> text = utf16ToUtf8(bytes.substr(bom), bigEndian);
  if (!text || bytes.size() % 2) return XmlFault{"bytes that are not UTF-16", std::nullopt};
  // Offsets in the UTF-8 copy are no lines of the part.
  if (auto f = checkUtf8(*text)) return XmlFault{f->what, std::nullopt};
  return std::nullopt;
}

std::optional<XmlFault> checkXmlTree(const pugi::xml_document& doc) {
  int roots = 0;
  for (pugi::xml_node n : doc.children()) {
    if (n.type() == pugi::node_element && ++roots > 1)
      return fault("a second root element <" + std::string(n.name()) + ">", offsetOf(n));
    if ((n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) &&
        std::string_view(n.value()).find_first_not_of(" \t\r\n") != std::string_view::npos)
      return fault("text outside the root element", offsetOf(n));
  }
  PrefixScopes scopes;
  std::size_t depth = 1;
  for (pugi::xml_node e = doc.document_element(); e;) {
    if (auto f = visit(e, depth, scopes)) return f;
    if (pugi::xml_node child = firstElement(e.first_child())) {
      e = child;
      ++depth;
      continue;
    }
    // Climb until an element has a next sibling, leaving the scopes of those left behind.
    for (;;) {
      scopes.leave(depth);
      if (pugi::xml_node next = firstElement(e.next_sibling()); next && depth > 1) {
        e = next;
        break;
      }
      if (--depth == 0) return std::nullopt;
      e = e.parent();
    }
  }
  return std::nullopt;
}

std::optional<std::string> unwritableInXml(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = c < 0x80 ? 1 : decodeUtf8(utf8, i, c);
    if (n == 0) return "bytes that are not UTF-8";
    if (!isXmlChar(c)) return "the character " + hex(c);
    i += n;
  }
  return std::nullopt;
}

}  // namespace host
