#pragma once
// Document: a .docx file opened as the word processor's document object.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/layout/document_parts.h"
#include "host/model/bookmarks.h"
#include "host/model/fields.h"
#include "host/model/indexes.h"
#include "host/model/options.h"
#include "host/model/range.h"
#include "host/model/window.h"
#include "host/text/constants.h"

namespace host {

// The model's internals, named here only: a caller that reaches them includes their headers.
class Package;
class Pagination;
class Story;
class StyleSheet;
struct ViewSettings;

/// What the document window shows; find obeys it.
struct ViewState {
  bool showHiddenText = false;
  bool showFieldCodes = false;
  bool showAll = false;
};

/// The document's story ranges: the first range of each story type, in type order.
class StoryRanges {
 public:
  explicit StoryRanges(std::vector<Range> items) : items_(std::move(items)) {}
  long Count() const { return static_cast<long>(items_.size()); }
  /// The first story of a type; host::kErrNoSuchMember when the document has none.
  Range Item(int storyType) const;
  std::vector<Range>::const_iterator begin() const { return items_.begin(); }
  std::vector<Range>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<Range> items_;
};

/// Footnotes or endnotes of a document.
class Notes {
 public:
  explicit Notes(long count) : count_(count) {}
  long Count() const { return count_; }

 private:
  long count_;
};

/// An open .docx document.
class Document final : public DocumentParts {
 public:
  /// Opens a file; host::Error with a user's message when it cannot be read as a document.
  static std::unique_ptr<Document> Open(const std::string& path);
  /// Opens a document held in memory (name is what messages and Name() show).
  static std::unique_ptr<Document> FromBytes(const std::string& bytes, const std::string& name);
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  /// File name without folder.
  std::string Name() const;
  /// Full path as opened or last saved.
  const std::string& FullName() const { return path_; }
  /// The main text.
  host::Range Content();
  /// A range of the main text.
  host::Range Range(long start, long end);
  host::Bookmarks& Bookmarks() { return bookmarks_; }
  /// The fields of the main text.
  host::Fields Fields();
  host::StoryRanges StoryRanges();
  /// The document's indexes (marking entries).
  host::Indexes Indexes() { return host::Indexes(this); }
  Notes Footnotes() const;
  Notes Endnotes() const;
  /// The document's sections.
  host::Sections Sections();

  /// Saves to the file it was opened from.
  void Save();
  /// Saves to another file, which becomes the document's file.
  void SaveAs(const std::string& path);
  /// True when nothing changed since opening or saving.
  bool Saved() const { return saved_; }
  void SetSaved(bool saved) { saved_ = saved; }
  /// True when the file could not be written when it was opened.
  bool ReadOnly() const { return readOnly_; }
  /// There is no undo history here, so there is nothing to clear.
  void UndoClear() {}
  bool ShowSpellingErrors() const { return showSpelling_; }
  void SetShowSpellingErrors(bool v) { showSpelling_ = v; }
  bool ShowGrammaticalErrors() const { return showGrammar_; }
  void SetShowGrammaticalErrors(bool v) { showGrammar_ = v; }

  /// The selection of the document's window.
  host::Range SelectionRange();
  /// Moves the selection.
  void Select(const host::Range& range);
  /// What the window shows.
  ViewState& View() { return view_; }
  /// The document's window.
  host::Window ActiveWindow() { return host::Window(this); }
  /// What the window remembers besides what it shows (its view type, panes, story looked at).
  WindowState& windowState() { return window_; }
  /// The application options the document obeys (its own until an application shares its).
  Options& options() { return *options_; }
  void setOptions(std::shared_ptr<Options> options) { options_ = std::move(options); }

  // --- the model's own plumbing, used by ranges, fields and bookmarks ---
  /// All stories, in the order of their types (headers and footers per section).
  const std::vector<std::unique_ptr<Story>>& stories() const override { return stories_; }
  /// The first story of a type, or nullptr.
  Story* story(int type) const override;
  /// The story after this one of the same type, or nullptr.
  Story* nextStory(const Story& story) const;
  /// The main text story.
  Story& mainStory() const override { return *stories_.front(); }
  StyleSheet& styles() { return *styles_; }
  Package& package() override { return *package_; }
  /// The range state the object model's other handles share (see DocumentRef): the
  /// selection's, which lives as long as the document and is detached when it closes.
  const std::shared_ptr<RangeState>& handleState() const { return selection_; }
  /// Makes a live range.
  host::Range makeRange(Story& story, long start, long end);
  /// Follows an edit of a story (or of the styles, which every story reads): tells the story,
  /// the live ranges, the shown field codes, the bookmark index and what compares the edit
  /// count (pages, shown text) what changed.
  void notify(Story& story, const Change& change) override;
  /// The fields whose code is shown.
  std::set<pugi::xml_node_struct*>& shownCodes() { return shownCodes_; }
  /// What the window shows, as find and Range.Text see it.
  ViewSettings viewSettings() const;
  /// Counts edits and formatting changes (what caches of the document's layout compare).
  std::uint64_t editStamp() const override { return editStamp_; }
  /// The document's pages.
  host::Pagination& pagination() override { return *pagination_; }
  /// Makes every later save mark the file so that word processors refresh its fields on opening.
  void refreshFieldsOnOpen() override { refreshFieldsOnOpen_ = true; }
  /// Where the named bookmark starts and ends; nothing when the document has none of that name.
  std::optional<std::pair<long, long>> bookmarkSpan(const std::string& name) override;
  /// Compares every cache kept beside the XML (each story's paragraphs, maps, lengths and find
  /// view, the style cache, the bookmark index, the shown field codes, the live ranges) with
  /// what a fresh reading gives; says in words where the first difference lies, "" when none.
  std::string verifyDerivedState();

 private:
  Document();
  void load(std::unique_ptr<Package> package, const std::string& path);
  void buildStories();
  void moveLiveRanges(const Story& story, long pos, long removed, long inserted);
  void forgetNode(pugi::xml_node node);

  std::unique_ptr<Package> package_;
  std::unique_ptr<StyleSheet> styles_;
  std::vector<std::unique_ptr<Story>> stories_;
  std::vector<std::weak_ptr<RangeState>> live_;
  std::shared_ptr<RangeState> selection_;
  host::Bookmarks bookmarks_{this};
  ViewState view_;
  WindowState window_;
  std::shared_ptr<Options> options_ = std::make_shared<Options>();
  std::set<pugi::xml_node_struct*> shownCodes_;
  std::unique_ptr<host::Pagination> pagination_;
  std::uint64_t editStamp_ = 0;
  bool refreshFieldsOnOpen_ = false;
  std::string path_;
  bool saved_ = true;
  bool readOnly_ = false;
  bool showSpelling_ = true;
  bool showGrammar_ = true;
};

}  // namespace host
