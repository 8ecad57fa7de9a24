#include "host/dump/dump.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

TEST(Dump, EachStoryWithTypeLengthAndOneLinePerParagraph) {
  DocParts parts;
  parts.body = para(run("a") + elementRun("<w:tab/>") + run("b") + fieldChar("begin") + fieldCode(" PAGE ") +
                    fieldChar("separate") + run("1") + fieldChar("end") +
                    elementRun("<w:footnoteReference w:id=\"1\"/>")) +
               table({{"c", "d"}}) +
               para(elementRun("<w:br/>") + "<w:fldSimple w:instr=\" XE x \"/>" + fieldChar("begin") +
                    fieldCode(" XE \"T\" ") + fieldChar("end"));
  parts.footnotes = {para(run("note"))};
  auto doc = openDocument(parts);
  EXPECT_EQ(dumpDocument(*doc),
            "story 1 (main text), length 41\n"
            "  a\\tb{ PAGE }1[note]\n"
            "  c [cell]\n"
            "  d [cell]\n"
            "  [row]\n"
            "  [br]{ XE x }{ XE \"T\" }\n"
            "story 2 (footnotes), length 5\n"
            "  note\n");
}

TEST(Dump, StoryTypeNames) {
  EXPECT_EQ(storyTypeName(wdMainTextStory), "main text");
  EXPECT_EQ(storyTypeName(wdEndnotesStory), "endnotes");
  EXPECT_EQ(storyTypeName(wdFirstPageFooterStory), "first page footer");
  EXPECT_EQ(storyTypeName(42), "story 42");
  EXPECT_EQ(storyTypeName(0), "story 0");
}

}  // namespace
}  // namespace host
