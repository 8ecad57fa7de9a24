#pragma once
// The one way an edit of a story's XML says what it changed. Every cache derived from a story
// (its paragraphs' maps and their lengths, the find view, the bookmark index, the shown field
// codes, the pages, the live ranges) is kept in step by its owner from these notes alone, so an
// edit names what it did and never which caches to fix. Edits below the object model report
// through it, so that they need not know the document.

#include <cstddef>
#include <cstdint>

#include <pugixml.hpp>

namespace host {

class Story;
struct CharMap;

/// What an edit changed.
struct Change {
  enum Kind : std::uint8_t {
    ParagraphPatched,  // runs (mapped as `runs`) went into paragraph `block` at `offset`; its map was patched to match
    ParagraphReread,   // paragraph `block` changed: read it again
    StructureChanged,  // paragraphs came or went: read the list of paragraphs again
    NodeRemoved,       // content element `node` is about to leave the XML (sent while it can still be read)
    TextReplaced,      // characters [pos, pos + removed) were replaced by `inserted` characters
    Formatted,         // the story changed without moving text (formatting, bookmarks, markers)
    StylesChanged,     // a style's definition changed: every story, not only this one, may look different
  };
  Kind kind;
  std::size_t block = 0;
  std::uint32_t offset = 0;
  const CharMap* runs = nullptr;
  pugi::xml_node node;
  long pos = 0, removed = 0, inserted = 0;

  explicit Change(Kind k) : kind(k) {}
  static Change paragraphPatched(std::size_t block, std::uint32_t offset, const CharMap& runs) {
    Change c(ParagraphPatched);
    c.block = block;
    c.offset = offset;
    c.runs = &runs;
    return c;
  }
  static Change paragraphReread(std::size_t block) {
    Change c(ParagraphReread);
    c.block = block;
    return c;
  }
  static Change structureChanged() { return Change(StructureChanged); }
  static Change nodeRemoved(pugi::xml_node node) {
    Change c(NodeRemoved);
    c.node = node;
    return c;
  }
  static Change textReplaced(long pos, long removed, long inserted) {
    Change c(TextReplaced);
    c.pos = pos;
    c.removed = removed;
    c.inserted = inserted;
    return c;
  }
  static Change formatted() { return Change(Formatted); }
  static Change stylesChanged() { return Change(StylesChanged); }
};

/// Told of every edit of a story.
class EditSink {
 public:
  /// An edit of the story changed what `change` says. The story's own caches follow here too,
  /// so an edit calls this in the order its steps happen.
  virtual void notify(Story& story, const Change& change) = 0;

 protected:
  ~EditSink() = default;
};

/// Removes a content element (a run, its text, a field mark, a paragraph ...) from the XML,
/// telling the sink first so that nothing keeps its address, which pugixml may give to a new node.
inline void removeNode(EditSink& sink, Story& story, pugi::xml_node node) {
  sink.notify(story, Change::nodeRemoved(node));
  node.parent().remove_child(node);
}

}  // namespace host
