#include "host/model/shown_text.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace host::testing;

TEST(ShownText, HoldsWhatFindSeesWithTheStoryPositionOfEachCharacter) {
  // Hidden text and a field's code are not shown; the field's result and a table cell are.
  auto doc = openBody(para(run("Price ") + run("secret", "<w:vanish/>") + run("Date") + fieldChar("begin") +
                           fieldCode(" PAGE ") + fieldChar("separate") + run("7") + fieldChar("end")) +
                      table({{"Cell"}}));
  ShownText shown(doc->Content());
  EXPECT_EQ(toUtf8(shown.text()), "Price Date7\rCell\x07\x07");
  for (std::size_t i = 0; i < shown.text().size(); ++i) {
    Range one = doc->Content();
    one.SetRange(shown.position(i), shown.position(i) + 1);
    EXPECT_EQ(one.Characters16(), shown.text().substr(i, 1)) << i;
  }
  EXPECT_EQ(shown.position(6), 12);  // "Date" begins after the six hidden characters
  EXPECT_EQ(shown.position(shown.text().size()), doc->Content().End());
  EXPECT_EQ(shown.range(0, 10).Text(), "Price Date");
  EXPECT_EQ(shown.range(6, 10).Start(), 12);
}

TEST(ShownText, ReadsOnlyItsRangeAndRefusesPositionsAfterAnEdit) {
  auto doc = openBody(para(run("Alpha Beta")));
  Range beta = doc->Content();
  beta.SetRange(6, 10);
  ShownText shown(beta);
  EXPECT_EQ(toUtf8(shown.text()), "Beta");
  EXPECT_EQ(shown.position(0), 6);
  doc->Content().InsertBefore("x");
  try {
    shown.position(0);
    FAIL() << "a position after an edit";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrOutOfRange);
  }
}

TEST(RangeInformation, ThePageOfTheEndOfARangeAndOfANote) {
  auto doc = docWithBody(
      para(run("One")) + para(run("Two") + elementRun("<w:br w:type=\"page\"/>") + run("Three") + footnoteRef(1)),
      {para(run("Note"))});
  Range one = doc->Content();
  one.SetRange(0, 2);
  EXPECT_EQ(one.Information(wdActiveEndPageNumber), 1);
  Range three = doc->Content();
  three.SetRange(0, 10);  // ends inside "Three", after the page break
  EXPECT_EQ(three.Information(wdActiveEndPageNumber), 2);
  EXPECT_EQ(doc->StoryRanges().Item(wdFootnotesStory).Information(wdActiveEndPageNumber), 2);
  EXPECT_THROW(one.Information(1), Error);
}

}  // namespace
}  // namespace host
