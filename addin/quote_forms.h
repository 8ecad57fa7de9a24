#pragma once
// The form of each double quote of a document's text, kept across a find-and-index run. The run
// turns every double quote straight and curly while it searches and gives them all one form at
// its end; a contract that mixes the two forms would lose its mix. Recording each quote's form
// first lets the run give every quote its own form back.

#include <map>

#include "host/model/document.h"
#include "host/text/text.h"

namespace addin {

/// The forms of the double quotes the reader sees in the main text, footnotes and endnotes,
/// outside the index and its two lists.
class QuoteForms {
 public:
  /// Records the forms the quotes have now.
  static QuoteForms Record(host::Document& doc);
  /// Gives each quote its recorded form again. A story whose number of quotes is no longer the
  /// recorded one (text was added or removed in it) is left as it is.
  void Restore(host::Document& doc) const;

 private:
  std::map<int, host::Text> quotes_;  // story type -> its quote characters, in order
};

}  // namespace addin
