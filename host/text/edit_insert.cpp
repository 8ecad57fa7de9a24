// Inserting: text and field marks into new runs at a point, and paragraph marks by splitting
// the paragraph (and the wrappers around the point) in two.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "host/platform/error.h"
#include "host/text/edit.h"
#include "host/text/edit_point.h"
#include "host/text/story.h"
#include "host/wml/field_char.h"
#include "host/wml/paragraph_properties.h"
#include "host/wml/run_content.h"
#include "host/wml/run_properties.h"

namespace host::edit {

using namespace detail;

namespace {

pugi::xml_node newRun(const Wml& w, const InsertPoint& ip, bool hidden) {
  pugi::xml_node r = insertRun(w, ip.parent, ip.before);
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
    RunProperties::of(w, r, true).setToggle(Toggle::Vanish, true);
  } else if (ip.afterFieldMark && !ip.code) {
    // Text typed after a hidden field must not inherit its hidden formatting.
    RunProperties::of(w, r, false).setToggle(Toggle::Vanish, std::nullopt);
  }
  return r;
}

// Writes text (without paragraph marks) into run r as w:t / w:instrText, tabs and breaks.
void fillRun(const Wml& w, pugi::xml_node r, const Text& text, bool code) {
  Text pending;
  auto flush = [&] {
    if (pending.empty()) return;
    if (code) appendFieldCode(w, r, toUtf8(pending).c_str());
    else appendRunText(w, r, toUtf8(pending).c_str());
    pending.clear();
  };
  for (char16_t c : text) {
    RunMark mark = RunMark::Tab;
    switch (c) {
      case ch::kTab: mark = RunMark::Tab; break;
      case ch::kLineBreak: mark = RunMark::LineBreak; break;
      case ch::kPageBreak: mark = RunMark::PageBreak; break;
      case ch::kColumnBreak: mark = RunMark::ColumnBreak; break;
      case ch::kNoBreakHyphen: mark = RunMark::NoBreakHyphen; break;
      case ch::kSoftHyphen: mark = RunMark::SoftHyphen; break;
      default:
        if (c >= 32) pending += c;  // other control characters cannot be written as text
        continue;
    }
    flush();
    appendRunMark(w, r, mark);
  }
  flush();
}

// Patches the paragraph's map for runs inserted outside any field code, which is what
// marking inserts tens of thousands of times; returns the map of what was inserted, none when
// the paragraph must be re-read.
std::optional<CharMap> patchInsertedRuns(Story& story, Locus l, const InsertPoint& ip,
                                         const std::vector<pugi::xml_node>& runs) {
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
      appendFieldChar(w, r,
                      p.kind == Piece::FieldBegin ? FieldChar::Begin
                      : p.kind == Piece::FieldEnd ? FieldChar::End
                                                  : FieldChar::Separate);
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
  else doc.notify(story, Change::paragraphReread(l.block));
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
  if (ParagraphProperties pPr = ParagraphProperties::of(w, p, false)) renumberRevisions(w, pPr.copyInto(fresh).node());
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

}  // namespace host::edit
