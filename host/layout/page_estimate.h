#pragma once
// The one model of how much room text takes on a page, for documents laid out without a
// layout engine: a section's page geometry, the widths and line heights of the document's
// fonts, and the lines a paragraph breaks into at a given width (greedy wrapping at spaces,
// as word processors do without hyphenation).

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "host/text/charmap.h"
#include "host/text/styles.h"
#include "host/wml/wml.h"

namespace host {

/// One section's page, in points.
struct PageGeometry {
  double pageWidth = 612;  // w:pgSz, the word processor's default Letter page
  double pageHeight = 792;
  double top = 72, bottom = 72, left = 72, right = 72;  // w:pgMar
  int columns = 1;                                      // w:cols
  double columnSpace = 36;

  /// Height of the text area of one column.
  double bodyHeight() const;
  /// Width of one column's text.
  double columnWidth() const;
};

/// Reads a section's page geometry from its w:sectPr (defaults where it says nothing).
PageGeometry readGeometry(pugi::xml_node sectPr, const Wml& w);

/// Widths and line heights of the document's fonts.
class TextMeasure {
 public:
  /// Theme fonts ("+major", "+minor" in RunFormat::font) resolve to the faces given; text
  /// that names no font is measured as the word processor's default, Times New Roman.
  TextMeasure(std::string majorFont = "", std::string minorFont = "");
  /// What measuring text of one format needs, looked up once for a run of characters.
  struct Face {
    const std::array<std::uint16_t, 95>* table = nullptr;  // widths of ASCII 32..126 in 1/1000 em; none for monospaced
    bool sans = false, caps = false;
    double em = 10;    // points
    double scale = 1;  // against the table
    /// Advance width of a character in points.
    double width(char16_t c) const;
  };
  /// The face of a format.
  Face face(const RunFormat& f) const;
  /// Height of a single-spaced line of text of that format, in points.
  double lineHeight(const RunFormat& f) const;
  /// Distance between default tab stops in points.
  double tabStop = 36;

 private:
  // What a font family's metrics resemble.
  struct Metrics {
    bool sans = false;
    double widthScale = 1;  // against the serif or sans table; negative for monospaced
    double lineFactor = 1.15;
  };
  const Metrics& metrics(const std::string& font) const;

  std::string major_, minor_;
  mutable std::unordered_map<std::string, Metrics> cache_;
};

/// One line of a paragraph as estimated.
struct EstimatedLine {
  std::uint32_t start = 0;  // offset of its first character in the paragraph
  double height = 0;        // points, line spacing applied
  bool pageBefore = false;  // an explicit page break ends the line before
  bool columnBefore = false;
  bool visible = false;  // shows anything besides the paragraph mark
};

/// How a paragraph lays out at a given width.
struct ParagraphShape {
  std::vector<EstimatedLine> lines;
  double spaceBefore = 0, spaceAfter = 0;
  bool pageBreakBefore = false, keepNext = false, keepLines = false, widowControl = true;
  bool contextualSpacing = false;
  std::string styleId;
  std::vector<std::pair<std::uint32_t, int>> footnotes;  // offset of each footnote reference, note id
  std::vector<std::uint32_t> renderedBreaks;             // offsets of w:lastRenderedPageBreak marks

  /// Sum of the line heights.
  double textHeight() const;
  /// Index of the line holding the character at offset.
  std::size_t lineAt(std::uint32_t offset) const;
};

/// Breaks a paragraph (or end-of-row mark) into lines at width points.
ParagraphShape shapeParagraph(const CharMap& map, pugi::xml_node paragraph, bool rowEnd, const Wml& w,
                              const StyleSheet& styles, const TextMeasure& measure, double width);

}  // namespace host
