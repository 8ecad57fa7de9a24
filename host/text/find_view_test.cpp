#include "host/text/find_view.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/model/indexes.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

// Every visible character maps to a story position holding it, in order, and back again;
// every story position maps to the first visible character at or after it.
void expectConsistent(Document& doc, const std::string& context) {
  Story& story = doc.Content().GetStory();
  StoryView& view = story.view();
  view.refresh(story, doc.viewSettings());
  std::vector<long> positions;
  for (std::size_t i = 0; i < view.size(); ++i) {
    long pos = view.position(story, i);
    ASSERT_TRUE(positions.empty() || pos > positions.back()) << context << ": character " << i;
    ASSERT_EQ(story.text(pos, pos + 1), view.text().substr(i, 1)) << context << ": character " << i;
    ASSERT_EQ(view.indexAt(story, pos), i) << context << ": character " << i;
    positions.push_back(pos);
  }
  for (long pos = 0; pos <= story.length(); ++pos) {
    auto expected = static_cast<std::size_t>(std::lower_bound(positions.begin(), positions.end(), pos) -
                                             positions.begin());
    ASSERT_EQ(view.indexAt(story, pos), expected) << context << ": position " << pos;
  }
  ASSERT_EQ(view.position(story, view.size()), story.length()) << context;
}

TEST(StoryView, HiddenTextAndFieldCodesAreLeftOutAndPositionsMapBothWays) {
  auto doc = openBody(para(run("ab") + run("XY", "<w:vanish/>") + run("cd")) +
                      para(fieldChar("begin") + fieldCode(" REF x ") + fieldChar("separate") + run("res") +
                           fieldChar("end") + run(" tail")) +
                      para(run("all hidden", "<w:vanish/>"), "<w:rPr><w:vanish/></w:rPr>") + para(run("last")));
  Story& story = doc->Content().GetStory();
  StoryView& view = story.view();
  view.refresh(story, doc->viewSettings());
  EXPECT_EQ(toUtf8(view.text()), "abcd\rres tail\rlast\r");
  EXPECT_EQ(view.position(story, 2), 4);  // "c", after the two hidden letters
  EXPECT_EQ(view.indexAt(story, 2), 2u);  // a hidden letter reads as the next visible one
  expectConsistent(*doc, "as opened");

  // Marking adds hidden fields: the visible text stays, the positions move.
  for (long at : {9L, 3L, 1L}) {
    doc->Indexes().MarkEntry(doc->Range(at, at), "Entry");
    expectConsistent(*doc, "after marking at " + std::to_string(at));
  }
  EXPECT_EQ(toUtf8(view.text()), "abcd\rres tail\rlast\r");

  doc->View().showHiddenText = true;
  doc->View().showFieldCodes = true;
  expectConsistent(*doc, "with hidden text and codes shown");
}

}  // namespace
}  // namespace host
