#pragma once
// What an edit of a story's XML reports, and to whom: the owner of everything derived from
// the story (live ranges, the bookmark index, the save state). Edits below the object model
// report through it, so that they need not know the document.

namespace host {

class Story;

/// Told of every edit of a story.
class EditSink {
 public:
  /// Characters [pos, pos + removed) of the story were replaced by `inserted` characters.
  virtual void noteEdit(Story& story, long pos, long removed, long inserted) = 0;
  /// The story changed without moving text (formatting, bookmarks, markers).
  virtual void noteChange(Story& story) = 0;

 protected:
  ~EditSink() = default;
};

}  // namespace host
