#pragma once
// This program's index entries in a document (the XE fields that carry its index identifier),
// with the text each one indexes, as the report and the term counts read them.

#include <string>
#include <vector>

#include "host/layout/index_field.h"
#include "host/model/document.h"

namespace app {

/// One of this program's index entries.
struct IndexEntry {
  std::string text;               // the entry, sub-entries joined by ":" as the code writes them
  const host::FoundEntry* found;  // where it stands
};

/// This program's index entries among the document's entries (collected with
/// host::collectIndexEntries, which must outlive the result), in story order.
std::vector<IndexEntry> programEntries(const std::vector<host::FoundEntry>& entries);

}  // namespace app
