#pragma once
// What pagination and the index writer need of a document, and nothing more: its package, its
// stories, its edit count and pages, the places of its bookmarks. The object model's Document
// implements it, so that layout reads a document without knowing the object model above it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/text/edit_sink.h"

namespace host {

class Package;
class Pagination;
class Story;

/// A document as layout and the index see it.
class DocumentParts : public EditSink {
 public:
  /// The package the document was read from.
  virtual Package& package() = 0;
  /// All stories, in the order of their types (headers and footers per section).
  virtual const std::vector<std::unique_ptr<Story>>& stories() const = 0;
  /// The first story of a type, or nullptr.
  virtual Story* story(int type) const = 0;
  /// The main text story.
  virtual Story& mainStory() const = 0;
  /// Counts edits and formatting changes (what caches of the layout compare).
  virtual std::uint64_t editStamp() const = 0;
  /// The document's pages.
  virtual Pagination& pagination() = 0;
  /// Where the named bookmark starts and ends in its story; nothing when there is none.
  virtual std::optional<std::pair<long, long>> bookmarkSpan(const std::string& name) = 0;
  /// Makes every later save mark the file so that word processors refresh its fields on opening.
  virtual void refreshFieldsOnOpen() = 0;

 protected:
  ~DocumentParts() = default;
};

}  // namespace host
