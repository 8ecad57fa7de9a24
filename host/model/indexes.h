#pragma once
// Index entries: the XE fields that an INDEX field collects.

#include <string>

#include "host/model/fields.h"
#include "host/model/range.h"

namespace host {

class Document;

/// The document's indexes.
class Indexes {
 public:
  explicit Indexes(Document* doc) : doc_(doc) {}
  /// Inserts the hidden field  XE "Entry"  right after the range and returns it; switches
  /// (an index identifier, say) follow the entry in the code as given.
  Field MarkEntry(const Range& range, const std::string& entry, const std::string& switches = "");

 private:
  Document* doc_;
};

}  // namespace host
