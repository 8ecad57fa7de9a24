#pragma once
// Range: a live stretch of one story, as the word processor's object model offers it. A
// Range is a reference: copies share one object (as the object model's references do);
// Duplicate makes an independent one. Edits anywhere in the story move its ends.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/constants.h"
#include "host/text/text.h"

namespace host {

class Document;
class Story;
class Field;
class Fields;
class Range;
class Find;
struct FindSettings;

/// The shared state behind a Range.
struct RangeState {
  Document* doc;
  Story* story;
  long start;
  long end;
  std::shared_ptr<FindSettings> find;  // the range's find, made on first use
};

/// How the object model's other handles (fields, bookmarks, styles, sections, the indexes, the
/// window) hold their document: by a share of a range state that the document keeps for its
/// whole life and detaches when it closes, as it detaches every live range. A handle used
/// after its document was closed then reports it as a Range does, instead of reading freed memory.
class DocumentRef {
 public:
  /// Refers to an open document (implicit: handles are made from the document itself).
  DocumentRef(Document* doc);  // NOLINT(google-explicit-constructor)
  /// The document; host::Error when it has been closed.
  Document& operator*() const;
  Document* operator->() const { return &**this; }

 private:
  std::shared_ptr<RangeState> s_;
};

/// A style of the document (paragraph or character).
class Style {
 public:
  Style(DocumentRef doc, std::string id) : doc_(std::move(doc)), id_(std::move(id)) {}
  /// The style's id in the styles part.
  const std::string& Id() const { return id_; }
  /// The style's display name.
  std::string NameLocal() const;
  /// The style's font (only AllCaps is offered).
  class StyleFont {
   public:
    /// Holds the style's document and id, not the Style, so that a font may outlive a temporary.
    explicit StyleFont(const Style& s) : s_{s.doc_, s.id_} {}
    /// kTrue when text of the style shows in capitals.
    long AllCaps() const;
    /// Switches capitals on or off in the style itself.
    void SetAllCaps(long value);

   private:
    struct Place {
      DocumentRef doc_;
      std::string id_;
    } s_;
  };
  /// The style's font.
  StyleFont Font() const { return StyleFont(*this); }

 private:
  friend class StyleFont;
  DocumentRef doc_;
  std::string id_;
};

/// Character formatting of a range.
class Font {
 public:
  explicit Font(Range r);
  long Bold() const;
  void SetBold(long value);
  long Color() const;
  void SetColor(long value);
  long AllCaps() const;
  void SetAllCaps(long value);
  long Hidden() const;
  void SetHidden(long value);

 private:
  std::shared_ptr<RangeState> r_;
};

/// Paragraph formatting of the paragraphs a range touches.
class ParagraphFormat {
 public:
  explicit ParagraphFormat(Range r);
  double SpaceBefore() const;
  void SetSpaceBefore(double points);
  double SpaceAfter() const;
  void SetSpaceAfter(double points);
  long Alignment() const;
  void SetAlignment(long alignment);
  /// The paragraph style (none when the paragraphs differ).
  std::optional<host::Style> Style() const;
  /// Applies a paragraph style by id.
  void SetStyle(const std::string& styleId);

 private:
  std::shared_ptr<RangeState> r_;
};

/// List numbering of the paragraphs a range touches.
class ListFormat {
 public:
  explicit ListFormat(Range r);
  /// Takes the paragraphs out of their lists: direct numbering goes, and numbering that comes
  /// from a paragraph's style is switched off for that paragraph.
  void RemoveNumbers();

 private:
  std::shared_ptr<RangeState> r_;
};

/// A section of the main text.
class Section {
 public:
  Section(DocumentRef doc, std::size_t index) : doc_(std::move(doc)), index_(index) {}
  /// Page set-up of the section.
  class PageSetupView {
   public:
    /// Holds the section's place, not the Section, so that a view may outlive a temporary.
    explicit PageSetupView(const Section& s) : s_{s.doc_, s.index_} {}
    /// How the section starts (wdSectionContinuous, wdSectionNewPage ...).
    long SectionStart() const;
    void SetSectionStart(long value);
    /// True when the section's page numbers start again (the object model's
    /// PageNumbers.RestartNumberingAtSection, offered here beside the start).
    bool RestartNumberingAtSection() const;
    /// Restarting writes the number 1 unless the section keeps one; not restarting drops it.
    void SetRestartNumberingAtSection(bool value);
    /// The number the section's pages start from (PageNumbers.StartingNumber); 0 when the
    /// section goes on from the one before, as a document keeps no number then.
    long StartingNumber() const;
    /// Takes effect only while the section restarts its numbering, as in the object model.
    void SetStartingNumber(long value);

   private:
    struct Place {
      DocumentRef doc_;
      std::size_t index_;
    } s_;
  };
  PageSetupView PageSetup() const { return PageSetupView(*this); }
  /// The section's range.
  host::Range Range() const;

 private:
  friend class PageSetupView;
  DocumentRef doc_;
  std::size_t index_;
};

/// The sections a range touches.
class Sections {
 public:
  Sections(std::vector<Section> items) : items_(std::move(items)) {}
  long Count() const { return static_cast<long>(items_.size()); }
  /// 1-based, as the object model counts.
  Section Item(long index) const;

 private:
  std::vector<Section> items_;
};

/// A stretch of a story.
class Range {
 public:
  /// An empty reference (the object model's Nothing).
  Range() = default;
  explicit Range(std::shared_ptr<RangeState> state) : s_(std::move(state)) {}
  /// True when the reference is set.
  explicit operator bool() const { return static_cast<bool>(s_); }
  /// True when both refer to the same range object.
  bool Is(const Range& other) const { return s_ == other.s_; }

  long Start() const;
  long End() const;
  void SetStart(long pos);
  void SetEnd(long pos);
  /// Sets both ends.
  void SetRange(long start, long end);

  /// The text, paragraph marks as carriage returns and cell ends as CR + BEL.
  std::string Text() const;
  /// The text in the document's own type, one element per position.
  host::Text Characters16() const;
  /// Replaces the range's content; the range then covers the new text.
  void SetText(std::string_view text);

  /// An independent range over the same stretch.
  Range Duplicate() const;
  /// Makes the range empty at its start (wdCollapseStart) or end (wdCollapseEnd).
  void Collapse(int direction = wdCollapseStart);
  /// Moves the start by count units (negative: backwards); returns the units moved.
  long MoveStart(int unit = wdCharacter, long count = 1);
  /// Moves the end by count units; returns the units moved.
  long MoveEnd(int unit = wdCharacter, long count = 1);
  /// Widens the range to whole units; returns the number of characters added.
  long Expand(int unit = wdWord);

  /// The range's characters (First, Last, Count).
  class CharactersView {
   public:
    /// Shares the range's state, so that a view may outlive a temporary Range.
    explicit CharactersView(const Range& r) : r_(r.s_) {}
    Range First() const;
    Range Last() const;
    long Count() const;

   private:
    std::shared_ptr<RangeState> r_;
  };
  CharactersView Characters() const { return CharactersView(*this); }
  /// The index-th word (1-based) that the range touches, clipped to the range.
  Range Words(long index) const;

  void Delete();
  void InsertBefore(std::string_view text);
  void InsertAfter(std::string_view text);
  /// Inserts a paragraph mark before the range; the range grows to include it.
  void InsertParagraphBefore();
  /// Inserts a paragraph mark after the range; the range grows to include it.
  void InsertParagraphAfter();
  /// Makes the range the selection.
  void Select() const;

  int StoryType() const;
  long StoryLength() const;
  /// The next linked story of the same type (headers and footers), or an empty Range.
  Range NextStoryRange() const;
  /// wdActiveEndPageNumber: the page, counted from the document's first, of the range's end
  /// (of a note, its reference's page); wdInFieldCode and wdInFieldResult: kTrue when the
  /// range starts inside a field's code or result, else kFalse. host::Error 5 for anything else.
  long Information(int type) const;
  /// Number of tables the range touches.
  long TablesCount() const;
  /// Number of block-level content controls (w:sdt, outermost) around the paragraphs the range touches.
  long ContentControlsCount() const;
  /// The sections the range touches.
  host::Sections Sections() const;
  /// The fields whose begin mark lies in the range.
  host::Fields Fields() const;
  /// Adds a bookmark over the range.
  void AddBookmark(const std::string& name) const;

  /// The range's find (it remembers its settings between calls).
  host::Find Find() const;

  host::Font Font() const { return host::Font(*this); }
  host::ParagraphFormat ParagraphFormat() const { return host::ParagraphFormat(*this); }
  host::ListFormat ListFormat() const { return host::ListFormat(*this); }
  /// The character style when one is applied throughout, else the paragraph style.
  std::optional<host::Style> Style() const;

  long Bold() const { return Font().Bold(); }
  void SetBold(long value) { Font().SetBold(value); }
  /// wdUpperCase when every cased letter is upper case, wdLowerCase when every one is lower.
  long Case() const;
  /// wdUpperCase upper-cases the text (other values are refused).
  void SetCase(long value);
  long HighlightColorIndex() const;
  void SetHighlightColorIndex(long index);

  /// The document the range belongs to.
  Document& GetDocument() const;
  /// The story the range belongs to.
  Story& GetStory() const;
  /// The shared state (for the model's own collections).
  const std::shared_ptr<RangeState>& state() const { return s_; }

 private:
  void check() const;
  std::shared_ptr<RangeState> s_;
};

}  // namespace host
