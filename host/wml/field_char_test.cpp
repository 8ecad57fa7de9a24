#include "host/wml/field_char.h"

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::xmlOf;

TEST(FieldChar, WritesAndReadsTheThreeMarks) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      "<v:r xmlns:v=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><v:fldChar v:fldCharType=\"middle\"/></v:r>"));
  Wml w = Wml::of(doc);
  pugi::xml_node run = doc.document_element();
  EXPECT_EQ(fieldCharOf(w, run.first_child()), std::nullopt);
  for (FieldChar kind : {FieldChar::Begin, FieldChar::Separate, FieldChar::End})
    EXPECT_EQ(fieldCharOf(w, appendFieldChar(w, run, kind)), kind);
  EXPECT_EQ(
      xmlOf(run),
      "<v:r xmlns:v=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><v:fldChar v:fldCharType=\"middle\"/>"
      "<v:fldChar v:fldCharType=\"begin\"/><v:fldChar v:fldCharType=\"separate\"/><v:fldChar v:fldCharType=\"end\"/></v:r>");
}

TEST(FieldChar, FieldCodeKeepsItsSpaces) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string("<w:r xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>"));
  Wml w = Wml::of(doc);
  pugi::xml_node run = doc.document_element();
  appendFieldCode(w, run, " PAGE  ");
  EXPECT_EQ(xmlOf(run),
            "<w:r xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
            "<w:instrText xml:space=\"preserve\"> PAGE  </w:instrText></w:r>");
}

}  // namespace
}  // namespace host
