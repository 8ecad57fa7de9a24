// Edits patch a paragraph's character map instead of re-reading the paragraph, and keep the
// maps of paragraphs they did not touch; whatever they do, every map must be exactly what a
// fresh reading gives.
#include <gtest/gtest.h>

#include <random>

#include "host/text/charmap.h"
#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/model/fields.h"
#include "host/model/indexes.h"
#include "host/text/story.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

void expectSameMap(const CharMap& patched, const CharMap& fresh, const std::string& context) {
  ASSERT_EQ(toUtf8(patched.text), toUtf8(fresh.text)) << context;
  ASSERT_EQ(patched.segments.size(), fresh.segments.size()) << context;
  for (std::size_t i = 0; i < fresh.segments.size(); ++i) {
    const Segment &a = patched.segments[i], &b = fresh.segments[i];
    ASSERT_TRUE(a.kind == b.kind && a.start == b.start && a.length == b.length && a.node == b.node && a.run == b.run &&
                a.hidden == b.hidden && a.inCode == b.inCode && a.codeAfter == b.codeAfter)
        << context << ": segment " << i;
  }
  ASSERT_EQ(patched.anchors.size(), fresh.anchors.size()) << context;
  for (std::size_t i = 0; i < fresh.anchors.size(); ++i) {
    ASSERT_EQ(patched.anchors[i].node, fresh.anchors[i].node) << context;
    ASSERT_EQ(patched.anchors[i].offset, fresh.anchors[i].offset) << context;
  }
}

void expectMapsFresh(Story& story, const std::string& context) {
  for (std::size_t b = 0; b < story.blocks().size(); ++b) {
    const Block& block = story.blocks()[b];
    if (block.rowEnd) continue;
    expectSameMap(story.map(b), buildParagraphMap(block.node, block.cellEnd, story.wml(), story.styles()),
                  context + ", paragraph " + std::to_string(b));
  }
  long total = 0;
  for (std::size_t b = 0; b < story.blocks().size(); ++b) total += story.map(b).length();
  ASSERT_EQ(story.length(), total) << context;
}

TEST(MapPatches, MarkingEditsLeaveMapsAsAFreshReadingWouldMakeThem) {
  const std::string body =
      para(run("The Purchase Price") + run(" is ", "<w:b/>") + elementRun("<w:tab/>") + run("payable") +
        "<w:bookmarkStart w:id=\"1\" w:name=\"b\"/>" + run("on Completion") + "<w:bookmarkEnd w:id=\"1\"/>" +
        run(" hidden", "<w:vanish/>") + run(" and after it")) +
      para(fieldChar("begin") + fieldCode(" REF b ") + fieldChar("separate") + run("Result text") + fieldChar("end") + run(" then more words")) +
      para("<w:hyperlink w:anchor=\"b\">" + run("linked Term here") + "</w:hyperlink>" + run("tail") +
        "<w:r><w:t>multi</w:t><w:tab/><w:t>part run</w:t><w:lastRenderedPageBreak/><w:t>again</w:t></w:r>") +
      para("<w:fldSimple w:instr=\" PAGE \">" + run("7") + "</w:fldSimple>" + run(" simple field after")) +
      table({{"cell one text", "cell two"}}) + para(run("Last paragraph of the story"));
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    auto doc = openBody(body);
    Story& story = doc->Content().GetStory();
    for (int step = 0; step < 12; ++step) {
      long length = story.length();
      long a = std::uniform_int_distribution<long>(0, length - 1)(rng);
      long b = std::min(length - 1, a + std::uniform_int_distribution<long>(0, 9)(rng));
      std::string context = "round " + std::to_string(round) + " step " + std::to_string(step) + " [" +
                            std::to_string(a) + "," + std::to_string(b) + ")";
      Range range = doc->Range(a, b);
      try {
        switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
          case 0: range.SetHighlightColorIndex(6); break;
          case 1: range.Font().SetColor(0xF3F3F3); break;
          case 2: range.Font().SetHidden(step % 2 ? kTrue : kFalse); break;
          default: doc->Indexes().MarkEntry(range, "Entry \"" + std::to_string(step) + "\"", "\\f \"X\""); break;
        }
      } catch (const Error&) {
        continue;  // some places take no insertion (inside a simple field's code); nothing changed
      }
      expectMapsFresh(story, context);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(MapPatches, RewritingAnIndexLeavesNoMapOfARemovedParagraph) {
  // Index lines are removed and new ones written at each update; a new paragraph that takes
  // a removed one's memory must not be taken for it.
  std::string body;
  for (int i = 0; i < 800; ++i) {
    std::string term = "Term " + std::to_string(i);
    body += para(run("The " + term + " applies.") + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>" +
                 "<w:r><w:instrText xml:space=\"preserve\"> XE \"" + term + "\" </w:instrText></w:r>" +
                 "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>");
  }
  auto doc = openBody(body + "<w:p/>");
  Story& story = doc->Content().GetStory();
  long at = doc->Content().End() - 1;
  Field index = doc->Fields().Add(doc->Range(at, at), wdFieldEmpty, "INDEX \\c \"2\"", false);
  for (int round = 0; round < 4; ++round) {
    index.Update();
    expectMapsFresh(story, "update " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
    doc->Indexes().MarkEntry(doc->Range(4, 8), "Added " + std::to_string(round));
  }
}

}  // namespace
}  // namespace host
