#pragma once
// What a range shows: its visible characters as find and Text see them (hidden text and field
// codes only when the view shows them, field marks never), read in one piece, with the story
// position of each. A caller can scan a whole story's text at once and still address any
// stretch of it as a range, instead of asking the model word by word. The positions hold
// until the document is next edited.

#include <cstddef>
#include <cstdint>

#include "host/model/range.h"
#include "host/text/text.h"

namespace host {

/// The visible characters of a range and where each stands.
class ShownText {
 public:
  /// Reads what the range shows now.
  explicit ShownText(const Range& range);

  /// The visible characters; cell ends are one character (7) each.
  const Text& text() const { return text_; }
  /// The story position of character i; the end of the range read for i == text().size().
  /// host::Error 4608 once the document has been edited since reading.
  long position(std::size_t i) const;
  /// A new range from character first up to and including character last - 1 (first < last).
  Range range(std::size_t first, std::size_t last) const;

 private:
  Range range_;
  std::size_t from_ = 0;
  long end_ = 0;
  std::uint64_t stamp_ = 0;
  Text text_;
};

}  // namespace host
