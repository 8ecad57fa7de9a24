#pragma once
// Bookmarks: real w:bookmarkStart / w:bookmarkEnd elements, so that they survive other word
// processors. Positions are computed from where the elements stand.

#include <map>
#include <string>
#include <utility>

#include <pugixml.hpp>

#include "host/model/range.h"
#include "host/text/element_place.h"

namespace host {

class Document;
class Story;

/// One bookmark.
class Bookmark {
 public:
  Bookmark(DocumentRef doc, Story* story, pugi::xml_node start, pugi::xml_node end);
  std::string Name() const;
  long Start() const;
  long End() const;
  host::Range Range() const;
  void Select() const;
  void Delete();

 private:
  // The bookmark's story, once the bookmark is known to be there still; host::Error otherwise
  // (its document closed, or an edit removed its start or end).
  Story& live() const;

  DocumentRef doc_;
  Story* story_;
  pugi::xml_node start_, end_;
  mutable ElementPlace startPlace_, endPlace_;  // where they stand, to check them without reading them
};

/// The document's bookmarks, by name (names compare without regard to case).
class Bookmarks {
 public:
  explicit Bookmarks(Document* doc) : doc_(doc) {}
  /// False for a name that no bookmark has.
  bool Exists(const std::string& name) const;
  /// The bookmark of that name; host::kErrNoSuchMember when there is none.
  Bookmark Item(const std::string& name) const;
  /// Adds a bookmark over the range; an existing bookmark of that name moves there.
  Bookmark Add(const std::string& name, const Range& range);
  /// Number of bookmarks.
  long Count() const;
  /// Forgets the name index (after edits that remove elements).
  void invalidate() { valid_ = false; }
  /// Compares the name index, when one is kept, with a fresh reading; says which bookmark
  /// differs first, "" when none does.
  std::string verifyDerivedState() const;

 private:
  struct Entry {
    Story* story;
    pugi::xml_node start, end;
  };
  using Index = std::map<std::string, Entry>;  // key: lower-cased name
  Index read() const;
  void refresh() const;
  const Entry* find(const std::string& name) const;
  int nextId();

  Document* doc_;
  mutable Index byName_;
  mutable bool valid_ = false;
  int nextId_ = -1;
};

}  // namespace host
