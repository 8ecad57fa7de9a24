#pragma once
// Index entries: the XE fields that an INDEX field collects.

#include <string>
#include <utility>

#include "host/model/fields.h"
#include "host/model/range.h"

namespace host {

class Document;

/// The document's indexes.
class Indexes {
 public:
  explicit Indexes(DocumentRef doc) : doc_(std::move(doc)) {}
  /// Inserts the hidden field  XE "Entry"  right after the range and returns it; switches
  /// (an index identifier, say) follow the entry in the code as given.
  Field MarkEntry(const Range& range, const std::string& entry, const std::string& switches = "");

 private:
  DocumentRef doc_;
};

}  // namespace host
