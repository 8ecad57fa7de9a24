#pragma once
// The lines of an index: entries merged, sorted as the word processor sorts an index
// (collation of the document's language, case and accents only breaking ties), with their
// page numbers, sub-entries, letter headings and run-in layout.

#include <optional>
#include <string>
#include <vector>

#include "host/layout/pagination.h"
#include "host/parse/field_code.h"

namespace host {

/// One index entry found in the document, with the page it stands on.
struct CollectedEntry {
  const IndexEntryCode& code;  // the field's, which outlives the index being built
  PageNumber page;
  std::optional<PageNumber> rangeEnd;  // the last page of a \r bookmark range
};

/// A stretch of an index line with one formatting.
struct IndexRun {
  std::string text;
  bool bold = false;
  bool italic = false;
};

/// One paragraph of an index.
struct IndexLine {
  int level = 1;         // 1 for main entries, 2 for their sub-entries ...
  bool heading = false;  // a letter heading (\h)
  std::vector<IndexRun> runs;
  /// The line's text.
  std::string text() const;
};

/// The text of an INDEX field's result when no entry matches.
inline constexpr const char* kNoIndexEntries = "Error! No index entries found.";

/// Builds the lines of an index from its entries (already filtered by identifier and
/// bookmark); locale is a language tag ("en-GB") for collation.
std::vector<IndexLine> buildIndexLines(const std::vector<CollectedEntry>& entries, const IndexFieldCode& code,
                                       const std::string& locale);

}  // namespace host
