#include "host/wml/style_definition.h"

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::xmlOf;

TEST(StyleDefinition, RunPropertiesOfATableStyleGoBeforeItsTableProperties) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      "<w:style xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" w:type=\"table\">"
      "<w:name w:val=\"Grid\"/><w:pPr/><w:tblPr/><w:tcPr/><w:tblStylePr w:type=\"firstRow\"><w:rPr/></w:tblStylePr>"
      "</w:style>"));
  Wml w = Wml::of(doc);
  StyleDefinition style(w, doc.document_element());
  EXPECT_FALSE(style.runProperties(false));
  style.runProperties(true).setToggle(Toggle::Caps, true);
  EXPECT_EQ(style.runProperties(true).node(), style.runProperties(false).node()) << "created once";
  EXPECT_EQ(xmlOf(doc.document_element()),
            "<w:style xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" w:type=\"table\">"
            "<w:name w:val=\"Grid\"/><w:pPr/><w:rPr><w:caps/></w:rPr><w:tblPr/><w:tcPr/>"
            "<w:tblStylePr w:type=\"firstRow\"><w:rPr/></w:tblStylePr></w:style>");
}

TEST(StyleDefinition, RunPropertiesOfAStyleWithoutFormattingComeLast) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      "<w:style xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" w:type=\"character\">"
      "<w:name w:val=\"Term\"/><w:basedOn w:val=\"Base\"/><w:qFormat/></w:style>"));
  Wml w = Wml::of(doc);
  StyleDefinition(w, doc.document_element()).runProperties(true).setToggle(Toggle::Bold, true);
  EXPECT_EQ(xmlOf(doc.document_element()),
            "<w:style xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" w:type=\"character\">"
            "<w:name w:val=\"Term\"/><w:basedOn w:val=\"Base\"/><w:qFormat/><w:rPr><w:b/></w:rPr></w:style>");
}

}  // namespace
}  // namespace host
