#include "host/builder/docx_builder.h"

#include <cstdio>
#include <memory>
#include <string>

#include "host/package/package.h"
#include "host/platform/error.h"

namespace host {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr std::string_view kWordNs = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
constexpr std::string_view kRelNs = "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// Every date in the package, so that the same document always gives the same bytes.
constexpr std::string_view kFixedDate = "2024-01-01T00:00:00Z";
constexpr EntryTime kFixedEntryTime{.year = 2024, .month = 1, .day = 1, .hour = 0, .minute = 0, .second = 0};

constexpr std::string_view kContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "<Override PartName=\"/word/footnotes.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml\"/>"
    "<Override PartName=\"/word/endnotes.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.endnotes+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>";

constexpr std::string_view kPackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
    "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/extended-properties\" Target=\"docProps/app.xml\"/>"
    "</Relationships>";

constexpr std::string_view kDocumentRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/settings\" Target=\"settings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/footnotes\" Target=\"footnotes.xml\"/>"
    "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/endnotes\" Target=\"endnotes.xml\"/>"
    "</Relationships>";

// Contract typography: Times New Roman 12 pt, single spacing, 10 pt after each paragraph;
// notes in 10 pt. Heading 1 is bold capitals by formatting, not by its text.
constexpr std::string_view kStylesBody =
    "<w:docDefaults><w:rPrDefault><w:rPr>"
    "<w:rFonts w:ascii=\"Times New Roman\" w:eastAsia=\"Times New Roman\" "
    "w:hAnsi=\"Times New Roman\" w:cs=\"Times New Roman\"/>"
    "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/>"
    "<w:lang w:val=\"en-GB\" w:eastAsia=\"en-GB\" w:bidi=\"ar-SA\"/>"
    "</w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
    "</w:pPr></w:pPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
    "<w:name w:val=\"Normal\"/><w:qFormat/><w:pPr><w:spacing w:after=\"200\"/></w:pPr>"
    "</w:style>"
    "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
    "<w:name w:val=\"Default Paragraph Font\"/><w:uiPriority w:val=\"1\"/><w:semiHidden/>"
    "<w:unhideWhenUsed/></w:style>"
    "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
    "<w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
    "<w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar>"
    "<w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
    "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
    "</w:tblCellMar></w:tblPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Title\">"
    "<w:name w:val=\"Title\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/>"
    "<w:uiPriority w:val=\"10\"/><w:qFormat/><w:pPr><w:spacing w:before=\"240\" "
    "w:after=\"480\"/></w:pPr><w:rPr><w:b/><w:bCs/><w:sz w:val=\"32\"/>"
    "<w:szCs w:val=\"32\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\">"
    "<w:name w:val=\"heading 1\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/>"
    "<w:uiPriority w:val=\"9\"/><w:qFormat/><w:pPr><w:keepNext/><w:keepLines/>"
    "<w:spacing w:before=\"360\" w:after=\"120\"/><w:outlineLvl w:val=\"0\"/></w:pPr>"
    "<w:rPr><w:b/><w:bCs/><w:caps/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Heading2\">"
    "<w:name w:val=\"heading 2\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/>"
    "<w:uiPriority w:val=\"9\"/><w:unhideWhenUsed/><w:qFormat/><w:pPr><w:keepNext/>"
    "<w:keepLines/><w:spacing w:before=\"240\" w:after=\"120\"/><w:outlineLvl w:val=\"1\"/>"
    "</w:pPr><w:rPr><w:b/><w:bCs/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"FootnoteText\">"
    "<w:name w:val=\"footnote text\"/><w:basedOn w:val=\"Normal\"/><w:uiPriority w:val=\"99\"/>"
    "<w:semiHidden/><w:unhideWhenUsed/><w:pPr><w:spacing w:after=\"0\"/></w:pPr>"
    "<w:rPr><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"FootnoteReference\">"
    "<w:name w:val=\"footnote reference\"/><w:basedOn w:val=\"DefaultParagraphFont\"/>"
    "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/>"
    "<w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"EndnoteText\">"
    "<w:name w:val=\"endnote text\"/><w:basedOn w:val=\"Normal\"/><w:uiPriority w:val=\"99\"/>"
    "<w:semiHidden/><w:unhideWhenUsed/><w:pPr><w:spacing w:after=\"0\"/></w:pPr>"
    "<w:rPr><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"EndnoteReference\">"
    "<w:name w:val=\"endnote reference\"/><w:basedOn w:val=\"DefaultParagraphFont\"/>"
    "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/>"
    "<w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr></w:style>"
    "<w:style w:type=\"table\" w:styleId=\"TableGrid\">"
    "<w:name w:val=\"Table Grid\"/><w:basedOn w:val=\"TableNormal\"/>"
    "<w:uiPriority w:val=\"39\"/><w:pPr><w:spacing w:after=\"0\"/></w:pPr><w:tblPr>"
    "<w:tblBorders><w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "</w:tblBorders></w:tblPr></w:style>";

// The notes -1 and 0 are the separator lines above the notes, as the word processor writes them.
constexpr std::string_view kSettingsBody =
    "<w:zoom w:percent=\"100\"/><w:defaultTabStop w:val=\"720\"/>"
    "<w:characterSpacingControl w:val=\"doNotCompress\"/>"
    "<w:footnotePr><w:footnote w:id=\"-1\"/><w:footnote w:id=\"0\"/></w:footnotePr>"
    "<w:endnotePr><w:endnote w:id=\"-1\"/><w:endnote w:id=\"0\"/></w:endnotePr>"
    "<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
    "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
    "<w:themeFontLang w:val=\"en-GB\"/><w:decimalSymbol w:val=\".\"/>"
    "<w:listSeparator w:val=\",\"/>";

constexpr std::string_view kAppBody =
    "<Template>Normal.dotm</Template><TotalTime>0</TotalTime><Application>Vellandex</Application>"
    "<DocSecurity>0</DocSecurity><ScaleCrop>false</ScaleCrop><LinksUpToDate>false</LinksUpToDate>"
    "<SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged>";

std::string_view styleId(DocxBuilder::Style style) {
  switch (style) {
    case DocxBuilder::Style::Title: return "Title";
    case DocxBuilder::Style::Heading1: return "Heading1";
    case DocxBuilder::Style::Heading2: return "Heading2";
    case DocxBuilder::Style::Normal: break;
  }
  return "Normal";
}

std::string_view justification(DocxBuilder::Align align) {
  switch (align) {
    case DocxBuilder::Align::Center: return "center";
    case DocxBuilder::Align::Right: return "right";
    case DocxBuilder::Align::Justify: return "both";
    case DocxBuilder::Align::Left: break;
  }
  return "left";
}

std::string hexCode(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

// Refuses text that cannot stand in the XML as it is: malformed UTF-8, and control
// characters other than tab and line feed (XML 1.0 has no way to write them).
void checkText(std::string_view text) {
  const auto fail = [&](std::size_t at, const std::string& what) {
    throw Error(kErrBadArgument, "Text for the new document " + what + " at byte " + std::to_string(at) + ".");
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead < 0x20 && lead != '\t' && lead != '\n') fail(i, "holds the control character " + hexCode(lead));
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
    } else {
      fail(i, "is not valid UTF-8");
    }
    if (i + length > text.size()) fail(i, "is not valid UTF-8");
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) fail(i, "is not valid UTF-8");
      code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) fail(i, "is not valid UTF-8");
    if (code == 0xFFFE || code == 0xFFFF) fail(i, "holds the non-character " + hexCode(code));
    i += length;
  }
}

void appendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

// One w:t; spaces at either end or doubled inside would be dropped without the preserve flag.
void appendTextElement(std::string& out, std::string_view text) {
  const bool preserve = text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string_view::npos;
  out += preserve ? "<w:t xml:space=\"preserve\">" : "<w:t>";
  appendEscaped(out, text);
  out += "</w:t>";
}

// A run of checked text; tabs and line feeds become the elements that stand for them.
void appendRun(std::string& out, std::string_view text, DocxBuilder::Emphasis emphasis) {
  if (text.empty()) return;
  out += "<w:r>";
  if (emphasis.bold || emphasis.italic) {
    out += "<w:rPr>";
    if (emphasis.bold) out += "<w:b/><w:bCs/>";
    if (emphasis.italic) out += "<w:i/><w:iCs/>";
    out += "</w:rPr>";
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t stop = text.find_first_of("\t\n", start);
    const std::size_t end = stop == std::string_view::npos ? text.size() : stop;
    if (end > start) appendTextElement(out, text.substr(start, end - start));
    if (end == text.size()) break;
    out += text[end] == '\t' ? "<w:tab/>" : "<w:br/>";
    start = end + 1;
  }
  out += "</w:r>";
}

void appendNoteSeparators(std::string& out, std::string_view element) {
  const std::string_view paragraphStart =
      "<w:p><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr><w:r>";
  out += "<w:";
  out += element;
  out += " w:type=\"separator\" w:id=\"-1\">";
  out += paragraphStart;
  out += "<w:separator/></w:r></w:p></w:";
  out += element;
  out += "><w:";
  out += element;
  out += " w:type=\"continuationSeparator\" w:id=\"0\">";
  out += paragraphStart;
  out += "<w:continuationSeparator/></w:r></w:p></w:";
  out += element;
  out += ">";
}

std::string xmlPart(std::string_view root, std::string_view namespaces, std::string_view body) {
  std::string out;
  out.reserve(body.size() + 256);
  out += kDeclaration;
  out += "<";
  out += root;
  out += " ";
  out += namespaces;
  out += ">";
  out += body;
  out += "</";
  out += root;
  out += ">";
  return out;
}

int pageWidth(DocxBuilder::Paper paper) { return paper == DocxBuilder::Paper::A4 ? 11906 : 12240; }
int pageHeight(DocxBuilder::Paper paper) { return paper == DocxBuilder::Paper::A4 ? 16838 : 15840; }

// The parts as a package of their own, every zip entry stamped with the fixed date (libzip
// would otherwise stamp them with the clock).
std::unique_ptr<Package> packageOf(std::vector<std::pair<std::string, std::string>> parts) {
  auto package = Package::create("new document");
  package->setEntryTime(kFixedEntryTime);
  for (auto& [name, content] : parts) package->setBytes(name, std::move(content));
  return package;
}

}  // namespace

void DocxBuilder::setTitle(std::string_view title) {
  checkText(title);
  title_ = title;
}

void DocxBuilder::setPageSetup(const PageSetup& setup) {
  const int width = pageWidth(setup.paper);
  const int height = pageHeight(setup.paper);
  constexpr int kMinimumText = 1440;  // an inch of text each way
  if (setup.top < 0 || setup.bottom < 0 || setup.left < 0 || setup.right < 0 || setup.top > height ||
      setup.bottom > height || setup.left > width || setup.right > width ||
      width - setup.left - setup.right < kMinimumText || height - setup.top - setup.bottom < kMinimumText)
    throw Error(kErrBadArgument, "The page margins must not be negative and must leave at least an inch for text.");
  page_ = setup;
}

void DocxBuilder::startParagraph(Style style, Align align) {
  closeParagraph();
  body_ += "<w:p>";
  if (style != Style::Normal || align != Align::Left) {
    body_ += "<w:pPr>";
    if (style != Style::Normal) {
      body_ += "<w:pStyle w:val=\"";
      body_ += styleId(style);
      body_ += "\"/>";
    }
    if (align != Align::Left) {
      body_ += "<w:jc w:val=\"";
      body_ += justification(align);
      body_ += "\"/>";
    }
    body_ += "</w:pPr>";
  }
  paragraphOpen_ = true;
  endsWithTable_ = false;
}

void DocxBuilder::addRun(std::string_view text, Emphasis emphasis) {
  checkText(text);
  ensureParagraph();
  appendRun(body_, text, emphasis);
}

int DocxBuilder::addFootnote(const std::vector<Run>& note) { return addNote(NoteKind::Footnote, note); }

int DocxBuilder::addEndnote(const std::vector<Run>& note) { return addNote(NoteKind::Endnote, note); }

int DocxBuilder::addNote(NoteKind kind, const std::vector<Run>& note) {
  for (const Run& run : note) checkText(run.text);
  const bool foot = kind == NoteKind::Footnote;
  const std::string_view element = foot ? "footnote" : "endnote";
  const std::string_view refStyle = foot ? "FootnoteReference" : "EndnoteReference";
  const int id = foot ? ++footnoteCount_ : ++endnoteCount_;
  const std::string idText = std::to_string(id);

  std::string& notes = foot ? footnotes_ : endnotes_;
  notes += "<w:";
  notes += element;
  notes += " w:id=\"" + idText + "\"><w:p><w:pPr><w:pStyle w:val=\"";
  notes += foot ? "FootnoteText" : "EndnoteText";
  notes += "\"/></w:pPr><w:r><w:rPr><w:rStyle w:val=\"";
  notes += refStyle;
  notes += "\"/></w:rPr><w:";
  notes += element;
  notes += "Ref/></w:r><w:r><w:t xml:space=\"preserve\"> </w:t></w:r>";
  for (const Run& run : note) appendRun(notes, run.text, run.emphasis);
  notes += "</w:p></w:";
  notes += element;
  notes += ">";

  ensureParagraph();
  body_ += "<w:r><w:rPr><w:rStyle w:val=\"";
  body_ += refStyle;
  body_ += "\"/></w:rPr><w:";
  body_ += element;
  body_ += "Reference w:id=\"" + idText + "\"/></w:r>";
  return id;
}

void DocxBuilder::addPageBreak() {
  ensureParagraph();
  body_ += "<w:r><w:br w:type=\"page\"/></w:r>";
}

void DocxBuilder::addTable(const std::vector<std::vector<std::string>>& rows, bool boldFirstRow) {
  if (rows.empty() || rows.front().empty())
    throw Error(kErrBadArgument, "A table needs at least one row and one cell.");
  const std::size_t columns = rows.front().size();
  for (const auto& row : rows) {
    if (row.size() != columns)
      throw Error(kErrBadArgument,
                  "Every row of a table must have " + std::to_string(columns) + " cells, as its first row has.");
    for (const auto& cell : row) checkText(cell);
  }
  closeParagraph();

  const int textWidth = pageWidth(page_.paper) - page_.left - page_.right;
  const std::string cellWidth = std::to_string(textWidth / static_cast<int>(columns));
  body_ +=
      "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/><w:tblW w:w=\"0\" w:type=\"auto\"/>"
      "<w:tblLook w:val=\"04A0\" w:firstRow=\"1\" w:lastRow=\"0\" w:firstColumn=\"1\" "
      "w:lastColumn=\"0\" w:noHBand=\"0\" w:noVBand=\"1\"/></w:tblPr><w:tblGrid>";
  for (std::size_t c = 0; c < columns; ++c) body_ += "<w:gridCol w:w=\"" + cellWidth + "\"/>";
  body_ += "</w:tblGrid>";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const bool header = boldFirstRow && r == 0;
    body_ += header ? "<w:tr><w:trPr><w:tblHeader/></w:trPr>" : "<w:tr>";
    for (const auto& cell : rows[r]) {
      // Cells are set tight; the table style's spacing is not honoured by every reader.
      body_ += "<w:tc><w:tcPr><w:tcW w:w=\"" + cellWidth +
               "\" w:type=\"dxa\"/></w:tcPr><w:p><w:pPr><w:spacing w:after=\"0\"/></w:pPr>";
      appendRun(body_, cell, Emphasis{.bold = header});
      body_ += "</w:p></w:tc>";
    }
    body_ += "</w:tr>";
  }
  body_ += "</w:tbl>";
  endsWithTable_ = true;
}

void DocxBuilder::ensureParagraph() {
  if (!paragraphOpen_) startParagraph();
}

void DocxBuilder::closeParagraph() {
  if (!paragraphOpen_) return;
  body_ += "</w:p>";
  paragraphOpen_ = false;
}

std::string DocxBuilder::documentXml() const {
  std::string body;
  body.reserve(body_.size() + 512);
  body += "<w:body>";
  body += body_;
  if (paragraphOpen_) body += "</w:p>";
  if (endsWithTable_) body += "<w:p/>";  // the word processor wants a paragraph after a table
  body += "<w:sectPr><w:pgSz w:w=\"" + std::to_string(pageWidth(page_.paper)) + "\" w:h=\"" +
          std::to_string(pageHeight(page_.paper)) + "\"/><w:pgMar w:top=\"" + std::to_string(page_.top) +
          "\" w:right=\"" + std::to_string(page_.right) + "\" w:bottom=\"" + std::to_string(page_.bottom) +
          "\" w:left=\"" + std::to_string(page_.left) +
          "\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/><w:cols w:space=\"708\"/>"
          "<w:docGrid w:linePitch=\"360\"/></w:sectPr></w:body>";
  return xmlPart("w:document", std::string(kWordNs) + " " + std::string(kRelNs), body);
}

std::vector<std::pair<std::string, std::string>> DocxBuilder::parts() const {
  std::string footnotes;
  appendNoteSeparators(footnotes, "footnote");
  footnotes += footnotes_;
  std::string endnotes;
  appendNoteSeparators(endnotes, "endnote");
  endnotes += endnotes_;

  std::string core;
  if (!title_.empty()) {
    core += "<dc:title>";
    appendEscaped(core, title_);
    core += "</dc:title>";
  }
  core +=
      "<dc:creator>Vellandex</dc:creator><cp:lastModifiedBy>Vellandex</cp:lastModifiedBy>"
      "<cp:revision>1</cp:revision><dcterms:created xsi:type=\"dcterms:W3CDTF\">";
  core += kFixedDate;
  core += "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">";
  core += kFixedDate;
  core += "</dcterms:modified>";

  std::vector<std::pair<std::string, std::string>> parts;
  parts.emplace_back("[Content_Types].xml", std::string(kDeclaration) + std::string(kContentTypes));
  parts.emplace_back("_rels/.rels", std::string(kDeclaration) + std::string(kPackageRels));
  parts.emplace_back("docProps/core.xml", xmlPart("cp:coreProperties",
                                                  "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
                                                  "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                                                  "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
                                                  "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
                                                  "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
                                                  core));
  parts.emplace_back("docProps/app.xml", xmlPart("Properties",
                                                 "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                                                 "extended-properties\" xmlns:vt=\"http://schemas.openxmlformats.org/"
                                                 "officeDocument/2006/docPropsVTypes\"",
                                                 kAppBody));
  parts.emplace_back("word/document.xml", documentXml());
  parts.emplace_back("word/_rels/document.xml.rels", std::string(kDeclaration) + std::string(kDocumentRels));
  parts.emplace_back("word/styles.xml", xmlPart("w:styles", kWordNs, kStylesBody));
  parts.emplace_back("word/settings.xml", xmlPart("w:settings", kWordNs, kSettingsBody));
  parts.emplace_back("word/footnotes.xml",
                     xmlPart("w:footnotes", std::string(kWordNs) + " " + std::string(kRelNs), footnotes));
  parts.emplace_back("word/endnotes.xml",
                     xmlPart("w:endnotes", std::string(kWordNs) + " " + std::string(kRelNs), endnotes));
  return parts;
}

std::string DocxBuilder::toBytes() const { return packageOf(parts())->toBytes(); }

void DocxBuilder::save(const std::string& path) const { packageOf(parts())->save(path); }

}  // namespace host
