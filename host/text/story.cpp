#include "host/text/story.h"

#include <algorithm>
#include <cstring>

#include "host/platform/error.h"

namespace host {

Story::Story(int type, std::string partName, std::vector<pugi::xml_node> roots, Wml w, const StyleSheet& styles)
    : type_(type), partName_(std::move(partName)), roots_(std::move(roots)), w_(std::move(w)), styles_(styles) {
  structureChanged();
}

void Story::collectTable(pugi::xml_node table) {
  for (pugi::xml_node row = table.first_child(); row; row = row.next_sibling()) {
    const char* l = w_.local(row);
    if (!l) continue;
    if (!std::strcmp(l, "tr")) {
      for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
        if (w_.is(cell, "tc")) {
          std::size_t before = blocks_.size();
          collect(cell);
          // The cell's last paragraph of its own (not of a nested table) ends the cell.
          for (std::size_t i = blocks_.size(); i > before; --i) {
            if (!blocks_[i - 1].rowEnd && blocks_[i - 1].node.parent() == cell) {
              blocks_[i - 1].cellEnd = true;
              break;
            }
          }
        } else if (w_.is(cell, "sdt") || w_.is(cell, "customXml")) {
          collectTable(w_.is(cell, "sdt") ? w_.child(cell, "sdtContent") : cell);
        } else if (w_.is(cell, "bookmarkStart") || w_.is(cell, "bookmarkEnd")) {
          blockAnchors_.push_back({cell, blocks_.size()});
        }
      }
      blocks_.push_back({row, true, false});
    } else if (!std::strcmp(l, "sdt")) {
      collectTable(w_.child(row, "sdtContent"));
    } else if (!std::strcmp(l, "customXml")) {
      collectTable(row);
    } else if (!std::strcmp(l, "bookmarkStart") || !std::strcmp(l, "bookmarkEnd")) {
      blockAnchors_.push_back({row, blocks_.size()});  // between rows
    }
  }
}

void Story::collect(pugi::xml_node container) {
  for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
    const char* l = w_.local(c);
    if (!l) continue;
    if (!std::strcmp(l, "p")) {
      blocks_.push_back({c, false, false});
    } else if (!std::strcmp(l, "tbl")) {
      collectTable(c);
    } else if (!std::strcmp(l, "sdt")) {
      collect(w_.child(c, "sdtContent"));
    } else if (!std::strcmp(l, "customXml") || !std::strcmp(l, "ins") || !std::strcmp(l, "del") ||
               !std::strcmp(l, "moveFrom") || !std::strcmp(l, "moveTo")) {
      collect(c);
    } else if (!std::strcmp(l, "bookmarkStart") || !std::strcmp(l, "bookmarkEnd")) {
      blockAnchors_.push_back({c, blocks_.size()});
    }
  }
}

void Story::structureChanged() {
  if (view_) view_->reset();
  std::unordered_map<pugi::xml_node_struct*, std::unique_ptr<CharMap>> old;
  for (std::size_t i = 0; i < blocks_.size(); ++i) old.emplace(blocks_[i].node.internal_object(), std::move(maps_[i]));
  blocks_.clear();
  blockAnchors_.clear();
  for (pugi::xml_node root : roots_) collect(root);
  maps_.clear();
  maps_.reserve(blocks_.size());
  for (const Block& b : blocks_) {
    auto it = old.find(b.node.internal_object());
    if (it != old.end() && it->second) {
      maps_.push_back(std::move(it->second));
      // A paragraph that became or stopped being the last of its cell changes its mark.
      bool wasCellEnd = !b.rowEnd && maps_.back()->text.back() == ch::kCellEnd;
      if (!b.rowEnd && wasCellEnd != b.cellEnd) buildParagraphMap(*maps_.back(), b.node, b.cellEnd, w_, styles_);
    } else {
      maps_.push_back(std::make_unique<CharMap>(b.rowEnd ? buildRowEndMap(b.node)
                                                         : buildParagraphMap(b.node, b.cellEnd, w_, styles_)));
    }
  }
  rebuildIndex();
}

void Story::rebuildIndex() {
  index_.clear();
  fenwick_.assign(blocks_.size() + 1, 0);
  length_ = 0;
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    index_.emplace(blocks_[i].node.internal_object(), i);
    long len = maps_[i]->length();
    length_ += len;
    fenwick_[i + 1] += len;
    std::size_t parent = (i + 1) + ((i + 1) & (~(i + 1) + 1));
    if (parent <= blocks_.size()) fenwick_[parent] += fenwick_[i + 1];
  }
}

void Story::fenwickAdd(std::size_t block, long delta) {
  for (std::size_t i = block + 1; i < fenwick_.size(); i += i & (~i + 1)) fenwick_[i] += delta;
  length_ += delta;
}

long Story::blockStart(std::size_t block) const {
  long sum = 0;
  for (std::size_t i = block; i > 0; i -= i & (~i + 1)) sum += fenwick_[i];
  return sum;
}

std::size_t Story::blockAt(long pos) const {
  if (blocks_.empty()) throw Error(kErrOutOfRange, "The story has no paragraphs.");
  if (pos >= length_) return blocks_.size() - 1;
  std::size_t idx = 0;
  std::size_t step = 1;
  while (step * 2 < fenwick_.size()) step *= 2;
  long remaining = pos;
  for (; step > 0; step /= 2) {
    if (idx + step < fenwick_.size() && fenwick_[idx + step] <= remaining) {
      idx += step;
      remaining -= fenwick_[idx];
    }
  }
  return idx;  // number of blocks wholly before pos == index of the block holding pos
}

std::size_t Story::blockOf(pugi::xml_node node) const {
  auto it = index_.find(node.internal_object());
  return it == index_.end() ? npos : it->second;
}

StoryView& Story::view() const {
  if (!view_) view_ = std::make_unique<StoryView>();
  return *view_;
}

void Story::apply(const Change& change) {
  switch (change.kind) {
    case Change::ParagraphPatched: paragraphPatched(change.block, change.offset, *change.runs); break;
    case Change::ParagraphReread: paragraphChanged(change.block); break;
    case Change::StructureChanged: structureChanged(); break;
    default: break;
  }
}

void Story::paragraphChanged(std::size_t block) {
  if (view_) view_->blockChanged(block);
  long before = maps_[block]->length();
  buildParagraphMap(*maps_[block], blocks_[block].node, blocks_[block].cellEnd, w_, styles_);
  fenwickAdd(block, static_cast<long>(maps_[block]->length()) - before);
}

void Story::paragraphPatched(std::size_t block, std::uint32_t offset, const CharMap& inserted) {
  if (view_) view_->runsInserted(block, offset, inserted);
  fenwickAdd(block, static_cast<long>(inserted.length()));
}

Text Story::text(long start, long end) const {
  Text out;
  if (start >= end) return out;
  for (std::size_t b = blockAt(start); b < blocks_.size(); ++b) {
    long bs = blockStart(b);
    if (bs >= end) break;
    const Text& t = maps_[b]->text;
    long from = std::max(start - bs, 0L);
    long to = std::min(end - bs, static_cast<long>(t.size()));
    out.append(t, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  }
  return out;
}

long Story::positionOf(pugi::xml_node anchor) const {
  for (pugi::xml_node p = anchor.parent(); p; p = p.parent()) {
    std::size_t b = blockOf(p);
    if (b == npos || blocks_[b].rowEnd) continue;  // a row's own children stand between blocks
    for (const Anchor& a : maps_[b]->anchors)
      if (a.node == anchor) return blockStart(b) + a.offset;
    return -1;
  }
  for (const BlockAnchor& a : blockAnchors_)
    if (a.node == anchor) return a.nextBlock < blocks_.size() ? blockStart(a.nextBlock) : length_;
  return -1;
}

ElementPlace Story::placeOf(pugi::xml_node element) const {
  for (pugi::xml_node p = element.parent(); p; p = p.parent()) {
    std::size_t b = blockOf(p);
    if (b != npos && !blocks_[b].rowEnd) return {p.internal_object(), element.internal_object()};
  }
  return {nullptr, element.internal_object()};
}

template <typename Holds>
bool Story::stillHolds(ElementPlace& place, bool betweenBlocks, Holds holds) const {
  auto heldBy = [&](std::size_t b) { return b != npos && !blocks_[b].rowEnd && holds(*maps_[b]); };
  if (place.block && heldBy(blockOf(pugi::xml_node(place.block)))) return true;
  if (betweenBlocks) {
    for (const BlockAnchor& a : blockAnchors_) {
      if (a.node.internal_object() != place.element) continue;
      place.block = nullptr;
      return true;
    }
  }
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    if (!heldBy(b)) continue;
    place.block = blocks_[b].node.internal_object();
    return true;
  }
  return false;
}

bool Story::beginsField(ElementPlace& place) const {
  return stillHolds(place, false, [&](const CharMap& m) {
    return std::any_of(m.segments.begin(), m.segments.end(), [&](const Segment& s) {
      return s.node.internal_object() == place.element && (s.kind == Seg::FieldBegin || s.kind == Seg::SimpleBegin);
    });
  });
}

bool Story::holdsAnchor(ElementPlace& place) const {
  return stillHolds(place, true, [&](const CharMap& m) {
    return std::any_of(m.anchors.begin(), m.anchors.end(),
                       [&](const Anchor& a) { return a.node.internal_object() == place.element; });
  });
}

}  // namespace host
