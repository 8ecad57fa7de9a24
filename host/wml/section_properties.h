#pragma once
// A section's properties (w:sectPr) as the model reads and writes them, in schema order.

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// Where a section begins.
enum class SectionBegin { Continuous, NextColumn, NextPage, EvenPage, OddPage };

/// The properties element of a section; a handle, like the node it wraps.
class SectionProperties {
 public:
  /// What to do with the page-numbering element when the last thing in it goes.
  enum class IfEmpty { Keep, Drop };

  /// Wraps a sectPr element (an empty handle reads as a default section and writes nothing).
  SectionProperties(const Wml& w, pugi::xml_node sectPr) : w_(&w), sectPr_(sectPr) {}
  /// The last section's properties, those of the body (appended when asked).
  static SectionProperties ofBody(const Wml& w, pugi::xml_node body, bool create);
  /// The section break a paragraph ends with (an empty handle when it ends none).
  static SectionProperties ofParagraph(const Wml& w, pugi::xml_node paragraph);

  /// The wrapped element.
  pugi::xml_node node() const { return sectPr_; }
  explicit operator bool() const { return static_cast<bool>(sectPr_); }

  /// Where the section begins (a new page unless it says otherwise).
  SectionBegin start() const;
  /// Sets where the section begins.
  void setStart(SectionBegin value) const;
  /// Begins as other does: its start as written, or the default when it has none.
  void takeStartFrom(SectionProperties other) const;

  /// Page numbers start again at value.
  void restartPageNumbers(long value) const;
  /// Page numbers go on counting from the section before; the numbering element stays or
  /// goes with nothing left in it.
  void removePageNumberStart(IfEmpty ifEmpty) const;
  /// Restarts page numbers where other does (its value as written), else goes on counting.
  void takePageNumberStartFrom(SectionProperties other) const;

  /// The text in count columns, spaceTwips apart.
  void setColumns(int count, long spaceTwips) const;
  /// Copies into target what sets out this section's pages, without what belongs to its
  /// beginning (headers, footers, title page, start, columns, a page-number restart, the
  /// record of changed properties): a section break within the section.
  void copyPageSetupInto(SectionProperties target) const;

 private:
  const Wml* w_;
  pugi::xml_node sectPr_;
};

}  // namespace host
