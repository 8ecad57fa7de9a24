// What a story keeps beside its XML, compared with a fresh reading of the XML: edits patch
// these caches instead of rebuilding them, and tests check after each kind of edit that the
// patches left exactly what a rebuild makes.

#include <string>

#include "host/text/charmap.h"
#include "host/text/find_view.h"
#include "host/text/story.h"

namespace host {

namespace {

std::string number(std::size_t n) { return std::to_string(n); }

// Where two maps of one paragraph first differ, "" when they do not.
std::string mapDifference(const CharMap& kept, const CharMap& fresh) {
  if (kept.text != fresh.text)
    return "holds \"" + toUtf8(kept.text) + "\" where the XML says \"" + toUtf8(fresh.text) + "\"";
  if (kept.styleId != fresh.styleId) return "has style \"" + kept.styleId + "\", not \"" + fresh.styleId + "\"";
  if (kept.segments.size() != fresh.segments.size())
    return "has " + number(kept.segments.size()) + " segments, not " + number(fresh.segments.size());
  for (std::size_t i = 0; i < fresh.segments.size(); ++i) {
    const Segment &a = kept.segments[i], &b = fresh.segments[i];
    if (a.kind != b.kind || a.start != b.start || a.length != b.length)
      return "has segment " + number(i) + " at " + number(a.start) + " (" + number(a.length) + " long), not at " +
             number(b.start) + " (" + number(b.length) + " long) or not of that kind";
    if (a.node != b.node || a.run != b.run) return "takes segment " + number(i) + " from another element";
    if (a.hidden != b.hidden || a.inCode != b.inCode || a.codeAfter != b.codeAfter || a.deleted != b.deleted)
      return "flags segment " + number(i) + " otherwise (hidden, in a code, code open after it, deleted)";
  }
  if (kept.anchors.size() != fresh.anchors.size())
    return "has " + number(kept.anchors.size()) + " zero-width elements, not " + number(fresh.anchors.size());
  for (std::size_t i = 0; i < fresh.anchors.size(); ++i)
    if (kept.anchors[i].node != fresh.anchors[i].node || kept.anchors[i].offset != fresh.anchors[i].offset)
      return "places zero-width element " + number(i) + " otherwise";
  return {};
}

}  // namespace

std::string Story::verifyDerivedState() const {
  const Story fresh(type_, partName_, roots_, w_, styles_);
  if (blocks_.size() != fresh.blocks_.size())
    return "it has " + number(blocks_.size()) + " paragraphs where its XML has " + number(fresh.blocks_.size());
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    const Block &kept = blocks_[b], &now = fresh.blocks_[b];
    const std::string paragraph = "paragraph " + number(b);
    if (kept.node != now.node || kept.rowEnd != now.rowEnd || kept.cellEnd != now.cellEnd)
      return paragraph + " is not the one its XML has there";
    if (std::string d = mapDifference(*maps_[b], *fresh.maps_[b]); !d.empty())
      return "the map of " + paragraph + " " + d;
    if (blockStart(b) != fresh.blockStart(b))
      return paragraph + " starts at " + std::to_string(blockStart(b)) + ", not at " +
             std::to_string(fresh.blockStart(b));
    if (blockOf(kept.node) != b) return "the element of " + paragraph + " is indexed as another paragraph's";
  }
  if (index_.size() != fresh.index_.size()) return "its index of paragraphs holds elements that are gone";
  if (length_ != fresh.length_)
    return "its length is " + std::to_string(length_) + ", not " + std::to_string(fresh.length_);
  if (blockAnchors_.size() != fresh.blockAnchors_.size()) return "it has another number of marks between paragraphs";
  for (std::size_t i = 0; i < blockAnchors_.size(); ++i)
    if (blockAnchors_[i].node != fresh.blockAnchors_[i].node ||
        blockAnchors_[i].nextBlock != fresh.blockAnchors_[i].nextBlock)
      return "mark " + number(i) + " between paragraphs is not where its XML has it";
  if (view_)
    if (std::string d = view_->verifyDerivedState(*this); !d.empty()) return "the find view: " + d;
  return {};
}

std::string StoryView::verifyDerivedState(const Story& story) {
  if (!valid_) return {};
  refresh(story, settings_);
  StoryView fresh;
  fresh.refresh(story, settings_);
  if (text_ != fresh.text_) return "its text is \"" + toUtf8(text_) + "\", not \"" + toUtf8(fresh.text_) + "\"";
  if (blockFirst_ != fresh.blockFirst_) return "a paragraph's visible text starts elsewhere";
  for (std::size_t b = 0; b < stretches_.size(); ++b)
    if (stretches_[b] != fresh.stretches_[b]) return "the visible stretches of paragraph " + number(b) + " differ";
  if (entry_ != fresh.entry_) return "the fields open at a paragraph's start differ";
  if (!(signatures_ == fresh.signatures_)) return "a paragraph's signature differs";
  if (foldedValid_) {
    fresh.folded();
    if (folded_ != fresh.folded_) return "its case-folded text differs";
    if (!(foldedSignatures_ == fresh.foldedSignatures_)) return "a paragraph's case-folded signature differs";
  }
  return {};
}

}  // namespace host
