// Edits that move no text: formatting the runs of a stretch, and changing its characters
// one for one (capitals).

#include <algorithm>
#include <string>
#include <vector>

#include <unicode/utf16.h>

#include "host/text/edit.h"
#include "host/text/edit_point.h"
#include "host/text/story.h"
#include "host/wml/paragraph_properties.h"
#include "host/wml/run_properties.h"

namespace host::edit {

using namespace detail;

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
    for (std::size_t i = start > bs ? m.segmentAt(static_cast<std::uint32_t>(start - bs)) : 0; i < m.segments.size();
         ++i) {
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
      bool had = static_cast<bool>(RunProperties::of(w, holder, false));
      pugi::xml_node rPr = RunProperties::of(w, holder, true).node();
      bool hiddenBefore = story.styles().hidden(styleId, rPr);
      fn(rPr, styleId);
      hiddenChanged = hiddenChanged || story.styles().hidden(styleId, rPr) != hiddenBefore;
      if (!had && !rPr.first_child()) holder.remove_child(rPr);
    };
    for (pugi::xml_node r : runs) withProperties(r);
    if (mark) {
      pugi::xml_node p = story.blocks()[b].node;
      bool hadPPr = static_cast<bool>(ParagraphProperties::of(w, p, false));
      pugi::xml_node pPr = ParagraphProperties::of(w, p, true).node();
      withProperties(pPr);
      if (!hadPPr && !pPr.first_child()) p.remove_child(pPr);
    }
    if (hiddenChanged) doc.notify(story, Change::paragraphReread(b));
  }
  doc.notify(story, Change::formatted());
}

void mapText(EditSink& doc, Story& story, long start, long end, const std::function<Text(const Text&, long)>& fn) {
  if (start >= end) return;
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    const CharMap& m = story.map(b);
    bool changed = false;
    for (const Segment& s : m.segments) {
      if (s.kind != Seg::Text || bs + s.start >= end || bs + s.start + s.length <= start) continue;
      std::uint32_t from = static_cast<std::uint32_t>(std::max(start - bs, static_cast<long>(s.start))) - s.start;
      std::uint32_t to = static_cast<std::uint32_t>(std::min(end - bs, static_cast<long>(s.start + s.length))) -
                         s.start;
      Text t = toText(s.node.text().get());
      Text replaced = fn(t.substr(from, to - from), bs + s.start + from);
      if (replaced.size() != to - from) continue;
      t.replace(from, to - from, replaced);
      setElementText(s.node, t);
      changed = true;
    }
    if (changed) doc.notify(story, Change::paragraphReread(b));
  }
  doc.notify(story, Change::formatted());
}

bool overwrite(EditSink& doc, Story& story, long start, long end, const Text& text) {
  if (text.empty() || end - start != static_cast<long>(text.size()) || start < 0 || end > story.length()) return false;
  // Tabs, breaks and marks are elements of their own, and a pair of surrogates must not be
  // split between two elements.
  for (char16_t c : text)
    if (c < 0x20 || U16_IS_SURROGATE(c)) return false;
  for (long at = start; at < end;) {
    const std::size_t b = story.blockAt(at);
    const CharMap& m = story.map(b);
    const Segment& s = m.segments[m.segmentAt(static_cast<std::uint32_t>(at - story.blockStart(b)))];
    if (s.kind != Seg::Text || s.inCode) return false;
    const long segmentEnd = story.blockStart(b) + s.start + s.length;
    for (long i = at; i < std::min(end, segmentEnd); ++i)
      if (U16_IS_SURROGATE(m.text[static_cast<std::size_t>(i - story.blockStart(b))])) return false;
    at = segmentEnd;
  }
  mapText(doc, story, start, end, [&](const Text& stretch, long at) {
    return text.substr(static_cast<std::size_t>(at - start), stretch.size());
  });
  return true;
}

}  // namespace host::edit
