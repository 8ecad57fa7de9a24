#pragma once
// Page numbers without a layout engine. What the document says is taken as it stands:
// explicit page and column breaks, "page break before" paragraphs, sections that start a new
// (odd or even) page, page numbering restarts, and the page breaks the last word processor
// left (w:lastRenderedPageBreak) in paragraphs whose text has not changed since the file was
// opened. Everywhere else the pages come from the line-fill estimate of page_estimate.h.
// Endnotes follow the text they belong to: the end of the document, or of each section when
// the document's settings say so. One pass over the main text and the endnotes gives every
// page; it is kept until the document changes.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "host/layout/block_pages.h"
#include "host/layout/page_estimate.h"

namespace host {

class DocumentParts;
class Story;

/// A page of the document.
struct PageNumber {
  int physical = 1;         // 1 for the first sheet, counting every page
  std::string label = "1";  // the number as the page shows it (restarts and formats applied)
};

/// The document's pages, computed on demand and kept until the next edit.
class Pagination {
 public:
  /// Remembers which paragraphs carry the last layout's page breaks, as the file has them.
  explicit Pagination(DocumentParts& doc);
  /// The page of a position: of the main text or an endnote, where it stands; of a footnote,
  /// its reference's page; of a text box, its anchor's page; page 1 for headers, footers,
  /// comments and endnotes that nothing refers to.
  PageNumber pageOf(const Story& story, long pos);
  /// Number of pages of the document.
  int pageCount();
  /// Lets the next computation keep the shapes of the main text's paragraphs before block
  /// `first` and after block `last`. The caller vouches that no other paragraph changed since
  /// the last computation (rewriting an index's result changes only its own paragraphs).
  void keepShapesOutside(std::size_t first, std::size_t last);
  /// Forgets a removed node (pugixml gives its memory to later nodes, which must not inherit
  /// what is remembered of it: a paragraph's opening text, or its shape).
  void forget(pugi::xml_node removed);
  /// True while it remembers anything of some paragraph.
  bool remembersNodes() const { return !baseline_.empty() || !shaped_.empty(); }
  /// "" when every paragraph remembered (from the opened file, or by the last computation) is
  /// still one of the main text, else what is wrong.
  std::string verifyDerivedState() const;

 private:
  void refresh();
  void compute();
  PageNumber mainPage(long pos) const;
  PageNumber page(int physical) const;

  DocumentParts& doc_;
  std::uint64_t stamp_ = ~std::uint64_t{0};
  // Visible text of each paragraph when the file was opened (only kept when it has marks).
  std::unordered_map<pugi::xml_node_struct*, std::uint64_t> baseline_;
  BlockPages mainPages_;
  BlockPages endnotePages_;
  // Shape of each block of the main text at the last computation, the block (null once it
  // has been removed), and its width.
  std::vector<ParagraphShape> shapes_;
  std::vector<std::pair<pugi::xml_node_struct*, double>> shaped_;
  std::optional<std::pair<std::size_t, std::size_t>> keepOutside_;
  std::vector<std::string> labels_;                           // label of each physical page
  std::unordered_map<int, long> footnoteRefs_, endnoteRefs_;  // note id -> reference position
};

/// A fingerprint of the text a paragraph shows (hidden text and field codes left out).
std::uint64_t visibleTextHash(const Story& story, std::size_t block);

}  // namespace host
