#include "host/model/document.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "host/layout/pagination.h"
#include "host/package/package.h"
#include "host/package/relationships.h"
#include "host/platform/error.h"
#include "host/text/find_view.h"
#include "host/text/section_ends.h"
#include "host/text/story.h"
#include "host/text/styles.h"
#include "host/wml/refresh_fields.h"

namespace host {

namespace {

// Normal notes only: the separator and continuation notes are not part of the notes story.
std::vector<pugi::xml_node> normalNotes(pugi::xml_document& doc, const Wml& w, const char* local) {
  std::vector<pugi::xml_node> notes;
  for (pugi::xml_node n = doc.document_element().first_child(); n; n = n.next_sibling()) {
    if (!w.is(n, local)) continue;
    std::string type = w.value(n, "type");
    if (type.empty() || type == "normal") notes.push_back(n);
  }
  return notes;
}

// The relationship id of a header or footer reference (r:id under whatever prefix).
std::string relationshipId(pugi::xml_node reference) {
  for (pugi::xml_attribute a : reference.attributes())
    if (!std::strcmp(localName(a.name()), "id") && std::strncmp(a.name(), "w:", 2) != 0) return a.value();
  return {};
}

int headerFooterType(bool header, const std::string& kind) {
  if (kind == "even") return header ? wdEvenPagesHeaderStory : wdEvenPagesFooterStory;
  if (kind == "first") return header ? wdFirstPageHeaderStory : wdFirstPageFooterStory;
  return header ? wdPrimaryHeaderStory : wdPrimaryFooterStory;
}

void collectTextBoxes(pugi::xml_node n, const Wml& w, std::vector<pugi::xml_node>& out) {
  for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    if (!std::strcmp(localName(c.name()), "Fallback")) continue;  // the same text as its Choice
    if (w.is(c, "txbxContent")) {
      out.push_back(c);
      continue;
    }
    collectTextBoxes(c, w, out);
  }
}

}  // namespace

Document::Document() = default;

Document::~Document() {
  // Ranges a caller keeps outlive the document; detached, they report that it was closed.
  for (const auto& weak : live_) {
    if (auto r = weak.lock()) {
      r->doc = nullptr;
      r->story = nullptr;
    }
  }
}

std::unique_ptr<Document> Document::Open(const std::string& path) {
  std::unique_ptr<Document> doc(new Document());
  doc->load(Package::open(path), path);
  doc->readOnly_ = ::access(path.c_str(), W_OK) != 0;
  return doc;
}

std::unique_ptr<Document> Document::FromBytes(const std::string& bytes, const std::string& name) {
  std::unique_ptr<Document> doc(new Document());
  doc->load(Package::fromBytes(bytes, name), name);
  return doc;
}

void Document::load(std::unique_ptr<Package> package, const std::string& path) {
  package_ = std::move(package);
  path_ = path;
  const std::string& main = package_->mainPartName();
  std::string stylesPart = package_->relatedPart(main, kStylesRel);
  if (!stylesPart.empty() && package_->has(stylesPart)) {
    pugi::xml_document& styles = package_->xml(stylesPart);
    styles_ = std::make_unique<StyleSheet>(&styles, Wml::of(styles));
  } else {
    styles_ = std::make_unique<StyleSheet>(nullptr, Wml("w"));
  }
  buildStories();
  // Parts read only later are parsed now, so that a damaged one refuses the file at once.
  for (const char* rel : {kSettingsRel, kThemeRel})
    if (const std::string part = package_->relatedPart(main, rel); !part.empty()) package_->xml(part);
  pagination_ = std::make_unique<host::Pagination>(*this);
  selection_ = std::make_shared<RangeState>(RangeState{this, &mainStory(), 0, 0, nullptr});
  live_.push_back(selection_);
}

void Document::buildStories() {
  const std::string& mainPart = package_->mainPartName();
  pugi::xml_document& main = package_->xml(mainPart);
  Wml w = Wml::of(main);
  pugi::xml_node body = w.child(main.document_element(), "body");
  if (!body) throw Error(kErrFileFormat, "The main document part " + mainPart + " has no body.");
  stories_.push_back(
      std::make_unique<Story>(wdMainTextStory, mainPart, std::vector<pugi::xml_node>{body}, w, *styles_));

  auto addNotes = [&](const char* rel, const char* local, int type) {
    std::string part = package_->relatedPart(mainPart, rel);
    if (part.empty() || !package_->has(part)) return;
    pugi::xml_document& doc = package_->xml(part);
    Wml pw = Wml::of(doc);
    std::vector<pugi::xml_node> roots = normalNotes(doc, pw, local);
    if (type == wdCommentsStory) {
      roots.clear();
      for (pugi::xml_node c = doc.document_element().first_child(); c; c = c.next_sibling())
        if (pw.is(c, "comment")) roots.push_back(c);
    }
    if (!roots.empty()) stories_.push_back(std::make_unique<Story>(type, part, roots, pw, *styles_));
  };
  addNotes(kFootnotesRel, "footnote", wdFootnotesStory);
  addNotes(kEndnotesRel, "endnote", wdEndnotesStory);
  addNotes(kCommentsRel, "comment", wdCommentsStory);

  std::vector<pugi::xml_node> boxes;
  collectTextBoxes(body, w, boxes);
  if (!boxes.empty()) stories_.push_back(std::make_unique<Story>(wdTextFrameStory, mainPart, boxes, w, *styles_));

  // Headers and footers: each distinct part, in the order the sections reference them.
  std::vector<pugi::xml_node> sections;
  for (const SectionEnd& e : sectionEnds(mainStory()))
    if (e.sectPr) sections.push_back(e.sectPr);
  std::map<int, std::vector<std::string>> parts;
  for (pugi::xml_node sect : sections) {
    for (pugi::xml_node ref = sect.first_child(); ref; ref = ref.next_sibling()) {
      bool header = w.is(ref, "headerReference");
      if (!header && !w.is(ref, "footerReference")) continue;
      std::string part = package_->partForRelId(mainPart, relationshipId(ref));
      if (part.empty() || !package_->has(part)) continue;
      auto& list = parts[headerFooterType(header, w.value(ref, "type"))];
      if (std::find(list.begin(), list.end(), part) == list.end()) list.push_back(part);
    }
  }
  for (auto& [type, list] : parts) {
    for (const std::string& part : list) {
      pugi::xml_document& doc = package_->xml(part);
      stories_.push_back(std::make_unique<Story>(type, part, std::vector<pugi::xml_node>{doc.document_element()},
                                                 Wml::of(doc), *styles_));
    }
  }
}

std::string Document::Name() const {
  std::size_t slash = path_.find_last_of('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

Story* Document::story(int type) const {
  for (const auto& s : stories_)
    if (s->type() == type) return s.get();
  return nullptr;
}

Story* Document::nextStory(const Story& story) const {
  bool seen = false;
  for (const auto& s : stories_) {
    if (seen && s->type() == story.type()) return s.get();
    if (s.get() == &story) seen = true;
  }
  return nullptr;
}

host::Range Document::makeRange(Story& story, long start, long end) {
  if (start < 0 || end > story.length() || start > end)
    throw Error(kErrOutOfRange, "The range " + std::to_string(start) + " to " + std::to_string(end) +
                                    " is outside the story (0 to " + std::to_string(story.length()) + ").");
  auto state = std::make_shared<RangeState>(RangeState{this, &story, start, end, nullptr});
  if (live_.size() > 64) {
    live_.erase(std::remove_if(live_.begin(), live_.end(), [](const auto& w) { return w.expired(); }), live_.end());
  }
  live_.push_back(state);
  return host::Range(state);
}

host::Range Document::Content() { return makeRange(mainStory(), 0, mainStory().length()); }

host::Range Document::Range(long start, long end) { return makeRange(mainStory(), start, end); }

host::Range Document::SelectionRange() { return host::Range(selection_); }

void Document::Select(const host::Range& range) {
  selection_->story = &range.GetStory();
  selection_->start = range.Start();
  selection_->end = range.End();
}

void Document::notify(Story& story, const Change& change) {
  switch (change.kind) {
    case Change::ParagraphPatched:
    case Change::ParagraphReread:
    case Change::StructureChanged: story.apply(change); return;
    case Change::NodeRemoved: forgetNode(change.node); return;
    case Change::TextReplaced: moveLiveRanges(story, change.pos, change.removed, change.inserted); break;
    case Change::Formatted: break;
    case Change::StylesChanged: {
      // The styles part is written again on saving; the stories' own XML is not.
      const std::string part = package_->relatedPart(package_->mainPartName(), kStylesRel);
      if (!part.empty()) package_->markDirty(part);
      ++editStamp_;
      saved_ = false;
      return;
    }
  }
  ++editStamp_;
  package_->markDirty(story.partName());
  bookmarks_.invalidate();
  saved_ = false;
}

void Document::moveLiveRanges(const Story& story, long pos, long removed, long inserted) {
  for (auto it = live_.begin(); it != live_.end();) {
    auto r = it->lock();
    if (!r) {
      it = live_.erase(it);
      continue;
    }
    ++it;
    if (r->story != &story) continue;
    if (removed > 0) {
      auto shrink = [&](long x) { return x >= pos + removed ? x - removed : x > pos ? pos : x; };
      r->start = shrink(r->start);
      r->end = shrink(r->end);
    }
    if (inserted > 0) {
      bool collapsed = r->start == r->end;
      if (r->start > pos || (r->start == pos && !collapsed)) r->start += inserted;
      if (r->end > pos) r->end += inserted;
      if (r->end < r->start) r->end = r->start;
    }
  }
}

// The element and everything in it are going: what is remembered of any of them (a field's
// code shown, a paragraph's opening text) is forgotten, so that a later node given the same
// memory does not inherit it.
void Document::forgetNode(pugi::xml_node node) {
  struct Forget : pugi::xml_tree_walker {
    Document& doc;
    explicit Forget(Document& d) : doc(d) {}
    // False once nothing is remembered any more, which ends the walk.
    bool for_each(pugi::xml_node& n) override {
      doc.shownCodes_.erase(n.internal_object());
      doc.pagination_->forget(n);
      return !doc.shownCodes_.empty() || doc.pagination_->remembersNodes();
    }
  } forget(*this);
  if (forget.for_each(node)) node.traverse(forget);
}

std::string Document::verifyDerivedState() {
  std::set<pugi::xml_node_struct*> fields;
  for (const auto& s : stories_) {
    const std::string story = "story " + std::to_string(s->type()) + " (" + s->partName() + "): ";
    if (std::string d = s->verifyDerivedState(); !d.empty()) return story + d;
    s->forEachSegment(0, s->length(), [&](const Segment& seg, long) {
      if (seg.kind == Seg::FieldBegin || seg.kind == Seg::SimpleBegin) fields.insert(seg.node.internal_object());
    });
  }
  if (std::string d = styles_->verifyDerivedState(); !d.empty()) return "styles: " + d;
  if (std::string d = bookmarks_.verifyDerivedState(); !d.empty()) return "bookmarks: " + d;
  if (std::string d = pagination_->verifyDerivedState(); !d.empty()) return "pagination: " + d;
  for (pugi::xml_node_struct* n : shownCodes_)
    if (!fields.count(n)) return "shown field codes: one is kept for an element that begins no field of the document";
  for (const auto& weak : live_) {
    auto r = weak.lock();
    if (!r) continue;
    bool ours = std::any_of(stories_.begin(), stories_.end(), [&](const auto& s) { return s.get() == r->story; });
    if (!ours || r->start < 0 || r->end < r->start || r->end > r->story->length())
      return "live ranges: one lies at " + std::to_string(r->start) + " to " + std::to_string(r->end) +
             ", outside its story";
  }
  return {};
}

std::optional<std::pair<long, long>> Document::bookmarkSpan(const std::string& name) {
  if (!bookmarks_.Exists(name)) return std::nullopt;
  Bookmark b = bookmarks_.Item(name);
  return std::pair{b.Start(), b.End()};
}

host::StoryRanges Document::StoryRanges() {
  std::vector<host::Range> items;
  int lastType = 0;
  for (const auto& s : stories_) {
    if (s->type() == lastType) continue;
    lastType = s->type();
    items.push_back(makeRange(*s, 0, s->length()));
  }
  return host::StoryRanges(std::move(items));
}

host::Range StoryRanges::Item(int storyType) const {
  for (const host::Range& r : items_)
    if (r.StoryType() == storyType) return r;
  throw Error(kErrNoSuchMember, "The requested member of the collection does not exist.");
}

Notes Document::Footnotes() const {
  Story* s = story(wdFootnotesStory);
  return Notes(s ? static_cast<long>(s->roots().size()) : 0);
}

Notes Document::Endnotes() const {
  Story* s = story(wdEndnotesStory);
  return Notes(s ? static_cast<long>(s->roots().size()) : 0);
}

host::Fields Document::Fields() {
  Story& main = mainStory();
  return host::Fields(this, &main, fieldsIn(this, main, 0, main.length()), 0);
}

ViewSettings Document::viewSettings() const {
  ViewSettings settings;
  settings.showHidden = view_.showHiddenText || view_.showAll;
  settings.showCodes = view_.showFieldCodes;
  settings.shownFields = shownCodes_;
  return settings;
}

void Document::Save() {
  if (refreshFieldsOnOpen_) markFieldsForRefresh(*package_);
  package_->save(path_);
  saved_ = true;
}

void Document::SaveAs(const std::string& path) {
  if (refreshFieldsOnOpen_) markFieldsForRefresh(*package_);
  package_->save(path);
  path_ = path;
  readOnly_ = false;
  saved_ = true;
}

}  // namespace host
