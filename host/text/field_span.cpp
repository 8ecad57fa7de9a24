#include "host/text/field_span.h"

#include "host/platform/error.h"
#include "host/text/story.h"

namespace host {

namespace {

// The block and segment index where a field's begin element stands.
bool locateBegin(const Story& story, pugi::xml_node begin, std::size_t& block, std::size_t& seg) {
  for (pugi::xml_node p = begin.parent(); p; p = p.parent()) {
    std::size_t b = story.blockOf(p);
    if (b == Story::npos) continue;
    const auto& segments = story.map(b).segments;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      if (segments[i].node == begin && (segments[i].kind == Seg::FieldBegin || segments[i].kind == Seg::SimpleBegin)) {
        block = b;
        seg = i;
        return true;
      }
    }
    return false;
  }
  return false;
}

}  // namespace

FieldSpan fieldSpan(const Story& story, pugi::xml_node begin) {
  std::size_t block = 0, seg = 0;
  if (!begin.parent() || !locateBegin(story, begin, block, seg))
    throw Error(kErrNoSuchMember, "The field no longer exists.");
  FieldSpan span;
  long bs = story.blockStart(block);
  const auto& first = story.map(block).segments;
  span.begin = bs + first[seg].start;
  if (first[seg].kind == Seg::SimpleBegin) {
    for (const Segment& s : first) {
      if (s.node != begin) continue;
      if (s.kind == Seg::SimpleSeparator) span.separator = bs + s.start;
      if (s.kind == Seg::SimpleEnd) span.end = bs + s.start;
    }
    return span;
  }
  int depth = 0;
  for (std::size_t b = block; b < story.blocks().size(); ++b) {
    const auto& segments = story.map(b).segments;
    long start = story.blockStart(b);
    for (std::size_t i = (b == block ? seg + 1 : 0); i < segments.size(); ++i) {
      const Segment& s = segments[i];
      if (s.kind == Seg::FieldBegin) {
        ++depth;
      } else if (s.kind == Seg::FieldSeparator && depth == 0 && span.separator < 0) {
        span.separator = start + s.start;
      } else if (s.kind == Seg::FieldEnd) {
        if (depth == 0) {
          span.end = start + s.start;
          return span;
        }
        --depth;
      }
    }
  }
  // A field without an end mark reaches to the end of its story.
  span.end = story.length() - 1;
  return span;
}

}  // namespace host
