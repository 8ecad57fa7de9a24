#include "host/dump/dump.h"

#include <vector>

#include "host/model/document.h"
#include "host/text/story.h"

namespace host {

std::string storyTypeName(int type) {
  static const char* names[] = {"",
                                "main text",
                                "footnotes",
                                "endnotes",
                                "comments",
                                "text frames",
                                "even pages header",
                                "primary header",
                                "even pages footer",
                                "primary footer",
                                "first page header",
                                "first page footer"};
  return type >= 1 && type <= 11 ? names[type] : "story " + std::to_string(type);
}

namespace {

std::string renderBlock(const CharMap& map) {
  Text out;
  std::vector<bool> hasSeparator;  // open fields: whether their code was closed by a separator
  for (const Segment& s : map.segments) {
    Text t = map.text.substr(s.start, s.length);
    switch (s.kind) {
      case Seg::FieldBegin:
      case Seg::SimpleBegin:
        out += u'{';
        hasSeparator.push_back(false);
        continue;
      case Seg::FieldSeparator:
      case Seg::SimpleSeparator:
        out += u'}';
        if (!hasSeparator.empty()) hasSeparator.back() = true;
        continue;
      case Seg::FieldEnd:
      case Seg::SimpleEnd:
        if (!hasSeparator.empty()) {
          if (!hasSeparator.back()) out += u'}';
          hasSeparator.pop_back();
        }
        continue;
      case Seg::ParagraphMark:
        if (t[0] == ch::kCellEnd) out += u" [cell]";
        continue;
      case Seg::RowEnd: out += u"[row]"; continue;
      default: break;
    }
    for (char16_t c : t) {
      switch (c) {
        case ch::kTab: out += u"\\t"; break;
        case ch::kLineBreak: out += u"[br]"; break;
        case ch::kPageBreak: out += u"[page]"; break;
        case ch::kColumnBreak: out += u"[column]"; break;
        case ch::kNoteRef: out += u"[note]"; break;
        case ch::kObject: out += u"[object]"; break;
        default: out += c;
      }
    }
  }
  return toUtf8(out);
}

}  // namespace

std::string dumpDocument(Document& doc) {
  std::string out;
  for (const auto& story : doc.stories()) {
    out += "story " + std::to_string(story->type()) + " (" + storyTypeName(story->type()) + "), length " +
           std::to_string(story->length()) + "\n";
    for (std::size_t b = 0; b < story->blocks().size(); ++b) out += "  " + renderBlock(story->map(b)) + "\n";
  }
  return out;
}

}  // namespace host
