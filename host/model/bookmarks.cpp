#include "host/model/bookmarks.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/text/edit.h"
#include "host/text/story.h"
#include "host/wml/bookmark_marks.h"

namespace host {

namespace {

std::string lower(const std::string& s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

// Re-reads the paragraph that holds a zero-width element inside `holder` (or the whole
// story when it stands between blocks, a table row's own children included).
void refreshFrom(EditSink& doc, Story& story, pugi::xml_node holder) {
  for (pugi::xml_node p = holder; p; p = p.parent()) {
    std::size_t b = story.blockOf(p);
    if (b != Story::npos && !story.blocks()[b].rowEnd) {
      doc.notify(story, Change::paragraphReread(b));
      return;
    }
  }
  doc.notify(story, Change::structureChanged());
}

// Re-reads whatever holds a zero-width element that has just come.
void refreshHolder(EditSink& doc, Story& story, pugi::xml_node element) { refreshFrom(doc, story, element.parent()); }

void removeElement(EditSink& doc, Story& story, pugi::xml_node element) {
  if (!element || !element.parent()) return;
  pugi::xml_node parent = element.parent();
  removeNode(doc, story, element);
  refreshFrom(doc, story, parent);
}

template <typename Fn>
void forEachMarker(const Story& story, Fn fn) {
  for (std::size_t b = 0; b < story.blocks().size(); ++b)
    for (const Anchor& a : story.map(b).anchors) fn(a.node);
  for (const BlockAnchor& a : story.blockAnchors()) fn(a.node);
}

}  // namespace

Bookmark::Bookmark(DocumentRef doc, Story* story, pugi::xml_node start, pugi::xml_node end)
    : doc_(std::move(doc)),
      story_(story),
      start_(start),
      end_(end),
      startPlace_(story->placeOf(start)),
      endPlace_(end ? story->placeOf(end) : ElementPlace{}) {}

Story& Bookmark::live() const {
  (void)*doc_;  // reports a closed document
  if (!story_->holdsAnchor(startPlace_) || (end_ && !story_->holdsAnchor(endPlace_)))
    throw Error(kErrObjectDeleted, "The bookmark has been deleted.");
  return *story_;
}

std::string Bookmark::Name() const { return live().wml().value(start_, "name"); }
long Bookmark::Start() const { return live().positionOf(start_); }
long Bookmark::End() const {
  long e = end_ ? live().positionOf(end_) : -1;
  return std::max(e, Start());
}
Range Bookmark::Range() const { return doc_->makeRange(*story_, Start(), End()); }
void Bookmark::Select() const { doc_->Select(Range()); }

void Bookmark::Delete() {
  live();
  removeElement(*doc_, *story_, end_);
  removeElement(*doc_, *story_, start_);
  doc_->notify(*story_, Change::formatted());
}

Bookmarks::Index Bookmarks::read() const {
  Index byName;
  for (const auto& s : doc_->stories()) {
    const Wml& w = s->wml();
    std::map<std::string, pugi::xml_node> ends;
    forEachMarker(*s, [&](pugi::xml_node n) {
      if (w.is(n, "bookmarkEnd")) ends.emplace(w.value(n, "id"), n);
    });
    forEachMarker(*s, [&](pugi::xml_node n) {
      if (!w.is(n, "bookmarkStart")) return;
      auto end = ends.find(w.value(n, "id"));
      byName.emplace(lower(w.value(n, "name")), Entry{s.get(), n, end == ends.end() ? pugi::xml_node() : end->second});
    });
  }
  return byName;
}

void Bookmarks::refresh() const {
  if (valid_) return;
  byName_ = read();
  valid_ = true;
}

std::string Bookmarks::verifyDerivedState() const {
  if (!valid_) return {};
  const Index fresh = read();
  if (fresh.size() != byName_.size())
    return "it knows " + std::to_string(byName_.size()) + " bookmarks, not " + std::to_string(fresh.size());
  for (auto a = byName_.cbegin(), b = fresh.cbegin(); a != byName_.cend(); ++a, ++b)
    if (a->first != b->first || a->second.story != b->second.story || a->second.start != b->second.start ||
        a->second.end != b->second.end)
      return "the bookmark \"" + a->first + "\" is not what the document holds";
  return {};
}

const Bookmarks::Entry* Bookmarks::find(const std::string& name) const {
  refresh();
  auto it = byName_.find(lower(name));
  return it == byName_.end() ? nullptr : &it->second;
}

bool Bookmarks::Exists(const std::string& name) const { return find(name) != nullptr; }

long Bookmarks::Count() const {
  refresh();
  return static_cast<long>(byName_.size());
}

Bookmark Bookmarks::Item(const std::string& name) const {
  const Entry* e = find(name);
  if (!e)
    throw Error(kErrNoSuchMember, "The requested member of the collection does not exist (bookmark " + name + ").");
  return Bookmark(doc_, e->story, e->start, e->end);
}

int Bookmarks::nextId() {
  if (nextId_ < 0) {
    nextId_ = 0;
    for (const auto& s : doc_->stories()) {
      forEachMarker(*s, [&](pugi::xml_node n) {
        if (s->wml().is(n, "bookmarkStart"))
          nextId_ = std::max(nextId_, std::atoi(s->wml().value(n, "id").c_str()) + 1);
      });
    }
  }
  return nextId_++;
}

Bookmark Bookmarks::Add(const std::string& name, const Range& range) {
  if (name.empty()) throw Error(kErrBadArgument, "A bookmark needs a name.");
  if (Exists(name)) Item(name).Delete();
  Story& story = range.GetStory();
  const Wml& w = story.wml();
  long start = range.Start(), end = range.End();
  std::string id = std::to_string(nextId());
  pugi::xml_document proto;
  pugi::xml_node s = appendBookmarkStart(w, proto, id, name);
  pugi::xml_node e = appendBookmarkEnd(w, proto, id);
  pugi::xml_node startNode, endNode;
  if (start == end) {
    // One point: the end goes right after the start so that they stand in order.
    startNode = edit::insertMarker(*doc_, story, start, s);
    endNode = startNode.parent().insert_copy_after(e, startNode);
    refreshHolder(*doc_, story, endNode);
  } else {
    endNode = edit::insertMarker(*doc_, story, end, e);
    startNode = edit::insertMarker(*doc_, story, start, s);
  }
  doc_->notify(story, Change::formatted());
  return Bookmark(doc_, &story, startNode, endNode);
}

}  // namespace host
