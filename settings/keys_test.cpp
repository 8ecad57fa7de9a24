#include "settings/keys.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings/locations.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

TEST(FirstRun, AllSixteenDefaultsInOrderAndTheSeparatorKeepsItsQuotes) {
  const fs::path folder = fs::path(::testing::TempDir()) /
                          ("vlx_first_run_" + std::to_string(getpid()));  // tests may run in parallel
  fs::remove_all(folder);
  fs::create_directories(folder);
  SetIniPath(folder.string());
  for (const Setting& setting : kFirstRunDefaults) EXPECT_NE(fncWriteIni(kSection, setting.key, setting.value), 0);
  std::ifstream in(Location().strIniPath());
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "[Defaults]\nSearchType=SearchFlagged\nBold=False\nHighlight=True\nIgnoreWordsWithNums=True\n"
            "CaseSensitive=True\nIndexAllCaps=True\nOpenQuote=147\nCloseQuote=148\nIndexCols=2\n"
            "IndexSep=\":  {TAB}\"\nIncludeNotUsed=True\nIncludeNotFound=True\nShowFormatReminder=True\n"
            "ShowSearchChooser=True\nShowHelp=True\nIndexWhat=IndexAll\n");
  const IndexSeparator separator = DecodeIndexSep(fncReadIni(kSection, kIndexSep));
  EXPECT_EQ(separator.text, ":  ");
  EXPECT_TRUE(separator.tab);
  SetIniPath("");
  fs::remove_all(folder);
}

TEST(IndexSep, WithoutTheMarkerTheWholeValueIsTheSeparator) {
  const IndexSeparator separator = DecodeIndexSep(", ");
  EXPECT_EQ(separator.text, ", ");
  EXPECT_FALSE(separator.tab);
}

TEST(IndexSep, TextAfterTheMarkerIsDroppedOnTheNextSave) {
  const IndexSeparator separator = DecodeIndexSep(" - {TAB}pp.{TAB}");
  EXPECT_EQ(separator.text, " - ");
  EXPECT_TRUE(separator.tab);
  EXPECT_EQ(EncodeIndexSep(separator.text, separator.tab), "\" - {TAB}\"");
  EXPECT_EQ(EncodeIndexSep(", ", false), "\", \"");
}

TEST(Booleans, OnlyTheExactWordTrueIsTrue) {
  EXPECT_TRUE(IsTrue("True"));
  EXPECT_FALSE(IsTrue("true"));
  EXPECT_FALSE(IsTrue("TRUE"));
  EXPECT_FALSE(IsTrue(""));
  EXPECT_FALSE(IsTrue("Null"));
  EXPECT_STREQ(BoolText(false), "False");
}

TEST(QuoteCharacter, TheOfferedCodesMapThroughWindows1252) {
  EXPECT_EQ(QuoteCharacter(147), "\xE2\x80\x9C");
  EXPECT_EQ(QuoteCharacter(148), "\xE2\x80\x9D");
  EXPECT_EQ(QuoteCharacter(132), "\xE2\x80\x9E");
  EXPECT_EQ(QuoteCharacter(171), "\xC2\xAB");
  EXPECT_EQ(QuoteCharacter(187), "\xC2\xBB");
  EXPECT_EQ(QuoteCharacter(34), "\"");
  EXPECT_EQ(QuoteCharacter(129), "") << "undefined in the code page";
  EXPECT_EQ(QuoteCharacter(0), "");
  EXPECT_EQ(QuoteCharacter(300), "");
}

TEST(QuoteCodes, OnlyADecimalNumberIsACode) {
  EXPECT_EQ(QuoteCodeOf("147"), 147);
  EXPECT_EQ(QuoteCodeOf(" 34 "), 34);
  EXPECT_EQ(QuoteCodeOf(""), std::nullopt);
  EXPECT_EQ(QuoteCodeOf("   "), std::nullopt);
  EXPECT_EQ(QuoteCodeOf("abc"), std::nullopt);
  EXPECT_EQ(QuoteCodeOf("14 7"), std::nullopt);
  EXPECT_EQ(QuoteCodeOf("-147"), std::nullopt);
  EXPECT_EQ(QuoteCodeOf("9999999999"), std::nullopt);
}

}  // namespace
}  // namespace settings
