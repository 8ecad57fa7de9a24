#pragma once
// Documents of a known shape for tests: a package assembled from WordprocessingML fragments
// (body, styles, notes, headers, footers and comments), plus readers of a part's XML for
// comparing before and after an edit. Header-only so that it stays out of the libraries.

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/builder/docx_builder.h"
#include "host/model/document.h"
#include "host/model/fields.h"
#include "host/package/package.h"
#include "host/testing/xml_text.h"

namespace host::testing {

inline constexpr const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

/// A header or footer part and the relationship id the body's section properties use for it.
struct HeaderPart {
  std::string part;   // file name under word/, e.g. "header1.xml"
  std::string relId;  // e.g. "rIdH1"
  bool footer = false;
  std::string content;  // the paragraphs inside w:hdr / w:ftr
};

/// The section properties that close a body which does not end with its own.
enum class LastSection {
  PageSizeOnly,  // an A4 page size and nothing else
  NewDocument,   // as DocxBuilder sets out a new document: A4, one-inch margins, one column
};

/// What a test document holds; everything but the body is optional.
struct DocParts {
  std::string body;                    // children of w:body (closed by lastSection unless it ends with a w:sectPr)
  std::string styles;                  // extra w:style elements
  std::string docDefaults;             // replaces w:docDefaults when set
  std::vector<std::string> footnotes;  // each the paragraphs of one note, ids 1, 2 ...
  std::vector<std::string> endnotes;   // likewise
  std::vector<HeaderPart> headers;     // headers and footers
  std::vector<std::string> comments;   // each the paragraphs of one comment, ids 0, 1 ...
  LastSection lastSection = LastSection::PageSizeOnly;
};

/// A paragraph of the given runs (and optional paragraph properties).
inline std::string para(const std::string& runs, const std::string& pPr = "") {
  return "<w:p>" + (pPr.empty() ? "" : "<w:pPr>" + pPr + "</w:pPr>") + runs + "</w:p>";
}

/// A run of text with optional run properties.
inline std::string run(const std::string& text, const std::string& rPr = "") {
  return "<w:r>" + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") + "<w:t xml:space=\"preserve\">" + text +
         "</w:t></w:r>";
}

/// A run holding one element (a tab, a break, a note reference ...).
inline std::string elementRun(const std::string& element, const std::string& rPr = "") {
  return "<w:r>" + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") + element + "</w:r>";
}

/// A complex field's mark run ("begin", "separate", "end").
inline std::string fieldChar(const std::string& type, const std::string& rPr = "") {
  return elementRun("<w:fldChar w:fldCharType=\"" + type + "\"/>", rPr);
}

/// A run of field code.
inline std::string fieldCode(const std::string& text, const std::string& rPr = "") {
  return elementRun("<w:instrText xml:space=\"preserve\">" + text + "</w:instrText>", rPr);
}

/// A footnote reference to the footnote with that id, in the reference's character style.
inline std::string footnoteRef(int id) {
  return "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteReference w:id=\"" +
         std::to_string(id) + "\"/></w:r>";
}

/// An endnote reference to the endnote with that id, in the reference's character style.
inline std::string endnoteRef(int id) {
  return "<w:r><w:rPr><w:rStyle w:val=\"EndnoteReference\"/></w:rPr><w:endnoteReference w:id=\"" + std::to_string(id) +
         "\"/></w:r>";
}

/// A table of one paragraph per cell.
inline std::string table(const std::vector<std::vector<std::string>>& rows) {
  std::string out = "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr>";
  for (const auto& row : rows) {
    out += "<w:tr>";
    for (const auto& cell : row) out += "<w:tc>" + para(run(cell)) + "</w:tc>";
    out += "</w:tr>";
  }
  return out + "</w:tbl>";
}

/// A paragraph style (optionally based on another) with paragraph and run properties.
inline std::string paragraphStyle(const std::string& id, const std::string& basedOn, const std::string& pPr,
                                  const std::string& rPr) {
  return "<w:style w:type=\"paragraph\" w:styleId=\"" + id + "\"><w:name w:val=\"" + id + "\"/>" +
         (basedOn.empty() ? "" : "<w:basedOn w:val=\"" + basedOn + "\"/>") +
         (pPr.empty() ? "" : "<w:pPr>" + pPr + "</w:pPr>") + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") +
         "</w:style>";
}

/// A character style with run properties.
inline std::string characterStyle(const std::string& id, const std::string& rPr) {
  return "<w:style w:type=\"character\" w:styleId=\"" + id + "\"><w:name w:val=\"" + id + "\"/><w:rPr>" + rPr +
         "</w:rPr></w:style>";
}

namespace detail {

inline void appendFragment(pugi::xml_node parent, const std::string& xml, pugi::xml_node before = {}) {
  pugi::xml_document fragment;
  std::string wrapped = std::string("<root xmlns:w=\"") + kWordNs + "\" xmlns:r=\"" + kRelNs + "\">" + xml + "</root>";
  if (!fragment.load_string(wrapped.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single))
    throw std::runtime_error("bad test XML: " + xml);
  for (pugi::xml_node n : fragment.document_element().children())
    before ? parent.insert_copy_before(n, before) : parent.append_copy(n);
}

inline void appendNotes(Package& package, const std::string& part, const char* element,
                        const std::vector<std::string>& notes) {
  pugi::xml_node root = package.xml(part).document_element();
  std::string qualified = std::string("w:") + element;
  for (const auto& note : notes) {
    std::string id = std::to_string(&note - notes.data() + 1);
    appendFragment(root, "<" + qualified + " w:id=\"" + id + "\">" + note + "</" + qualified + ">");
  }
  package.markDirty(part);
}

}  // namespace detail

/// The .docx bytes of a document as the parts describes it.
inline std::string makeDocx(const DocParts& parts) {
  DocxBuilder builder;
  builder.addRun("x");
  auto package = Package::fromBytes(builder.toBytes(), "test.docx");

  std::string body = parts.body;
  if (body.find("<w:sectPr") == std::string::npos || body.rfind("</w:sectPr>") + 11 != body.size()) {
    body += parts.lastSection == LastSection::NewDocument
                ? xmlOf(package->xml(package->mainPartName()).document_element().child("w:body").child("w:sectPr"))
                : "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr>";
  }
  package->setBytes("word/document.xml",
                    std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
                        "<w:document xmlns:w=\"" + kWordNs + "\" xmlns:r=\"" + kRelNs + "\"><w:body>" + body +
                        "</w:body></w:document>");

  if (!parts.styles.empty() || !parts.docDefaults.empty()) {
    pugi::xml_node styles = package->xml("word/styles.xml").document_element();
    if (!parts.docDefaults.empty()) {
      styles.remove_child(styles.child("w:docDefaults"));
      detail::appendFragment(styles, parts.docDefaults, styles.first_child());
    }
    detail::appendFragment(styles, parts.styles);
    package->markDirty("word/styles.xml");
  }
  detail::appendNotes(*package, "word/footnotes.xml", "footnote", parts.footnotes);
  detail::appendNotes(*package, "word/endnotes.xml", "endnote", parts.endnotes);

  // A new part of the main document: its XML, relationship and content type.
  auto addPart = [&](const std::string& part, const std::string& relId, const char* kind, const std::string& xml) {
    package->setBytes("word/" + part, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + xml);
    pugi::xml_node rel = package->xml("word/_rels/document.xml.rels").document_element().append_child("Relationship");
    rel.append_attribute("Id") = relId.c_str();
    rel.append_attribute("Type") = (std::string(kRelNs) + "/" + kind).c_str();
    rel.append_attribute("Target") = part.c_str();
    pugi::xml_node type = package->xml("[Content_Types].xml").document_element().append_child("Override");
    type.append_attribute("PartName") = ("/word/" + part).c_str();
    type.append_attribute("ContentType") =
        (std::string("application/vnd.openxmlformats-officedocument.wordprocessingml.") + kind + "+xml").c_str();
    package->markDirty("word/_rels/document.xml.rels");
    package->markDirty("[Content_Types].xml");
  };
  const std::string namespaces = std::string(" xmlns:w=\"") + kWordNs + "\" xmlns:r=\"" + kRelNs + "\"";
  for (const HeaderPart& h : parts.headers) {
    const char* root = h.footer ? "w:ftr" : "w:hdr";
    addPart(h.part, h.relId, h.footer ? "footer" : "header",
            std::string("<") + root + namespaces + ">" + h.content + "</" + root + ">");
  }
  if (!parts.comments.empty()) {
    std::string xml = "<w:comments" + namespaces + ">";
    for (std::size_t i = 0; i < parts.comments.size(); ++i)
      xml += "<w:comment w:id=\"" + std::to_string(i) + "\" w:author=\"T\">" + parts.comments[i] + "</w:comment>";
    addPart("comments.xml", "rIdComments", "comments", xml + "</w:comments>");
  }
  return package->toBytes();
}

/// Opens a document as the parts describes it.
inline std::unique_ptr<Document> openDocument(const DocParts& parts) {
  return Document::FromBytes(makeDocx(parts), "test.docx");
}

/// Opens a document whose body is the given XML, closed by an A4 page size alone.
inline std::unique_ptr<Document> openBody(const std::string& body) {
  DocParts parts;
  parts.body = body;
  return openDocument(parts);
}

/// Opens a document set out as a new one (A4, one-inch margins) whose body is the given XML,
/// with the given footnotes (each the paragraphs of one note, ids 1, 2 ...).
inline std::unique_ptr<Document> docWithBody(const std::string& body, const std::vector<std::string>& footnotes = {}) {
  DocParts parts;
  parts.body = body;
  parts.footnotes = footnotes;
  parts.lastSection = LastSection::NewDocument;
  return openDocument(parts);
}

/// The document saved to bytes and opened again.
inline std::unique_ptr<Document> reopen(Document& doc) {
  return Document::FromBytes(doc.package().toBytes(), doc.Name());
}

/// Each paragraph of a part (w:p elements anywhere, in document order), serialised.
inline std::vector<std::string> paragraphsXml(Document& doc, const std::string& part) {
  std::vector<std::string> out;
  for (pugi::xpath_node n : doc.package().xml(part).select_nodes("//w:p")) out.push_back(xmlOf(n.node()));
  return out;
}

/// The main part's body, serialised.
inline std::string bodyXml(Document& doc) {
  return xmlOf(doc.package().xml(doc.package().mainPartName()).document_element().child("w:body"));
}

/// A field result's lines, empty paragraphs left out.
inline std::vector<std::string> resultLines(const Field& field) {
  std::vector<std::string> out;
  std::stringstream text(field.Result().Text());
  std::string line;
  while (std::getline(text, line, '\r'))
    if (!line.empty()) out.push_back(line);
  return out;
}

}  // namespace host::testing
