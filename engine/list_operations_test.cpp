#include <gtest/gtest.h>

#include "engine/cls_osvlx_lib.h"
#include "host/testing/test_documents.h"

namespace engine {
namespace {

using host::testing::docWithBody;
using host::testing::para;
using host::testing::run;

TEST(IdentifyTerm, AddsNewTermsAndStepsPastRepeats) {
  clsOSVLXLib engine;
  auto doc = docWithBody(para(run("Term term Term")));
  std::vector<std::string> list{""};
  std::string type = "IndexAll";
  host::Range r = doc->Range(0, 4);
  engine.fncIdentifyTerm(r, list, type);
  EXPECT_EQ(list, (std::vector<std::string>{"Term", ""}));
  host::Range other = doc->Range(5, 9);
  engine.fncIdentifyTerm(other, list, type);  // another case is another term
  EXPECT_EQ(list, (std::vector<std::string>{"Term", "term", ""}));
  host::Range repeat = doc->Range(10, 14);
  std::vector<std::string> result = engine.fncIdentifyTerm(repeat, list, type);
  EXPECT_EQ(result, list);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(repeat.Start(), 15);  // an empty range one past the old end
  EXPECT_EQ(repeat.End(), 15);
}

TEST(IdentifyTerm, EmptyAndBlankRanges) {
  clsOSVLXLib engine;
  auto doc = docWithBody(para(run("a   b")));
  std::vector<std::string> list{""};
  std::string type;
  host::Range empty = doc->Range(1, 1);
  engine.fncIdentifyTerm(empty, list, type);
  EXPECT_EQ(list, std::vector<std::string>{""});
  EXPECT_EQ(empty.Start(), 1);
  host::Range blank = doc->Range(1, 4);  // spaces trim to "", which the spare element matches
  engine.fncIdentifyTerm(blank, list, type);
  EXPECT_EQ(list, std::vector<std::string>{""});
  EXPECT_EQ(blank.Start(), 5);
}

TEST(CounterArray, OneRowPerTermCountingFromZero) {
  clsOSVLXLib engine;
  host::Application app;
  auto doc = docWithBody(para(run("x")));
  EXPECT_EQ(engine.fncBuildCounterArray(app, *doc, {"Term"}, true), (CounterArray{{"Term", 0}}));
}

TEST(ListSort, LongestFirstInPlaceAndAsACopy) {
  clsOSVLXLib engine;
  std::vector<std::string> list{"a", "bbb", "cc"};
  EXPECT_EQ(engine.fncListSort(list), (std::vector<std::string>{"bbb", "cc", "a"}));
  EXPECT_EQ(list, (std::vector<std::string>{"bbb", "cc", "a"}));
  std::vector<std::string> unstable{"x", "y", "ab"};
  EXPECT_EQ(engine.fncListSort(unstable), (std::vector<std::string>{"ab", "y", "x"}));
  std::vector<std::string> withEmpty{"", "Term", "Agreed Term", "Terms"};
  EXPECT_EQ(engine.fncListSort(withEmpty), (std::vector<std::string>{"Agreed Term", "Terms", "Term", ""}));
  // Length is counted in characters, not bytes.
  std::vector<std::string> accented{"Soci\xC3\xA9t\xC3\xA9", "Companys"};
  EXPECT_EQ(engine.fncListSort(accented)[0], "Companys");
}

TEST(NotUsedNotFound, TermsUsedOnceAndTermsNotFound) {
  clsOSVLXLib engine;
  auto strings = engine.fncBuildNotUsedNotFoundStrings({{"A", 0}, {"B", 1}, {"C", 2}, {"D", 1}});
  EXPECT_EQ(strings[0], "B\r\nD");
  EXPECT_EQ(strings[1], "A");
  auto none = engine.fncBuildNotUsedNotFoundStrings({{"A", 2}, {"B", 2}});
  EXPECT_EQ(none[0], "None");
  EXPECT_EQ(none[1], "None");
}

}  // namespace
}  // namespace engine
