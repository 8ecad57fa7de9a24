// Where an edit lands: a position's paragraph and offset, and the point where new runs go,
// with the run there split in two and the paragraph's map patched to match.

#include "host/text/edit_point.h"

#include <cstring>
#include <string_view>
#include <utility>

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "host/platform/error.h"
#include "host/text/story.h"

namespace host::edit::detail {

namespace {

bool isTextElement(const Wml& w, pugi::xml_node n) {
  return w.is(n, "t") || w.is(n, "delText") || w.is(n, "instrText") || w.is(n, "delInstrText");
}

bool isZeroWidthMark(const Wml& w, pugi::xml_node n) {
  for (const char* mark :
       {"bookmarkStart", "bookmarkEnd", "commentRangeStart", "commentRangeEnd", "permStart", "permEnd", "proofErr"})
    if (w.is(n, mark)) return true;
  return false;
}

void setElementUtf8(pugi::xml_node t, const std::string& utf8) {
  t.text().set(utf8.c_str());
  if (!t.attribute("xml:space")) t.append_attribute("xml:space") = "preserve";
}

// A text element's UTF-8 cut after its first k UTF-16 units, without converting the whole
// text: marking splits long runs again and again.
std::pair<std::string, std::string> cutUtf8(std::string_view utf8, std::uint32_t k) {
  const auto length = static_cast<std::int32_t>(utf8.size());
  std::int32_t at = 0;
  std::uint32_t units = 0;
  while (units < k && at < length) {
    UChar32 c;
    U8_NEXT(utf8.data(), at, length, c);
    if (c < 0) break;  // ill-formed: converted below, as the map read it
    units += U16_LENGTH(c);
  }
  if (units == k)
    return {std::string(utf8.substr(0, static_cast<std::size_t>(at))),
            std::string(utf8.substr(static_cast<std::size_t>(at)))};
  Text t = toText(utf8);
  if (k >= t.size()) return {std::string(utf8), {}};
  return {toUtf8(std::u16string_view(t).substr(0, k)), toUtf8(std::u16string_view(t).substr(k))};
}

// Keeps the first k characters of `node` (a child of `run`) in the run; the rest of the run
// moves to a new run after it. Returns that new run (empty when nothing followed the split).
pugi::xml_node splitRunAfter(const Wml& w, pugi::xml_node run, pugi::xml_node node, std::uint32_t k) {
  std::string rest;
  bool splitText = false;
  if (isTextElement(w, node)) {
    auto [before, after] = cutUtf8(node.text().get(), k);
    if (!after.empty()) {
      rest = std::move(after);
      setElementUtf8(node, before);
      splitText = true;
    }
  }
  pugi::xml_node moveFrom = node.next_sibling();
  if (!splitText && !hasElementAfter(moveFrom)) return {};
  pugi::xml_node right = run.parent().insert_child_after(run.name(), run);
  copyAttributes(run, right);
  if (pugi::xml_node rPr = w.child(run, "rPr")) right.append_copy(rPr);
  if (splitText) setElementUtf8(right.append_child(node.name()), rest);
  while (moveFrom) {
    pugi::xml_node next = moveFrom.next_sibling();
    right.append_move(moveFrom);
    moveFrom = next;
  }
  return right;
}

// Splits the run of a paragraph's segment after its first k characters and patches the map.
void splitSegmentRun(Story& story, std::size_t block, std::size_t segment, std::uint32_t k) {
  const Segment& s = story.map(block).segments[segment];
  if (pugi::xml_node right = splitRunAfter(story.wml(), s.run, s.node, k))
    story.patchMap(block).runSplit(segment, k, right, story.wml());
}

}  // namespace

Locus locate(const Story& story, long pos) {
  if (pos < 0 || pos > story.length())
    throw Error(kErrOutOfRange, "The position " + std::to_string(pos) + " is outside the story (0 to " +
                                    std::to_string(story.length()) + ").");
  std::size_t b = story.blockAt(pos);
  return {b, static_cast<std::uint32_t>(pos - story.blockStart(b))};
}

bool isPropertyElement(pugi::xml_node n) {
  const char* l = localName(n.name());
  std::size_t len = std::strlen(l);
  return len > 2 && std::strcmp(l + len - 2, "Pr") == 0;
}

void setElementText(pugi::xml_node t, const Text& text) { setElementUtf8(t, toUtf8(text)); }

bool hasElementAfter(pugi::xml_node n) {
  for (; n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return true;
  return false;
}

void copyAttributes(pugi::xml_node from, pugi::xml_node to) {
  for (pugi::xml_attribute a : from.attributes()) to.append_attribute(a.name()) = a.value();
}

InsertPoint insertionPoint(Story& story, std::size_t b, std::uint32_t o) {
  const Wml& w = story.wml();
  const Block& block = story.blocks()[b];
  if (block.rowEnd) throw Error(kErrOutOfRange, "Nothing can be inserted at the end of a table row.");
  const CharMap& m = story.map(b);
  InsertPoint ip;
  if (o == 0) {
    const Segment& s = m.segments.front();
    if (s.kind == Seg::ParagraphMark) {
      ip.parent = block.node;
      ip.templateRPr = w.child(w.child(block.node, "pPr"), "rPr");
    } else if (s.run) {
      ip.parent = s.run.parent();
      ip.before = s.run;
      ip.templateRPr = w.child(s.run, "rPr");
      ip.afterFieldMark = isFieldMark(s.kind);
    } else {
      ip.parent = s.node.parent();
      ip.before = s.node;
    }
    return ip;
  }
  const Segment& s = m.segments[m.segmentAt(o - 1)];
  ip.code = s.codeAfter;
  switch (s.kind) {
    case Seg::SimpleBegin:
    case Seg::SimpleCode: throw Error(kErrBadArgument, "The code of a simple field cannot be edited here.");
    case Seg::SimpleSeparator:
      ip.parent = s.node;
      ip.before = s.node.first_child();
      return ip;
    case Seg::SimpleEnd:
      ip.parent = s.node.parent();
      ip.before = s.node.next_sibling();
      return ip;
    default: break;
  }
  if (!s.run) {
    ip.parent = s.node.parent();
    ip.before = s.node.next_sibling();
    return ip;
  }
  const pugi::xml_node left = s.run;
  ip.afterFieldMark = isFieldMark(s.kind);
  splitSegmentRun(story, b, m.segmentAt(o - 1), o - s.start);
  ip.parent = left.parent();
  ip.before = left.next_sibling();
  // Bookmarks and other marks standing at this point stay before what is inserted here.
  while (ip.before && isZeroWidthMark(w, ip.before)) ip.before = ip.before.next_sibling();
  ip.templateRPr = w.child(left, "rPr");
  return ip;
}

// Splits the run at pos so that a run boundary stands there.
void splitAt(Story& story, long pos) {
  if (pos <= 0 || pos >= story.length()) return;
  Locus l = locate(story, pos);
  const CharMap& m = story.map(l.block);
  if (l.offset == 0 || l.offset + 1 >= m.length()) return;
  // The halves of a character outside the basic plane stay together, formatted alike.
  if (U16_IS_LEAD(m.text[l.offset - 1]) && U16_IS_TRAIL(m.text[l.offset])) return;
  const std::size_t segment = m.segmentAt(l.offset - 1);
  const Segment& left = m.segments[segment];
  const Segment& right = m.segments[m.segmentAt(l.offset)];
  if (!left.run || left.run != right.run) return;
  splitSegmentRun(story, l.block, segment, l.offset - left.start);
}

}  // namespace host::edit::detail
