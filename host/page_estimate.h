#pragma once
// The one model of how much room text takes on a page, for documents laid out without a
// layout engine: a section's page geometry, the widths and line heights of the document's
// fonts, and the lines a paragraph breaks into at a given width (greedy wrapping at spaces,
// as word processors do without hyphenation).

#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/charmap.h"
#include "host/styles.h"
#include "host/wml.h"

namespace host {

/// One section's page, in points.
struct PageGeometry {
  double pageWidth = 612;   // w:pgSz, the word processor's default Letter page
  double pageHeight = 792;
  double top = 72, bottom = 72, left = 72, right = 72;  // w:pgMar
  int columns = 1;          // w:cols
  double columnSpace = 36;

  /// Height of the text area of one column.
  double bodyHeight() const;
  /// Width of one column's text.
  double columnWidth() const;
};

/// Reads a section's page geometry from its w:sectPr (defaults where it says nothing).
PageGeometry readGeometry(pugi::xml_node sectPr, const Wml& w);

/// Widths and line heights of the document's body font.
class TextMeasure {
 public:
  /// Measures with the font named (its family decides the metrics; unknown fonts are
  /// measured as the word processor's default serif).
  explicit TextMeasure(const std::string& fontName = "Times New Roman");
  /// Advance width of a character in points.
  double width(char16_t c, int halfPoints, bool bold) const;
  /// Height of a single-spaced line of text of that size, in points.
  double lineHeight(int halfPoints) const;
  /// Distance between default tab stops in points.
  double tabStop = 36;

 private:
  bool sans_ = false;
  double widthScale_ = 1;
  double lineFactor_ = 1.15;
};

/// One line of a paragraph as estimated.
struct EstimatedLine {
  std::uint32_t start = 0;  // offset of its first character in the paragraph
  double height = 0;        // points, line spacing applied
  bool pageBefore = false;  // an explicit page break ends the line before
  bool columnBefore = false;
  bool visible = false;     // shows anything besides the paragraph mark
};

/// How a paragraph lays out at a given width.
struct ParagraphShape {
  std::vector<EstimatedLine> lines;
  double spaceBefore = 0, spaceAfter = 0;
  bool pageBreakBefore = false, keepNext = false, keepLines = false, widowControl = true;
  bool contextualSpacing = false;
  std::string styleId;
  std::vector<std::pair<std::uint32_t, int>> footnotes;  // offset of each footnote reference, note id
  std::vector<std::uint32_t> renderedBreaks;            // offsets of w:lastRenderedPageBreak marks

  /// Sum of the line heights.
  double textHeight() const;
  /// Index of the line holding the character at offset.
  std::size_t lineAt(std::uint32_t offset) const;
};

/// Breaks a paragraph (or end-of-row mark) into lines at width points.
ParagraphShape shapeParagraph(const CharMap& map, pugi::xml_node paragraph, bool rowEnd, const Wml& w,
                              const StyleSheet& styles, const TextMeasure& measure, double width);

}  // namespace host
