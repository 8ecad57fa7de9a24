#include "host/text/edit.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "host/platform/error.h"
#include "host/text/story.h"

namespace host::edit {

namespace {

struct Locus {
  std::size_t block;
  std::uint32_t offset;
};

// Where new runs go: before `before` in `parent` (append when empty), formatted like `templateRPr`.
struct InsertPoint {
  pugi::xml_node parent, before, templateRPr;
  bool afterFieldMark = false;  // the template comes from a field mark's run
  bool code = false;            // the point lies inside a field code
};

Locus locate(const Story& story, long pos) {
  if (pos < 0 || pos > story.length())
    throw Error(kErrOutOfRange, "The position " + std::to_string(pos) + " is outside the story (0 to " +
                                    std::to_string(story.length()) + ").");
  std::size_t b = story.blockAt(pos);
  return {b, static_cast<std::uint32_t>(pos - story.blockStart(b))};
}

bool isTextElement(const Wml& w, pugi::xml_node n) {
  return w.is(n, "t") || w.is(n, "delText") || w.is(n, "instrText") || w.is(n, "delInstrText");
}

bool isZeroWidthMark(const Wml& w, pugi::xml_node n) {
  for (const char* mark : {"bookmarkStart", "bookmarkEnd", "commentRangeStart", "commentRangeEnd", "permStart",
                           "permEnd", "proofErr"})
    if (w.is(n, mark)) return true;
  return false;
}

bool isFieldMark(Seg kind) { return kind == Seg::FieldBegin || kind == Seg::FieldSeparator || kind == Seg::FieldEnd; }

bool isPropertyElement(pugi::xml_node n) {
  const char* l = localName(n.name());
  std::size_t len = std::strlen(l);
  return len > 2 && std::strcmp(l + len - 2, "Pr") == 0;
}

void setElementUtf8(pugi::xml_node t, const std::string& utf8) {
  t.text().set(utf8.c_str());
  if (!t.attribute("xml:space")) t.append_attribute("xml:space") = "preserve";
}

void setElementText(pugi::xml_node t, const Text& text) { setElementUtf8(t, toUtf8(text)); }

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
  if (units == k) return {std::string(utf8.substr(0, static_cast<std::size_t>(at))), std::string(utf8.substr(static_cast<std::size_t>(at)))};
  Text t = toText(utf8);
  if (k >= t.size()) return {std::string(utf8), {}};
  return {toUtf8(std::u16string_view(t).substr(0, k)), toUtf8(std::u16string_view(t).substr(k))};
}

bool hasElementAfter(pugi::xml_node n) {
  for (; n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return true;
  return false;
}

void copyAttributes(pugi::xml_node from, pugi::xml_node to) {
  for (pugi::xml_attribute a : from.attributes()) to.append_attribute(a.name()) = a.value();
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
    case Seg::SimpleCode:
      throw Error(kErrBadArgument, "The code of a simple field cannot be edited here.");
    case Seg::SimpleSeparator:
      ip.parent = s.node;
      ip.before = s.node.first_child();
      return ip;
    case Seg::SimpleEnd:
      ip.parent = s.node.parent();
      ip.before = s.node.next_sibling();
      return ip;
    default:
      break;
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

pugi::xml_node newRun(const Wml& w, const InsertPoint& ip, bool hidden) {
  std::string name = w.name("r");
  pugi::xml_node parent = ip.parent;
  pugi::xml_node r = ip.before ? parent.insert_child_before(name.c_str(), ip.before) : parent.append_child(name.c_str());
  if (ip.templateRPr) {
    pugi::xml_node rPr = r.append_copy(ip.templateRPr);
    // Revision marks of a paragraph mark are not allowed in a run's properties.
    for (pugi::xml_node c = rPr.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      const char* l = w.local(c);
      auto isMark = [l](const char* mark) { return !std::strcmp(l, mark); };
      if (l && (isMark("ins") || isMark("del") || isMark("moveFrom") || isMark("moveTo") || isMark("rPrChange")))
        rPr.remove_child(c);
      c = next;
    }
  }
  if (hidden) {
    pugi::xml_node vanish = w.ensureChild(w.runProperties(r, true), "vanish", Wml::runPropertyOrder());
    vanish.remove_attribute(w.name("val").c_str());
  } else if (ip.afterFieldMark && !ip.code) {
    // Text typed after a hidden field must not inherit its hidden formatting.
    w.removeChild(w.runProperties(r, false), "vanish");
  }
  return r;
}

// Writes text (without paragraph marks) into run r as w:t / w:instrText, tabs and breaks.
void fillRun(const Wml& w, pugi::xml_node r, const Text& text, bool code) {
  Text pending;
  auto flush = [&] {
    if (pending.empty()) return;
    setElementText(r.append_child(w.name(code ? "instrText" : "t").c_str()), pending);
    pending.clear();
  };
  for (char16_t c : text) {
    const char* element = nullptr;
    const char* breakType = nullptr;
    switch (c) {
      case ch::kTab: element = "tab"; break;
      case ch::kLineBreak: element = "br"; break;
      case ch::kPageBreak: element = "br"; breakType = "page"; break;
      case ch::kColumnBreak: element = "br"; breakType = "column"; break;
      case ch::kNoBreakHyphen: element = "noBreakHyphen"; break;
      case ch::kSoftHyphen: element = "softHyphen"; break;
      default:
        if (c >= 32) pending += c;  // other control characters cannot be written as text
        continue;
    }
    flush();
    pugi::xml_node e = r.append_child(w.name(element).c_str());
    if (breakType) w.setValue(e, "type", breakType);
  }
  flush();
}

// Patches the paragraph's map for runs inserted outside any field code, which is what
// marking inserts tens of thousands of times; returns the map of what was inserted, none when
// the paragraph must be re-read.
std::optional<CharMap> patchInsertedRuns(Story& story, Locus l, const InsertPoint& ip, const std::vector<pugi::xml_node>& runs) {
  const CharMap& m = story.map(l.block);
  if (ip.code || (l.offset > 0 && m.segments[m.segmentAt(l.offset - 1)].codeAfter)) return std::nullopt;
  std::optional<CharMap> inserted = buildRunsMap(runs, m.styleId, story.wml(), story.styles());
  if (!inserted || !story.patchMap(l.block).insertRuns(l.offset, *inserted)) return std::nullopt;
  return inserted;
}

long insertInline(EditSink& doc, Story& story, long pos, const std::vector<Piece>& pieces, Runs shape) {
  Locus l = locate(story, pos);
  const Wml& w = story.wml();
  long before = story.map(l.block).length();
  InsertPoint ip = insertionPoint(story, l.block, l.offset);
  std::vector<pugi::xml_node> runs;
  for (const Piece& p : pieces) {
    if (runs.empty() || shape == Runs::EachPiece) runs.push_back(newRun(w, ip, p.hidden));
    pugi::xml_node r = runs.back();
    if (p.kind == Piece::Text) {
      fillRun(w, r, p.text, p.code || ip.code);
    } else {
      pugi::xml_node f = r.append_child(w.name("fldChar").c_str());
      w.setValue(f, "fldCharType", p.kind == Piece::FieldBegin ? "begin" : p.kind == Piece::FieldEnd ? "end" : "separate");
    }
  }
  // A run left with nothing in it (text of nothing but control characters) goes again.
  std::erase_if(runs, [&](pugi::xml_node r) {
    pugi::xml_node rPr = w.child(r, "rPr");
    if (hasElementAfter(rPr ? rPr.next_sibling() : r.first_child())) return false;
    removeNode(doc, story, r);
    return true;
  });
  if (std::optional<CharMap> inserted = patchInsertedRuns(story, l, ip, runs))
    doc.notify(story, Change::paragraphPatched(l.block, l.offset, *inserted));
  else
    doc.notify(story, Change::paragraphReread(l.block));
  long inserted = static_cast<long>(story.map(l.block).length()) - before;
  doc.notify(story, Change::textReplaced(pos, 0, inserted));
  return inserted;
}

bool isRevisionMark(const Wml& w, pugi::xml_node n) {
  return w.is(n, "ins") || w.is(n, "del") || w.is(n, "moveFrom") || w.is(n, "moveTo");
}

// Calls f for top and every element inside it, in document order.
template <typename F>
void forEachElement(pugi::xml_node top, F& f) {
  if (top.type() == pugi::node_element) f(top);
  for (pugi::xml_node c = top.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) forEachElement(c, f);
}

// Gives the revision marks of a copied element (it or what it holds) ids of their own: a
// revision's id is unique in the document, and a copy would share its original's.
void renumberRevisions(const Wml& w, pugi::xml_node copy) {
  std::vector<pugi::xml_node> marks;
  auto collect = [&](pugi::xml_node n) {
    if (isRevisionMark(w, n) && w.attr(n, "id")) marks.push_back(n);
  };
  forEachElement(copy, collect);
  if (marks.empty()) return;
  long largest = 0;
  auto measure = [&](pugi::xml_node n) {
    if (pugi::xml_attribute id = w.attr(n, "id")) largest = std::max(largest, std::atol(id.value()));
  };
  forEachElement(copy.root(), measure);
  for (pugi::xml_node m : marks) w.setValue(m, "id", std::to_string(++largest));
}

// Splits the wrappers (hyperlinks, smart tags, content controls ...) between paragraph p and
// the point (parent, before), so that the point falls between two children of p. Returns the
// child of p where the second half starts (empty at the end).
pugi::xml_node splitUpTo(const Wml& w, pugi::xml_node p, pugi::xml_node parent, pugi::xml_node before) {
  while (parent && parent != p) {
    pugi::xml_node wrapper = w.is(parent, "sdtContent") ? parent.parent() : parent;
    bool contentBefore = false;
    for (pugi::xml_node c = parent.first_child(); c && c != before; c = c.next_sibling())
      if (c.type() == pugi::node_element && !isPropertyElement(c)) contentBefore = true;
    if (!before) {
      before = wrapper.next_sibling();
    } else if (!contentBefore) {
      before = wrapper;
    } else {
      pugi::xml_node copy = wrapper.parent().insert_child_before(wrapper.name(), wrapper);
      copyAttributes(wrapper, copy);
      for (pugi::xml_node c = wrapper.first_child(); c; c = c.next_sibling())
        if (isPropertyElement(c)) copy.append_copy(c);
      renumberRevisions(w, copy);
      pugi::xml_node target = copy;
      if (parent != wrapper) target = copy.append_child(parent.name());
      for (pugi::xml_node c = parent.first_child(); c && c != before;) {
        pugi::xml_node next = c.next_sibling();
        if (!isPropertyElement(c)) target.append_move(c);
        c = next;
      }
      before = wrapper;
    }
    parent = wrapper.parent();
  }
  return before;
}

void splitParagraph(EditSink& doc, Story& story, long pos) {
  Locus l = locate(story, pos);
  const Wml& w = story.wml();
  const Block& block = story.blocks()[l.block];
  if (block.rowEnd) throw Error(kErrOutOfRange, "A paragraph cannot be inserted at the end of a table row.");
  pugi::xml_node p = block.node;
  pugi::xml_node firstRight;
  bool moveAll = false;
  if (l.offset > 0) {
    InsertPoint ip = insertionPoint(story, l.block, l.offset);
    firstRight = splitUpTo(w, p, ip.parent, ip.before);
    moveAll = !firstRight;
  }
  // The new paragraph goes before: the section break and numbering restart stay with the old mark.
  pugi::xml_node fresh = p.parent().insert_child_before(p.name(), p);
  if (pugi::xml_node pPr = w.child(p, "pPr")) {
    pugi::xml_node copy = fresh.append_copy(pPr);
    w.removeChild(copy, "sectPr");
    w.removeChild(copy, "pPrChange");
    renumberRevisions(w, copy);
  }
  if (l.offset > 0) {
    for (pugi::xml_node c = p.first_child(); c && (moveAll || c != firstRight);) {
      pugi::xml_node next = c.next_sibling();
      if (!w.is(c, "pPr")) fresh.append_move(c);
      c = next;
    }
  }
  doc.notify(story, Change::paragraphReread(l.block));
  doc.notify(story, Change::structureChanged());
  doc.notify(story, Change::textReplaced(pos, 0, 1));
}

bool mergeable(const Story& story, std::size_t b) {
  const auto& blocks = story.blocks();
  if (blocks[b].cellEnd || b + 1 >= blocks.size() || blocks[b + 1].rowEnd) return false;
  return blocks[b + 1].node.parent() == blocks[b].node.parent();
}

// Deletes paragraph p's mark: the next paragraph's content joins it, under the next
// paragraph's properties (which hold its mark's formatting and any section break).
void mergeWithNext(EditSink& doc, Story& story, pugi::xml_node p, pugi::xml_node next) {
  const Wml& w = story.wml();
  if (pugi::xml_node own = w.child(p, "pPr")) p.remove_child(own);
  if (pugi::xml_node theirs = w.child(next, "pPr")) p.prepend_move(theirs);
  while (pugi::xml_node c = next.first_child()) p.append_move(c);
  removeNode(doc, story, next);
}

bool insideAny(pugi::xml_node n, pugi::xml_node stop, const std::set<pugi::xml_node_struct*>& set) {
  for (; n && n != stop; n = n.parent())
    if (set.count(n.internal_object())) return true;
  return false;
}

// Offsets [from, to) of a paragraph that an erase removed.
using Removed = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// Removes the characters [la, lb) of paragraph b, except simple-field marks of fields not
// wholly inside and the complex-field marks in `keep`; returns what went, in order.
Removed eraseInline(EditSink& doc, Story& story, std::size_t b, std::uint32_t la, std::uint32_t lb,
                    const std::set<pugi::xml_node_struct*>& keep) {
  const Wml& w = story.wml();
  const CharMap& m = story.map(b);
  pugi::xml_node p = story.blocks()[b].node;
  Removed removed;
  std::set<pugi::xml_node_struct*> wholeSimple;
  for (const Segment& s : m.segments) {
    if (s.kind != Seg::SimpleBegin || s.start < la) continue;
    for (const Segment& e : m.segments) {
      if (e.kind == Seg::SimpleEnd && e.node == s.node && e.start < lb) {
        wholeSimple.insert(s.node.internal_object());
        removed.emplace_back(s.start, e.start + 1);
      }
    }
  }
  std::vector<pugi::xml_node> touchedRuns;
  for (std::size_t i = m.segments.size(); i-- > 0;) {
    const Segment& s = m.segments[i];
    if (s.start >= lb || s.start + s.length <= la) continue;
    if (s.kind == Seg::ParagraphMark || s.kind == Seg::RowEnd) continue;
    if (!wholeSimple.empty() && insideAny(s.run ? s.run : s.node, p, wholeSimple)) continue;
    if (isFieldMark(s.kind) && keep.count(s.node.internal_object())) continue;
    std::uint32_t from = std::max(la, s.start) - s.start;
    std::uint32_t to = std::min(lb, s.start + s.length) - s.start;
    switch (s.kind) {
      case Seg::Text:
      case Seg::CodeText:
        if (from == 0 && to == s.length) {
          removeNode(doc, story, s.node);
        } else {
          Text t = toText(s.node.text().get());
          t.erase(from, to - from);
          setElementText(s.node, t);
        }
        break;
      case Seg::SimpleCode: {
        Text code = toText(w.value(s.node, "instr"));
        code.erase(from, to - from);
        w.setValue(s.node, "instr", toUtf8(code));
        removed.emplace_back(s.start + from, s.start + to);
        continue;
      }
      case Seg::SimpleBegin:
      case Seg::SimpleSeparator:
      case Seg::SimpleEnd:
        continue;
      default:
        removeNode(doc, story, s.node);
    }
    removed.emplace_back(s.start + from, s.start + to);
    if (s.run) touchedRuns.push_back(s.run);
  }
  for (pugi::xml_node_struct* n : wholeSimple) removeNode(doc, story, pugi::xml_node(n));
  for (pugi::xml_node r : touchedRuns) {
    if (!r.parent()) continue;
    pugi::xml_node rPr = w.child(r, "rPr");
    if (!hasElementAfter(rPr ? rPr.next_sibling() : r.first_child()) && !(rPr && rPr.previous_sibling()))
      removeNode(doc, story, r);
  }
  std::sort(removed.begin(), removed.end());
  Removed merged;  // touching pieces as one, so that live ranges are moved once for them
  for (const auto& piece : removed) {
    if (!merged.empty() && merged.back().second == piece.first) merged.back().second = piece.second;
    else merged.push_back(piece);
  }
  return merged;
}

// The complex-field marks in [start, end) whose field reaches outside it: they stay, so that
// no field is left with a begin and no end (which would turn the rest of the story into its
// result) or an end and no begin.
std::set<pugi::xml_node_struct*> marksOfPartialFields(const Story& story, long start, long end) {
  struct Open {
    pugi::xml_node begin;
    std::vector<pugi::xml_node> separators;
  };
  std::set<pugi::xml_node_struct*> keep;
  std::vector<Open> open;
  story.forEachSegment(start, end, [&](const Segment& s, long) {
    if (s.kind == Seg::FieldBegin) {
      open.push_back({s.node, {}});
    } else if (s.kind == Seg::FieldSeparator) {
      if (open.empty()) keep.insert(s.node.internal_object());
      else open.back().separators.push_back(s.node);
    } else if (s.kind == Seg::FieldEnd) {
      if (open.empty()) keep.insert(s.node.internal_object());
      else open.pop_back();
    }
  });
  // Fields still open at the end stay when their end mark follows (a field that never ends
  // goes with its begin).
  std::size_t closed = 0;  // how many of `open`, innermost first, end after the range
  for (std::size_t b = story.blockAt(end); closed < open.size() && b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    int depth = 0;  // fields begun after the range
    for (const Segment& s : story.map(b).segments) {
      if (bs + s.start < end) continue;
      if (s.kind == Seg::FieldBegin) ++depth;
      else if (s.kind == Seg::FieldEnd && depth > 0) --depth;
      else if (s.kind == Seg::FieldEnd && ++closed == open.size()) break;
    }
  }
  for (std::size_t i = open.size() - closed; i < open.size(); ++i) {
    keep.insert(open[i].begin.internal_object());
    for (pugi::xml_node separator : open[i].separators) keep.insert(separator.internal_object());
  }
  return keep;
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

}  // namespace

long insertionPosition(const Story& story, long pos) { return pos == story.length() && pos > 0 ? pos - 1 : pos; }

long insert(EditSink& doc, Story& story, long pos, const std::vector<Piece>& pieces, Runs shape) {
  pos = insertionPosition(story, pos);
  long at = pos;
  std::vector<Piece> line;
  auto flush = [&] {
    if (!line.empty()) at += insertInline(doc, story, at, line, shape);
    line.clear();
  };
  for (const Piece& piece : pieces) {
    if (piece.kind != Piece::Text) {
      line.push_back(piece);
      continue;
    }
    Piece current = piece;
    current.text.clear();
    for (std::size_t i = 0; i < piece.text.size(); ++i) {
      char16_t c = piece.text[i];
      if (c != ch::kParagraph && c != ch::kLineFeed) {
        current.text += c;
        continue;
      }
      if (c == ch::kParagraph && i + 1 < piece.text.size() && piece.text[i + 1] == ch::kLineFeed) ++i;
      if (!current.text.empty()) line.push_back(current);
      current.text.clear();
      flush();
      splitParagraph(doc, story, at);
      ++at;
    }
    if (!current.text.empty()) line.push_back(current);
  }
  flush();
  return at - pos;
}

void erase(EditSink& doc, Story& story, long start, long end) {
  start = std::max(0L, start);
  end = std::min(end, story.length());
  if (start >= end) return;
  struct Part {
    std::size_t block;
    long blockStart;
    std::uint32_t from, to;
  };
  std::vector<Part> parts;
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    long len = story.map(b).length();
    parts.push_back({b, bs, static_cast<std::uint32_t>(std::max(start - bs, 0L)),
                     static_cast<std::uint32_t>(std::min(end - bs, len))});
  }
  const auto keep = marksOfPartialFields(story, start, end);
  bool structural = false;
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    const Block& block = story.blocks()[it->block];
    if (block.rowEnd) continue;
    std::uint32_t contentEnd = story.map(it->block).length() - 1;
    std::uint32_t inlineEnd = std::min(it->to, contentEnd);
    Removed removed;
    if (it->from < inlineEnd) removed = eraseInline(doc, story, it->block, it->from, inlineEnd, keep);
    if (it->to > contentEnd && mergeable(story, it->block)) {
      mergeWithNext(doc, story, block.node, story.blocks()[it->block + 1].node);
      removed.emplace_back(contentEnd, contentEnd + 1);
      structural = true;
    }
    doc.notify(story, Change::paragraphReread(it->block));
    // Live ranges move by what really went, right to left so that positions stay valid.
    for (auto r = removed.rbegin(); r != removed.rend(); ++r)
      doc.notify(story, Change::textReplaced(it->blockStart + r->first, r->second - r->first, 0));
  }
  if (structural) doc.notify(story, Change::structureChanged());
}

pugi::xml_node insertMarker(EditSink& doc, Story& story, long pos, pugi::xml_node prototype) {
  if (story.blocks().empty()) throw Error(kErrOutOfRange, "The story has no paragraphs.");
  pugi::xml_node element;
  if (pos == story.length()) {
    pugi::xml_node last = story.blocks().back().node;
    element = last.parent().insert_copy_after(prototype, last);
    doc.notify(story, Change::structureChanged());
  } else {
    Locus l = locate(story, pos);
    InsertPoint ip = insertionPoint(story, l.block, l.offset);
    element = ip.before ? ip.parent.insert_copy_before(prototype, ip.before) : ip.parent.append_copy(prototype);
    doc.notify(story, Change::paragraphReread(l.block));
  }
  doc.notify(story, Change::formatted());
  return element;
}

void forEachRun(EditSink& doc, Story& story, long start, long end,
                const std::function<void(pugi::xml_node rPr, const std::string& styleId)>& fn) {
  if (start >= end) return;
  splitAt(story, end);
  splitAt(story, start);
  const Wml& w = story.wml();
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    if (story.blocks()[b].rowEnd) continue;
    const CharMap& m = story.map(b);
    std::string styleId = m.styleId;
    std::vector<pugi::xml_node> runs;
    bool mark = false;
    for (std::size_t i = start > bs ? m.segmentAt(static_cast<std::uint32_t>(start - bs)) : 0; i < m.segments.size(); ++i) {
      const Segment& s = m.segments[i];
      if (bs + s.start >= end) break;
      if (bs + s.start + s.length <= start) continue;
      if (s.kind == Seg::ParagraphMark) mark = true;
      else if (s.run && (runs.empty() || runs.back() != s.run)) runs.push_back(s.run);
    }
    // Properties made for the call and left empty go again, so that setting what the text
    // already has changes no XML. The paragraph's map holds no formatting but hiddenness, so
    // it is re-read only when that changed.
    bool hiddenChanged = false;
    auto withProperties = [&](pugi::xml_node holder) {
      bool had = static_cast<bool>(w.runProperties(holder, false));
      pugi::xml_node rPr = w.runProperties(holder, true);
      bool hiddenBefore = story.styles().hidden(styleId, rPr);
      fn(rPr, styleId);
      hiddenChanged = hiddenChanged || story.styles().hidden(styleId, rPr) != hiddenBefore;
      if (!had && !rPr.first_child()) holder.remove_child(rPr);
    };
    for (pugi::xml_node r : runs) withProperties(r);
    if (mark) {
      pugi::xml_node p = story.blocks()[b].node;
      bool hadPPr = static_cast<bool>(w.paragraphProperties(p, false));
      pugi::xml_node pPr = w.paragraphProperties(p, true);
      withProperties(pPr);
      if (!hadPPr && !pPr.first_child()) p.remove_child(pPr);
    }
    if (hiddenChanged) doc.notify(story, Change::paragraphReread(b));
  }
  doc.notify(story, Change::formatted());
}

void mapText(EditSink& doc, Story& story, long start, long end, const std::function<Text(const Text&)>& fn) {
  if (start >= end) return;
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    const CharMap& m = story.map(b);
    bool changed = false;
    for (const Segment& s : m.segments) {
      if (s.kind != Seg::Text || bs + s.start >= end || bs + s.start + s.length <= start) continue;
      std::uint32_t from = static_cast<std::uint32_t>(std::max(start - bs, static_cast<long>(s.start))) - s.start;
      std::uint32_t to = static_cast<std::uint32_t>(std::min(end - bs, static_cast<long>(s.start + s.length))) - s.start;
      Text t = toText(s.node.text().get());
      Text replaced = fn(t.substr(from, to - from));
      if (replaced.size() != to - from) continue;
      t.replace(from, to - from, replaced);
      setElementText(s.node, t);
      changed = true;
    }
    if (changed) doc.notify(story, Change::paragraphReread(b));
  }
  doc.notify(story, Change::formatted());
}

}  // namespace host::edit
