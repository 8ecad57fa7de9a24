#pragma once
// What find sees of a story: its visible characters (hidden text and field codes only when
// the view shows them, field marks never), concatenated, with where each paragraph's visible
// stretches lie in it. Built once and patched paragraph by paragraph: marking text or
// inserting hidden fields changes no visible character, so a long indexing pass keeps
// reusing it.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/text/text.h"
#include "host/text/text_signature.h"

namespace host {

class Story;
struct CharMap;

/// What the view shows.
struct ViewSettings {
  bool showHidden = false;
  bool showCodes = false;
  std::set<pugi::xml_node_struct*> shownFields;  // fields whose code is shown
  bool operator==(const ViewSettings&) const = default;
};

/// The visible characters of a story.
class StoryView {
 public:
  /// A stretch of a paragraph's characters that the view shows.
  struct Stretch {
    std::uint32_t offset;  // in the paragraph
    std::uint32_t length;
    std::uint32_t first;  // its first character's index in the view, from the paragraph's first
    bool operator==(const Stretch&) const = default;
  };
  /// The stretches of one paragraph, in order.
  using Stretches = std::vector<Stretch>;

  /// Where a visible character stands.
  struct Place {
    std::uint32_t block;
    std::uint32_t offset;
  };

  /// Brings the view up to date with the story and settings.
  void refresh(const Story& story, const ViewSettings& settings);
  /// A paragraph changed: re-read it at the next refresh.
  void blockChanged(std::size_t block) { dirty_.push_back(block); }
  /// Runs whose map is `inserted` went into a paragraph at offset. Hidden runs (index entries)
  /// leave the visible characters as they were, so the view only moves what follows them.
  void runsInserted(std::size_t block, std::uint32_t offset, const CharMap& inserted);
  /// Paragraphs were added or removed: rebuild at the next refresh.
  void reset() { valid_ = false; }

  /// The visible characters.
  const Text& text() const { return text_; }
  /// The visible characters, case-folded (same length).
  const Text& folded();
  /// The visible characters cut into paragraphs, with what each holds.
  SignedText signedText() const { return {text_, blockFirst_, signatures_}; }
  /// The same, case-folded.
  SignedText signedFolded();
  /// Number of visible characters.
  std::size_t size() const { return text_.size(); }
  /// Story position of visible character i.
  long position(const Story& story, std::size_t i) const;
  /// Index of the first visible character at or after a story position.
  std::size_t indexAt(const Story& story, long pos) const;
  /// Paragraph and offset of visible character i (i < size()).
  Place place(std::size_t i) const;
  /// The stretches of a paragraph that the view shows (as of the last refresh).
  const Stretches& stretches(std::size_t block) const { return stretches_[block]; }
  /// Brings the view up to date, as the next find would, and compares it with one built
  /// afresh; says where the first difference lies, "" when none does.
  std::string verifyDerivedState(const Story& story);

 private:
  struct OpenField {
    bool shown;   // the field shows its code instead of its result
    bool inCode;  // still in the code part
    bool operator==(const OpenField&) const = default;
  };
  using FieldStack = std::vector<OpenField>;

  void rebuild(const Story& story);
  // Appends the visible characters of a block; returns the field stack after it.
  FieldStack scan(const Story& story, std::size_t block, FieldStack stack, Text& text, Stretches& stretches) const;
  // The block holding visible character i.
  std::size_t blockOf(std::size_t i) const;

  bool valid_ = false;
  ViewSettings settings_;
  Text text_;
  Text folded_;
  bool foldedValid_ = false;
  std::vector<Stretches> stretches_;     // per block
  SignatureSlices signatures_;           // per block
  SignatureSlices foldedSignatures_;     // per block, valid with folded_
  std::vector<std::size_t> blockFirst_;  // index of each block's first visible character; size blocks + 1
  std::vector<FieldStack> entry_;        // open fields at each block's start; size blocks + 1
  std::vector<std::size_t> dirty_;
  Text scratchText_;  // a re-read paragraph, kept to save allocations on every edit
  Stretches scratchStretches_;
};

}  // namespace host
