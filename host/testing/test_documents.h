#pragma once
// Small documents for tests, written as WordprocessingML fragments.

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/document.h"
#include "host/docx_builder.h"
#include "host/package.h"

namespace host::testing {

/// A paragraph of the given runs (and optional paragraph properties).
inline std::string para(const std::string& runs, const std::string& pPr = "") {
  return "<w:p>" + (pPr.empty() ? "" : "<w:pPr>" + pPr + "</w:pPr>") + runs + "</w:p>";
}

/// A run of text with optional run properties.
inline std::string run(const std::string& text, const std::string& rPr = "") {
  return "<w:r>" + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") + "<w:t xml:space=\"preserve\">" + text +
         "</w:t></w:r>";
}

/// A footnote reference to the footnote with that id.
inline std::string footnoteRef(int id) {
  return "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteReference w:id=\"" +
         std::to_string(id) + "\"/></w:r>";
}

namespace detail {
inline void replaceChildren(pugi::xml_node parent, const std::string& xml, pugi::xml_node keepAfter = {}) {
  pugi::xml_document fragment;
  fragment.load_string(("<root xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" + xml +
                        "</root>").c_str(),
                       pugi::parse_default | pugi::parse_ws_pcdata_single);
  for (pugi::xml_node n : fragment.document_element().children())
    keepAfter ? parent.insert_copy_before(n, keepAfter) : parent.append_copy(n);
}
}  // namespace detail

/// A document whose body is the given paragraphs (its section properties kept), with the
/// given footnotes (each the paragraphs of one note, ids 1, 2 ...).
inline std::unique_ptr<Document> docWithBody(const std::string& body, const std::vector<std::string>& footnotes = {}) {
  DocxBuilder builder;
  builder.addRun("x");
  auto package = Package::fromBytes(builder.toBytes(), "test.docx");
  pugi::xml_document& xml = package->xml(package->mainPartName());
  pugi::xml_node bodyNode = xml.document_element().child("w:body");
  pugi::xml_node sectPr = bodyNode.child("w:sectPr");
  while (bodyNode.first_child() != sectPr) bodyNode.remove_child(bodyNode.first_child());
  detail::replaceChildren(bodyNode, body, sectPr);
  package->markDirty(package->mainPartName());

  const std::string notesPart = "word/footnotes.xml";
  pugi::xml_node notes = package->xml(notesPart).document_element();
  for (pugi::xml_node n = notes.first_child(); n;) {
    pugi::xml_node next = n.next_sibling();
    if (std::string(n.attribute("w:type").value()).empty()) notes.remove_child(n);
    n = next;
  }
  for (std::size_t i = 0; i < footnotes.size(); ++i)
    detail::replaceChildren(notes, "<w:footnote w:id=\"" + std::to_string(i + 1) + "\">" + footnotes[i] + "</w:footnote>");
  package->markDirty(notesPart);
  return Document::FromBytes(package->toBytes(), "test.docx");
}

}  // namespace host::testing
