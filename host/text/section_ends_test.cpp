#include "host/text/section_ends.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

const std::string kBreak = "<w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>";

TEST(SectionEnds, EachBreakEndsASectionAndTheBodyClosesTheLast) {
  // Blocks: a, the row's cell and row end, b (a break), c; then the body's own section.
  auto doc = openBody(para(run("a")) + table({{"x"}}) + para(run("b"), kBreak) + para(run("c")) +
                      "<w:sectPr><w:pgNumType w:start=\"3\"/></w:sectPr>");
  const Story& main = doc->mainStory();
  std::vector<SectionEnd> ends = sectionEnds(main);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].block, 3u);
  EXPECT_EQ(xmlOf(ends[0].sectPr), kBreak);
  EXPECT_EQ(ends[1].block, main.blocks().size());
  EXPECT_EQ(ends[1].sectPr, main.roots().front().child("w:sectPr"));
}

TEST(SectionEnds, ABodyWithoutPropertiesStillHasItsLastSection) {
  auto doc = openBody(para(run("a"), kBreak) + para(run("b")));
  const Story& main = doc->mainStory();
  pugi::xml_node body = main.roots().front();
  body.remove_child(body.child("w:sectPr"));
  std::vector<SectionEnd> ends = sectionEnds(main);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].block, 0u);
  EXPECT_EQ(ends[1].block, 2u);
  EXPECT_FALSE(ends[1].sectPr);
}

TEST(SectionEnds, ARowEndIsNoParagraphAndEndsNoSection) {
  // Properties the format does not allow in a row: the row's end mark stays a row end.
  auto doc = openBody("<w:tbl><w:tr><w:pPr>" + kBreak + "</w:pPr><w:tc>" + para(run("x")) + "</w:tc></w:tr></w:tbl>" +
                      para(""));
  ASSERT_TRUE(doc->mainStory().blocks()[1].rowEnd);
  EXPECT_EQ(sectionEnds(doc->mainStory()).size(), 1u);
}

}  // namespace
}  // namespace host
