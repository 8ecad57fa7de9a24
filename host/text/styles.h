#pragma once
// Formatting read through the style chain: document defaults, the paragraph style and what
// it is based on, the character style, then direct formatting.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include <pugixml.hpp>

#include "host/text/constants.h"
#include "host/wml/wml.h"

namespace host {

/// Effective character formatting of a run or paragraph mark.
struct RunFormat {
  bool bold = false;
  bool italic = false;
  bool caps = false;
  bool hidden = false;
  long color = kColorAutomatic;  // red + green * 256 + blue * 65536, or automatic
  int highlight = 0;             // word processor colour index, 0 none
  int halfPoints = 20;           // font size in half points
  std::string font;              // w:rFonts ascii; "+major" or "+minor" for a theme font; "" when unset
  bool operator==(const RunFormat&) const = default;
};

/// Effective paragraph formatting.
struct ParagraphFormatValues {
  double spaceBefore = 0;  // points
  double spaceAfter = 0;   // points
  int alignment = 0;       // 0 left, 1 centre, 2 right, 3 justify
  double lineSpacing = 1;  // multiple of single spacing, or points when exact
  bool lineExact = false;
  bool lineAtLeast = false;  // the exact value is a minimum (w:lineRule="atLeast")
  bool pageBreakBefore = false;
  bool keepNext = false;
  bool keepLines = false;
  int widowControl = -1;  // 1 on, 0 off, -1 when no level of the chain says
  bool contextualSpacing = false;
  double indentLeft = 0;       // points
  double indentRight = 0;      // points
  double indentFirstLine = 0;  // points; negative for a hanging indent
  bool numbered = false;       // a list numbers the paragraph (w:numPr with a numId other than 0)
};

/// Colour index of a w:highlight value ("red" -> 6), 0 for none or unknown.
int highlightIndex(std::string_view name);
/// The w:highlight value of a colour index, "none" for 0.
std::string highlightName(int index);
/// Word colour value of a w:color value ("FF0000" -> 255), automatic for "auto".
long colorFromHex(std::string_view hex);
/// The w:color value of a Word colour value ("auto" for automatic).
std::string colorToHex(long color);

/// The styles part of a document.
class StyleSheet {
 public:
  /// Reads the styles part (doc may be null when the package has none).
  StyleSheet(pugi::xml_document* doc, Wml w);

  /// Character formatting of text in a paragraph of the given style with the given direct
  /// run properties (which may name a character style).
  RunFormat runFormat(const std::string& paragraphStyleId, pugi::xml_node directRPr) const;
  /// Whether text with the given direct run properties in a paragraph of the given style is
  /// hidden (the one property every paragraph map needs, so it is read without the rest).
  bool hidden(const std::string& paragraphStyleId, pugi::xml_node directRPr) const;
  /// Formatting a run gets from the styles alone (no direct formatting).
  RunFormat styleFormat(const std::string& paragraphStyleId, std::string_view charStyleId) const {
    return inherited(paragraphStyleId, charStyleId);
  }
  /// Paragraph formatting of a paragraph with the given direct properties.
  ParagraphFormatValues paragraphFormat(pugi::xml_node pPr) const;
  /// The paragraph style id of a paragraph's properties (the default style when none).
  std::string paragraphStyleId(pugi::xml_node pPr) const;
  /// The style's display name ("" when there is no such style).
  std::string name(const std::string& styleId) const;
  /// True when the style exists.
  bool exists(const std::string& styleId) const;
  /// Effective all-caps of a style through its chain.
  bool styleCaps(const std::string& styleId) const;
  /// Sets all-caps in the style's own run properties; returns false when the part is absent.
  bool setStyleCaps(const std::string& styleId, bool caps);
  /// Forgets cached formatting (after a style edit).
  void invalidate() {
    cache_.clear();
    capsCache_.clear();
    last_ = nullptr;
  }
  /// The styles part's element helpers.
  const Wml& wml() const { return w_; }
  /// Compares the cached formatting with what the styles say now; says which entry differs
  /// first, "" when none does.
  std::string verifyDerivedState() const;

 private:
  // What one w:rPr says (values point into the XML); -1, null or empty where it says nothing.
  struct RunProperties {
    int bold = -1, italic = -1, caps = -1, hidden = -1;
    const char* color = nullptr;
    const char* highlight = nullptr;
    int halfPoints = 0;
    std::string_view font;       // w:rFonts ascii, or "+major" / "+minor"
    std::string_view charStyle;  // w:rStyle
    void applyTo(RunFormat& f) const;
  };

  pugi::xml_node style(const std::string& id) const;
  const RunFormat& inherited(const std::string& paragraphStyleId, std::string_view charStyleId) const;
  RunFormat chainFormat(const std::string& paragraphStyleId, std::string_view charStyleId) const;
  void applyChain(RunFormat& f, const std::string& styleId, int depth) const;
  RunProperties readRun(pugi::xml_node rPr) const;
  void applyRun(RunFormat& f, pugi::xml_node rPr) const;
  void applyParagraphChain(ParagraphFormatValues& f, const std::string& styleId, int depth) const;
  void applyParagraph(ParagraphFormatValues& f, pugi::xml_node pPr) const;

  pugi::xml_document* doc_;
  Wml w_;
  std::map<std::string, pugi::xml_node> styles_;
  std::string defaultParagraphStyle_;
  pugi::xml_node rPrDefault_, pPrDefault_;
  mutable std::map<std::pair<std::string, std::string>, RunFormat> cache_;
  mutable std::map<std::string, bool> capsCache_;  // marking asks each occurrence's style
  mutable const std::pair<const std::pair<std::string, std::string>, RunFormat>* last_ = nullptr;  // most runs share it
};

}  // namespace host
