#include "host/wml/run_content.h"

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::xmlOf;

TEST(RunContent, ParagraphsAndRunsGoInTheirPlaceAndHoldTextAndMarks) {
  pugi::xml_document doc;
  ASSERT_TRUE(
      doc.load_string("<v:body xmlns:v=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                      "<v:sectPr/></v:body>"));
  Wml w = Wml::of(doc);
  pugi::xml_node body = doc.document_element();
  pugi::xml_node p = insertParagraph(w, body, body.first_child());
  pugi::xml_node second = insertRun(w, p, {});
  pugi::xml_node first = insertRun(w, p, second);
  appendRunText(w, first, " a  b ");
  for (RunMark m : {RunMark::Tab, RunMark::LineBreak, RunMark::PageBreak, RunMark::ColumnBreak, RunMark::NoBreakHyphen,
                    RunMark::SoftHyphen})
    appendRunMark(w, second, m);
  EXPECT_EQ(
      xmlOf(body),
      "<v:body xmlns:v=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><v:p>"
      "<v:r><v:t xml:space=\"preserve\"> a  b </v:t></v:r>"
      "<v:r><v:tab/><v:br/><v:br v:type=\"page\"/><v:br v:type=\"column\"/><v:noBreakHyphen/><v:softHyphen/></v:r>"
      "</v:p><v:sectPr/></v:body>");
}

}  // namespace
}  // namespace host
