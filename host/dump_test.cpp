#include "host/dump.h"

#include <gtest/gtest.h>

#include "host/document.h"
#include "host/test_docs.h"

namespace host {
namespace {

using namespace testdocs;

TEST(Dump, EachStoryWithTypeLengthAndOneLinePerParagraph) {
  DocParts parts;
  parts.body = p(r("a") + rEl("<w:tab/>") + r("b") + fld("begin") + code(" PAGE ") + fld("separate") + r("1") + fld("end") +
                rEl("<w:footnoteReference w:id=\"1\"/>")) +
              table({{"c", "d"}}) +
              p(rEl("<w:br/>") + "<w:fldSimple w:instr=\" XE x \"/>" + fld("begin") + code(" XE \"T\" ") + fld("end"));
  parts.footnotes = {p(r("note"))};
  auto doc = open(parts);
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
