#include "host/parse/numerals.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(RomanNumeral, WritesEachSubtractivePairAndTheLargestNumber) {
  const std::pair<int, const char*> cases[] = {{1, "i"},           {3, "iii"},
                                               {4, "iv"},          {5, "v"},
                                               {9, "ix"},          {14, "xiv"},
                                               {40, "xl"},         {49, "xlix"},
                                               {90, "xc"},         {400, "cd"},
                                               {900, "cm"},        {1994, "mcmxciv"},
                                               {2024, "mmxxiv"},   {3888, "mmmdccclxxxviii"},
                                               {3999, "mmmcmxcix"}};
  for (auto [n, roman] : cases) EXPECT_EQ(romanNumeral(n, false), roman) << n;
  EXPECT_EQ(romanNumeral(1994, true), "MCMXCIV");
}

TEST(RomanNumeral, NumbersTheNumeralsCannotWriteStayDecimal) {
  EXPECT_EQ(romanNumeral(0, false), "0");
  EXPECT_EQ(romanNumeral(-3, true), "-3");
  EXPECT_EQ(romanNumeral(4000, false), "4000");
  EXPECT_EQ(romanNumeral(4000, true), "4000");
}

}  // namespace
}  // namespace host
