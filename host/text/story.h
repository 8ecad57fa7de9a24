#pragma once
// A story: the main text, all footnotes, all endnotes, comments, text frames, or one
// header/footer part. An ordered list of blocks (paragraphs and end-of-row marks) whose
// lengths sit in a Fenwick tree, so that position lookups and edits cost the size of one
// paragraph, never the size of the document.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "host/text/charmap.h"
#include "host/text/constants.h"
#include "host/text/edit_sink.h"
#include "host/text/element_place.h"
#include "host/text/find_view.h"
#include "host/text/styles.h"
#include "host/wml/wml.h"

namespace host {

/// A paragraph, or the end-of-row mark of a table row.
struct Block {
  pugi::xml_node node;  // w:p, or w:tr for an end-of-row mark
  bool rowEnd = false;
  bool cellEnd = false;  // the paragraph is the last of a table cell
};

/// A bookmark or other zero-width element that stands between blocks.
struct BlockAnchor {
  pugi::xml_node node;
  std::size_t nextBlock;  // the block it stands before (blocks().size() when at the end)
};

/// One story of a document.
class Story {
 public:
  /// Builds the story from its container elements (w:body, w:footnote ..., w:hdr).
  Story(int type, std::string partName, std::vector<pugi::xml_node> roots, Wml w, const StyleSheet& styles);

  /// The story type.
  int type() const { return type_; }
  /// The part the story lives in.
  const std::string& partName() const { return partName_; }
  /// Element helpers for the story's part.
  const Wml& wml() const { return w_; }
  /// The style sheet formatting is read through.
  const StyleSheet& styles() const { return styles_; }
  /// Number of characters, the final paragraph mark included.
  long length() const { return length_; }

  /// The blocks in order.
  const std::vector<Block>& blocks() const { return blocks_; }
  /// Position of a block's first character.
  long blockStart(std::size_t block) const;
  /// The block holding the character at pos (the last block for pos == length()).
  std::size_t blockAt(long pos) const;
  /// The character map of a block.
  const CharMap& map(std::size_t block) const { return *maps_[block]; }
  /// The block of a w:p or w:tr element, or npos.
  std::size_t blockOf(pugi::xml_node node) const;
  /// Zero-width elements between blocks.
  const std::vector<BlockAnchor>& blockAnchors() const { return blockAnchors_; }
  /// The story's containers.
  const std::vector<pugi::xml_node>& roots() const { return roots_; }

  /// The text of [start, end).
  Text text(long start, long end) const;
  /// Position of a zero-width element of the story (a bookmark start, say), or -1.
  long positionOf(pugi::xml_node anchor) const;
  /// The place of an element that stands in the story now.
  ElementPlace placeOf(pugi::xml_node element) const;
  /// True when the place's element still begins a field of the story (a w:fldChar begin or a
  /// w:fldSimple); true for an anchor when it is still one of the story's zero-width elements.
  /// Both compare addresses only: cheap while the element stays in its block, a look through
  /// the story (which moves the place along) when it has left it.
  bool beginsField(ElementPlace& place) const;
  bool holdsAnchor(ElementPlace& place) const;
  /// Calls fn(segment, position) for each segment that begins in [start, end), in order.
  template <typename Fn>
  void forEachSegment(long start, long end, Fn&& fn) const {
    if (start >= end || blocks_.empty()) return;
    for (std::size_t b = blockAt(start); b < blocks_.size(); ++b) {
      const long bs = blockStart(b);
      if (bs >= end) break;
      const CharMap& m = *maps_[b];
      for (std::size_t i = start > bs ? m.segmentAt(static_cast<std::uint32_t>(start - bs)) : 0; i < m.segments.size();
           ++i) {
        const long pos = bs + m.segments[i].start;
        if (pos >= end) break;
        if (pos >= start) fn(m.segments[i], pos);
      }
    }
  }

  /// A paragraph's map, for an edit that patches it instead of re-reading the paragraph;
  /// the edit keeps it true to the XML and then reports Change::ParagraphPatched.
  CharMap& patchMap(std::size_t block) { return *maps_[block]; }
  /// Follows an edit's change: the paragraph kinds and the structure (the rest concern the
  /// story's owner). Called by the edit sink, which dispatches every change.
  void apply(const Change& change);

  /// What find sees of the story (kept up to date with edits).
  StoryView& view() const;
  /// Compares what the story keeps (its paragraphs, their maps and lengths, the find view)
  /// with a fresh reading of its XML; says where the first difference lies, "" when none does.
  std::string verifyDerivedState() const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  // Re-reads one paragraph after its content changed.
  void paragraphChanged(std::size_t block);
  // Runs whose map is `inserted` were patched into a paragraph at offset: positions after
  // them move on.
  void paragraphPatched(std::size_t block, std::uint32_t offset, const CharMap& inserted);
  // Re-reads the block list after paragraphs were added or removed. Paragraphs still in the
  // list keep their maps, found by element; so an edit that removes paragraphs reports this
  // before it makes new ones, which could take a removed one's memory.
  void structureChanged();
  // True when a block (the place's own first) holds the place's element as `holds` sees it,
  // or, with betweenBlocks, when it stands between blocks; the place then says where it is.
  template <typename Holds>
  bool stillHolds(ElementPlace& place, bool betweenBlocks, Holds holds) const;
  void collect(pugi::xml_node container);
  void collectTable(pugi::xml_node table);
  void rebuildIndex();
  void fenwickAdd(std::size_t block, long delta);

  int type_;
  std::string partName_;
  std::vector<pugi::xml_node> roots_;
  Wml w_;
  const StyleSheet& styles_;
  std::vector<Block> blocks_;
  std::vector<std::unique_ptr<CharMap>> maps_;
  std::vector<BlockAnchor> blockAnchors_;
  std::vector<long> fenwick_;  // 1-based tree of block lengths
  std::unordered_map<pugi::xml_node_struct*, std::size_t> index_;
  long length_ = 0;
  mutable std::unique_ptr<StoryView> view_;
};

}  // namespace host
