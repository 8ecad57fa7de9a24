#include "host/wml/paragraph_properties.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::childrenXmlOf;
using testing::xmlOf;

const std::string kDeclare = std::string("xmlns:w=\"") + kMainNamespace + "\"";

// The paragraph after op on its properties, written as the part would be saved.
std::string after(const std::string& pPr, const std::function<void(const ParagraphProperties&)>& op) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(("<w:p " + kDeclare + ">" + pPr + "<w:r/></w:p>").c_str()));
  Wml w = Wml::of(doc);
  op(ParagraphProperties::of(w, doc.document_element(), true));
  return childrenXmlOf(doc.document_element());
}

struct Case {
  const char* behaviour;
  std::string before;
  std::function<void(const ParagraphProperties&)> op;
  std::string expected;
};

TEST(ParagraphProperties, WritesEachPropertyInSchemaOrder) {
  const std::vector<Case> cases = {
      {"properties are created as the paragraph's first child", "", [](auto& p) { p.setStyle("Index1"); },
       "<w:pPr><w:pStyle w:val=\"Index1\"/></w:pPr><w:r/>"},
      {"space before replaces automatic spacing, keeps the rest",
       "<w:pPr><w:spacing w:beforeAutospacing=\"1\" w:after=\"120\"/></w:pPr>", [](auto& p) { p.setSpaceBefore(240); },
       "<w:pPr><w:spacing w:after=\"120\" w:before=\"240\"/></w:pPr><w:r/>"},
      {"space after likewise", "<w:pPr><w:spacing w:afterAutospacing=\"1\"/></w:pPr>",
       [](auto& p) { p.setSpaceAfter(0); }, "<w:pPr><w:spacing w:after=\"0\"/></w:pPr><w:r/>"},
      {"style, indent and alignment around the mark and section properties",
       "<w:pPr><w:rPr><w:b/></w:rPr><w:sectPr/></w:pPr>",
       [](auto& p) {
         p.setJustification(Justification::Both);
         p.setIndentLeft(480);
         p.setStyle("Body");
       },
       "<w:pPr><w:pStyle w:val=\"Body\"/><w:ind w:left=\"480\"/><w:jc w:val=\"both\"/><w:rPr><w:b/></w:rPr><w:sectPr/></w:pPr><w:r/>"},
      {"out of order: a new property goes before the first one that belongs after it",
       "<w:pPr><w:jc w:val=\"left\"/><w:pStyle w:val=\"A\"/></w:pPr>", [](auto& p) { p.setSpaceAfter(60); },
       "<w:pPr><w:spacing w:after=\"60\"/><w:jc w:val=\"left\"/><w:pStyle w:val=\"A\"/></w:pPr><w:r/>"},
      {"numbering off is a list of id 0, after the level",
       "<w:pPr><w:numPr><w:ilvl w:val=\"1\"/></w:numPr><w:jc w:val=\"left\"/></w:pPr>",
       [](auto& p) { p.switchOffNumbering(); },
       "<w:pPr><w:numPr><w:ilvl w:val=\"1\"/><w:numId w:val=\"0\"/></w:numPr><w:jc w:val=\"left\"/></w:pPr><w:r/>"},
      {"removing numbering drops the list", "<w:pPr><w:numPr><w:numId w:val=\"3\"/></w:numPr></w:pPr>",
       [](auto& p) { p.removeNumbering(); }, "<w:pPr/><w:r/>"},
      {"a section break goes before a record of changes", "<w:pPr><w:pPrChange/></w:pPr>",
       [](auto& p) { p.sectionBreak(true); }, "<w:pPr><w:sectPr/><w:pPrChange/></w:pPr><w:r/>"},
  };
  for (const Case& c : cases) EXPECT_EQ(after(c.before, c.op), c.expected) << c.behaviour;
}

TEST(ParagraphProperties, ACopyForASplitParagraphLeavesTheSectionBreakAndChangesBehind) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      ("<w:body " + kDeclare +
       "><w:p><w:pPr><w:pStyle w:val=\"A\"/><w:sectPr><w:cols/></w:sectPr><w:pPrChange/></w:pPr></w:p></w:body>")
          .c_str()));
  Wml w = Wml::of(doc);
  pugi::xml_node p = w.child(doc.document_element(), "p");
  pugi::xml_node fresh = doc.document_element().prepend_child("w:p");
  ParagraphProperties copy = ParagraphProperties::of(w, p, false).copyInto(fresh);
  EXPECT_EQ(
      xmlOf(doc.document_element()),
      "<w:body " + kDeclare +
          "><w:p><w:pPr><w:pStyle w:val=\"A\"/></w:pPr></w:p><w:p><w:pPr><w:pStyle w:val=\"A\"/><w:sectPr><w:cols/>"
          "</w:sectPr><w:pPrChange/></w:pPr></w:p></w:body>");
  EXPECT_EQ(copy.node(), fresh.first_child());
  EXPECT_FALSE(copy.sectionBreak(false));
  EXPECT_TRUE(ParagraphProperties::of(w, p, false).sectionBreak(false));
}

}  // namespace
}  // namespace host
