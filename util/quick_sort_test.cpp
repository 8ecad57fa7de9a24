#include "util/quick_sort.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

namespace util {
namespace {

using Strings = std::vector<std::string>;

TEST(QuickSort, CapitalsSortBeforeSmallLetters) {
  Strings terms{"b", "B", "a", "A"};
  QuickSort(terms, 0, 3);
  EXPECT_EQ(terms, (Strings{"A", "B", "a", "b"}));
}

TEST(QuickSort, RangesOfOneOrOfTwoEqualElementsStayAsTheyAre) {
  Strings one{"z", "a"};
  QuickSort(one, 0, 0);
  EXPECT_EQ(one, (Strings{"z", "a"}));
  Strings equal{"Term", "Term", "0"};
  QuickSort(equal, 0, 1);
  EXPECT_EQ(equal, (Strings{"Term", "Term", "0"}));
  Strings empty;
  QuickSort(empty, 0, -1);
  EXPECT_TRUE(empty.empty());
}

TEST(QuickSort, OnlyTheGivenSubRangeIsSorted) {
  Strings terms{"e", "d", "c", "b", "a"};
  QuickSort(terms, 1, 3);
  EXPECT_EQ(terms, (Strings{"e", "b", "c", "d", "a"}));
}

TEST(QuickSort, BoundsOutsideTheArrayAreRefused) {
  Strings terms{"a", "b"};
  EXPECT_THROW(QuickSort(terms, 0, 2), std::out_of_range);
  EXPECT_THROW(QuickSort(terms, -1, 1), std::out_of_range);
}

TEST(QuickSort, AgreesWithAStableSortOnManyDuplicates) {
  std::mt19937 random(7);
  const Strings alphabet{"Agreement", "agreement", "Term", "Terms", "", "Z", "\xC3\xA9t\xC3\xA9", "AGREEMENT"};
  for (int round = 0; round < 50; ++round) {
    Strings terms(random() % 40);
    for (auto& term : terms) term = alphabet[random() % alphabet.size()];
    Strings expected = terms;
    std::stable_sort(expected.begin(), expected.end(), OrdinalLess);
    QuickSort(terms, 0, static_cast<int>(terms.size()) - 1);
    EXPECT_EQ(terms, expected);
  }
}

TEST(OrdinalLess, ComparesUtf16CodeUnitsNotCodePoints) {
  const std::string fullwidthBang = "\xEF\xBC\x81";  // U+FF01, one code unit
  const std::string emoji = "\xF0\x9F\x98\x80";      // U+1F600, surrogates D83D DE00
  EXPECT_TRUE(OrdinalLess(emoji, fullwidthBang)) << "D83D < FF01";
  EXPECT_FALSE(OrdinalLess(fullwidthBang, emoji));
  EXPECT_TRUE(OrdinalLess("z", "\xC3\xA9")) << "z (7A) before e acute (E9)";
  EXPECT_TRUE(OrdinalLess("Term", "Terms"));
  EXPECT_FALSE(OrdinalLess("Term", "Term"));
}

TEST(PivotIndex, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(PivotIndex(0, 1), 0);
  EXPECT_EQ(PivotIndex(1, 2), 2);
  EXPECT_EQ(PivotIndex(2, 3), 2);
  EXPECT_EQ(PivotIndex(3, 4), 4);
  EXPECT_EQ(PivotIndex(0, 4), 2);
}

}  // namespace
}  // namespace util
