#pragma once
// A paragraph's properties (w:pPr) as the model writes them, in schema order.

#include <string>

#include <pugixml.hpp>

#include "host/wml/run_properties.h"
#include "host/wml/section_properties.h"
#include "host/wml/wml.h"

namespace host {

/// How the lines of a paragraph are aligned.
enum class Justification { Left, Center, Right, Both };

/// The properties element of a paragraph; a handle, like the node it wraps.
class ParagraphProperties {
 public:
  /// Wraps a pPr element (an empty handle writes nothing).
  ParagraphProperties(const Wml& w, pugi::xml_node pPr) : w_(&w), pPr_(pPr) {}
  /// The properties of a paragraph, created (as its first child) when asked.
  static ParagraphProperties of(const Wml& w, pugi::xml_node paragraph, bool create);

  /// The wrapped element.
  pugi::xml_node node() const { return pPr_; }
  explicit operator bool() const { return static_cast<bool>(pPr_); }

  /// Space before the paragraph, in twentieths of a point (automatic spacing goes).
  void setSpaceBefore(long twips) const;
  /// Space after the paragraph, in twentieths of a point (automatic spacing goes).
  void setSpaceAfter(long twips) const;
  /// The alignment of the lines.
  void setJustification(Justification value) const;
  /// The paragraph style, by id.
  void setStyle(const std::string& styleId) const;
  /// The left indent, in twentieths of a point.
  void setIndentLeft(long twips) const;
  /// Drops the paragraph's own list numbering (a style's numbering still applies).
  void removeNumbering() const;
  /// Switches numbering off, a style's too: a list of id 0.
  void switchOffNumbering() const;

  /// The properties of the paragraph mark, created when absent.
  RunProperties markProperties() const;
  /// The section break the paragraph ends with (created when asked).
  SectionProperties sectionBreak(bool create) const;
  /// A copy of these properties appended to paragraph, for a paragraph split off
  /// before this one: the section break and the record of changed properties stay here.
  ParagraphProperties copyInto(pugi::xml_node paragraph) const;

 private:
  void setSpacing(const char* which, const char* autospacing, long twips) const;

  const Wml* w_;
  pugi::xml_node pPr_;
};

}  // namespace host
