#include "host/layout/index_lines.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <tuple>
#include <unordered_map>

#include <unicode/coll.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace host {

namespace {

// One page reference of an entry.
struct PageRef {
  int physical = 1;
  std::string label;
  int endPhysical = 0;  // a range's last page (0 for a single page)
  std::string endLabel;
  bool bold = false, italic = false;
  bool operator==(const PageRef& o) const {
    return physical == o.physical && endPhysical == o.endPhysical && label == o.label && endLabel == o.endLabel;
  }
};

// An entry with its sub-entries.
struct Node {
  std::string text;
  std::string sortAs;
  std::vector<PageRef> pages;
  std::vector<std::string> crossReferences;
  std::vector<Node> children;
  std::string primaryKey, tertiaryKey;  // collation keys
};

// Sorts as the word processor sorts an index: letters compared without case or accents
// first; ties broken by case and accents, then by the text itself, so the order is stable.
class IndexCollator {
 public:
  explicit IndexCollator(const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale loc = icu::Locale::forLanguageTag(locale.empty() ? "en-US" : locale, status);
    if (U_FAILURE(status)) loc = icu::Locale("en", "US");
    for (auto* target : {&primary_, &tertiary_}) {
      status = U_ZERO_ERROR;
      target->reset(icu::Collator::createInstance(loc, status));
      if (U_FAILURE(status) || !*target) {
        status = U_ZERO_ERROR;
        target->reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
      }
    }
    if (primary_) primary_->setStrength(icu::Collator::PRIMARY);
    if (tertiary_) tertiary_->setStrength(icu::Collator::TERTIARY);
  }

  void keys(Node& node) const {
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(node.sortAs.empty() ? node.text : node.sortAs);
    node.primaryKey = key(primary_.get(), s);
    node.tertiaryKey = key(tertiary_.get(), s);
  }

 private:
  static std::string key(icu::Collator* c, const icu::UnicodeString& s) {
    if (!c) return {};
    int32_t size = c->getSortKey(s, nullptr, 0);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) c->getSortKey(s, reinterpret_cast<uint8_t*>(out.data()), size);
    return out;
  }

  std::unique_ptr<icu::Collator> primary_, tertiary_;
};

void sortTree(std::vector<Node>& nodes, const IndexCollator& collator) {
  for (Node& n : nodes) {
    collator.keys(n);
    sortTree(n.children, collator);
    std::sort(n.pages.begin(), n.pages.end(), [](const PageRef& a, const PageRef& b) {
      return std::tie(a.physical, a.endPhysical) < std::tie(b.physical, b.endPhysical);
    });
    // Merged pages: one reference per page (bold or italic when any entry there asks for it).
    std::vector<PageRef> merged;
    for (const PageRef& p : n.pages) {
      if (!merged.empty() && merged.back() == p) {
        merged.back().bold = merged.back().bold || p.bold;
        merged.back().italic = merged.back().italic || p.italic;
      } else {
        merged.push_back(p);
      }
    }
    n.pages = std::move(merged);
  }
  std::stable_sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
    return std::tie(a.primaryKey, a.tertiaryKey, a.text) < std::tie(b.primaryKey, b.tertiaryKey, b.text);
  });
}

// The letter an entry is grouped under: its first letter without accents, in capitals;
// "#" for entries that start with a digit or symbol.
std::string groupLetter(const std::string& text) {
  icu::UnicodeString s = icu::UnicodeString::fromUTF8(text);
  if (s.isEmpty()) return "#";
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  UChar32 first = s.char32At(0);
  if (U_SUCCESS(status)) {
    icu::UnicodeString d = nfd->normalize(s.tempSubString(0, U16_LENGTH(first)), status);
    if (U_SUCCESS(status) && !d.isEmpty()) first = d.char32At(0);
  }
  if (!u_isalpha(first)) return "#";
  std::string out;
  icu::UnicodeString(u_toupper(first)).toUTF8String(out);
  return out;
}

// True when the group letter lies in a \p range such as "a--m".
bool inLetterRange(const std::string& letter, const std::string& range) {
  std::string ends;
  for (char c : range)
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '!' || c == '#')
      ends += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ends.empty()) return true;
  char from = ends.front(), to = ends.back();
  if (letter == "#") return from == '!' || from == '#';
  if (letter.size() != 1) return true;  // letters beyond A-Z are not limited
  return letter[0] >= from && letter[0] <= to;
}

std::string headingText(const std::string& format, const std::string& letter) {
  std::string out = format;
  std::size_t a = out.find_first_of("Aa");
  if (a != std::string::npos) out.replace(a, 1, letter);
  return out;
}

// The entry's text with separator and page numbers, as runs.
void appendEntry(const Node& n, const IndexFieldCode& code, std::vector<IndexRun>& runs) {
  runs.push_back({n.text});
  if (n.pages.empty() && n.crossReferences.empty()) return;
  runs.push_back({code.entrySeparator});
  bool first = true;
  for (const PageRef& p : n.pages) {
    if (!first) runs.push_back({code.pageSeparator});
    first = false;
    std::string text = p.label;
    if (p.endPhysical > p.physical) text += code.rangeSeparator + p.endLabel;
    runs.push_back({text, p.bold, p.italic});
  }
  for (const std::string& see : n.crossReferences) {
    if (!first) runs.push_back({". "});
    first = false;
    runs.push_back({see, false, true});
  }
}

void emit(const Node& n, int level, const IndexFieldCode& code, std::vector<IndexLine>& out) {
  IndexLine line;
  line.level = level;
  appendEntry(n, code, line.runs);
  if (code.runIn && level == 1 && !n.children.empty()) {
    line.runs.push_back({": "});
    for (std::size_t k = 0; k < n.children.size(); ++k) {
      if (k > 0) line.runs.push_back({"; "});
      appendEntry(n.children[k], code, line.runs);
    }
    out.push_back(std::move(line));
    return;
  }
  out.push_back(std::move(line));
  for (const Node& child : n.children) emit(child, level + 1, code, out);
}

// Joins runs of the same formatting.
void mergeRuns(std::vector<IndexRun>& runs) {
  std::vector<IndexRun> merged;
  for (IndexRun& r : runs) {
    if (r.text.empty()) continue;
    if (!merged.empty() && merged.back().bold == r.bold && merged.back().italic == r.italic)
      merged.back().text += r.text;
    else merged.push_back(std::move(r));
  }
  runs = std::move(merged);
}

}  // namespace

std::string IndexLine::text() const {
  std::string out;
  for (const IndexRun& r : runs) out += r.text;
  return out;
}

std::vector<IndexLine> buildIndexLines(const std::vector<CollectedEntry>& entries, const IndexFieldCode& code,
                                       const std::string& locale) {
  std::vector<Node> roots;
  std::unordered_map<std::string, std::size_t> rootIndex;  // many main entries, few sub-entries each
  for (const CollectedEntry& e : entries) {
    if (e.code.levels.empty()) continue;
    auto [at, added] = rootIndex.emplace(e.code.levels[0], roots.size());
    if (added) roots.push_back(Node{e.code.levels[0], {}, {}, {}, {}, {}, {}});
    Node* node = &roots[at->second];
    for (std::size_t k = 1; k < e.code.levels.size(); ++k) {
      const std::string& text = e.code.levels[k];
      auto& level = node->children;
      auto it = std::find_if(level.begin(), level.end(), [&](const Node& n) { return n.text == text; });
      if (it == level.end()) {
        level.push_back(Node{text, {}, {}, {}, {}, {}, {}});
        it = level.end() - 1;
      }
      node = &*it;
    }
    if (node->sortAs.empty()) node->sortAs = e.code.sortAs;
    if (!e.code.crossReference.empty()) {
      if (std::find(node->crossReferences.begin(), node->crossReferences.end(), e.code.crossReference) ==
          node->crossReferences.end())
        node->crossReferences.push_back(e.code.crossReference);
      continue;
    }
    PageRef ref{e.page.physical, e.page.label, 0, {}, e.code.bold, e.code.italic};
    if (e.rangeEnd && e.rangeEnd->physical > e.page.physical) {
      ref.endPhysical = e.rangeEnd->physical;
      ref.endLabel = e.rangeEnd->label;
    }
    node->pages.push_back(ref);
  }

  IndexCollator collator(locale);
  sortTree(roots, collator);

  std::vector<IndexLine> lines;
  std::string currentLetter;
  bool firstGroup = true;
  for (Node& n : roots) {
    std::string letter = groupLetter(n.sortAs.empty() ? n.text : n.sortAs);
    if (!code.letterRange.empty() && !inLetterRange(letter, code.letterRange)) continue;
    if (code.heading && (firstGroup || letter != currentLetter)) {
      IndexLine heading;
      heading.heading = true;
      heading.runs.push_back({headingText(*code.heading, letter)});
      lines.push_back(std::move(heading));
    }
    firstGroup = false;
    currentLetter = letter;
    emit(n, 1, code, lines);
  }
  for (IndexLine& l : lines) mergeRuns(l.runs);
  return lines;
}

}  // namespace host
