#pragma once
// Writes brand-new WordprocessingML documents (the sample contract, the benchmark contracts,
// documents of a known shape for tests). The output is reproducible: the same calls give the
// same bytes, because every date and zip time stamp is fixed.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

/// Builds a new .docx in document order: paragraphs, runs, notes, page breaks and tables.
class DocxBuilder {
 public:
  /// Paragraph styles a caller may start a paragraph with.
  enum class Style { Normal, Title, Heading1, Heading2 };
  /// Paragraph alignment.
  enum class Align { Left, Center, Right, Justify };
  /// Paper sizes of the document's section.
  enum class Paper { A4, Letter };

  /// Direct character formatting of a run.
  struct Emphasis {
    bool bold = false;
    bool italic = false;
  };
  /// A stretch of text with one formatting (notes are given as a list of these).
  struct Run {
    std::string text;
    Emphasis emphasis;
  };
  /// Paper and margins of the document's one section; margins in twips (1/1440 inch).
  struct PageSetup {
    Paper paper = Paper::A4;
    int top = 1440;
    int bottom = 1440;
    int left = 1440;
    int right = 1440;
  };

  /// Sets the title written to the document properties.
  void setTitle(std::string_view title);
  /// Sets paper and margins; throws host::Error when the margins leave no room for text.
  /// Tables take their column widths from the setup in force when they are added.
  void setPageSetup(const PageSetup& setup);

  /// Ends the current paragraph and starts a new one.
  void startParagraph(Style style = Style::Normal, Align align = Align::Left);
  /// Appends text to the current paragraph (starting a Normal one when none is open); a tab
  /// becomes a tab character and a line feed a line break. Throws host::Error when the text
  /// is not valid UTF-8 or holds another control character.
  void addRun(std::string_view text, Emphasis emphasis);
  /// Appends text without emphasis (as above).
  void addRun(std::string_view text) { addRun(text, Emphasis{}); }
  /// Appends a footnote reference whose note holds the given runs; returns the note's id.
  int addFootnote(const std::vector<Run>& note);
  /// Appends an endnote reference whose note holds the given runs; returns the note's id.
  int addEndnote(const std::vector<Run>& note);
  /// Appends a page break to the current paragraph.
  void addPageBreak();
  /// Ends the current paragraph and adds a table with grid lines, one row per entry of rows;
  /// every row must have the same, non-zero number of cells (host::Error otherwise).
  void addTable(const std::vector<std::vector<std::string>>& rows, bool boldFirstRow = false);

  /// The package's parts as (zip entry name, content), in the order they are zipped.
  std::vector<std::pair<std::string, std::string>> parts() const;
  /// The finished package as zip bytes.
  std::string toBytes() const;
  /// Writes the package to a temporary file beside the target and renames it over the
  /// target; throws host::Error (the target untouched) when that fails.
  void save(const std::string& path) const;

 private:
  enum class NoteKind { Footnote, Endnote };
  int addNote(NoteKind kind, const std::vector<Run>& note);
  void ensureParagraph();
  void closeParagraph();
  std::string documentXml() const;

  std::string title_;
  PageSetup page_;
  std::string body_;  // finished block elements of w:body
  bool paragraphOpen_ = false;
  bool endsWithTable_ = false;
  std::string footnotes_;  // w:footnote elements after the two separators
  std::string endnotes_;   // w:endnote elements after the two separators
  int footnoteCount_ = 0;
  int endnoteCount_ = 0;
};

}  // namespace host
