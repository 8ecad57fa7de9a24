// Deleting: characters inside each paragraph, right to left, then paragraph marks by joining
// paragraphs; field marks whose field reaches outside stay, so that no field is left half.

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "host/text/edit.h"
#include "host/text/edit_point.h"
#include "host/text/story.h"
#include "host/wml/simple_field.h"

namespace host::edit {

using namespace detail;

namespace {

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
        Text code = toText(simpleFieldCode(w, s.node));
        code.erase(from, to - from);
        setSimpleFieldCode(w, s.node, toUtf8(code));
        removed.emplace_back(s.start + from, s.start + to);
        continue;
      }
      case Seg::SimpleBegin:
      case Seg::SimpleSeparator:
      case Seg::SimpleEnd: continue;
      default: removeNode(doc, story, s.node);
    }
    removed.emplace_back(s.start + from, s.start + to);
    if (s.run) touchedRuns.push_back(s.run);
  }
  // A simple field inside another goes with it: removed again, it would be freed memory.
  std::vector<pugi::xml_node> outermost;
  for (pugi::xml_node_struct* n : wholeSimple)
    if (!insideAny(pugi::xml_node(n).parent(), p, wholeSimple)) outermost.emplace_back(n);
  for (pugi::xml_node n : outermost) removeNode(doc, story, n);
  for (pugi::xml_node r : touchedRuns) {
    if (!r.parent()) continue;
    pugi::xml_node rPr = w.child(r, "rPr");
    if (!hasElementAfter(rPr ? rPr.next_sibling() : r.first_child()) && !(rPr && rPr.previous_sibling()))
      removeNode(doc, story, r);
  }
  std::sort(removed.begin(), removed.end());
  Removed merged;  // touching or nested pieces as one, so that live ranges are moved once for them
  for (const auto& piece : removed) {
    if (!merged.empty() && merged.back().second >= piece.first)
      merged.back().second = std::max(merged.back().second, piece.second);
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

}  // namespace

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

}  // namespace host::edit
