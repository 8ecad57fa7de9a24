#include "settings/ini_text.h"

#include <gtest/gtest.h>

namespace settings {
namespace {

const char* const kFile =
    "; written by hand\n"
    "[Other]\n"
    "CloseQuote=1\n"
    "\n"
    "[Defaults]\n"
    "  CloseQuote = 148 \n"
    "IndexSep=\":  {TAB}\"\n"
    "closequote=999\n"
    "\n"
    "[Later]\n"
    "Key=Value\n";

TEST(IniLookup, NamesMatchRegardlessOfCaseAndTheFirstMatchWins) {
  EXPECT_EQ(IniLookup(kFile, "Defaults", "closeQuote"), "148");
  EXPECT_EQ(IniLookup(kFile, "DEFAULTS", "CloseQuote"), "148");
  EXPECT_EQ(IniLookup(kFile, "Other", "CloseQuote"), "1");
  EXPECT_EQ(IniLookup(kFile, "Defaults", "Key"), std::nullopt) << "a key of another section";
  EXPECT_EQ(IniLookup(kFile, "Missing", "Key"), std::nullopt);
}

TEST(IniLookup, OnePairOfSurroundingQuotesIsStripped) {
  EXPECT_EQ(IniLookup(kFile, "Defaults", "IndexSep"), ":  {TAB}");
  EXPECT_EQ(IniLookup("[s]\nk=\"\"x\"\"\n", "s", "k"), "\"x\"");
  EXPECT_EQ(IniLookup("[s]\nk=\"\n", "s", "k"), "\"");
  EXPECT_EQ(IniLookup("[s]\nk=\"a\" b\n", "s", "k"), "\"a\" b") << "quotes not around the whole value stay";
  EXPECT_EQ(IniLookup("[s]\nk=\n", "s", "k"), "");
}

TEST(IniLookup, ValuesAreCutTo254CharactersNeverInsideACharacter) {
  EXPECT_EQ(IniLookup("[s]\nk=" + std::string(300, 'a') + "\n", "s", "k")->size(), 254u);
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "\xC3\xA9";
  EXPECT_EQ(*IniLookup("[s]\nk=" + accents + "\n", "s", "k"), accents.substr(0, 508));
}

TEST(IniLookup, ToleratesByteOrderMarkCarriageReturnsAndGarbage) {
  EXPECT_EQ(IniLookup("\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k"), "v");
  EXPECT_EQ(IniLookup(std::string("\0\xFF[\n=\n]]\n[s\nk=v", 15), "s", "k"), std::nullopt);
}

TEST(IniUpdate, RewritesAnExistingKeyInPlaceAndKeepsEverythingElse) {
  const std::string updated = *IniUpdate(kFile, "defaults", "CLOSEQUOTE", "187");
  std::string expected = kFile;
  expected.replace(expected.find("  CloseQuote = 148 "), 19, "  CloseQuote =187");
  EXPECT_EQ(updated, expected);
}

TEST(IniUpdate, ANewKeyEndsItsSectionAndANewSectionEndsTheFile) {
  EXPECT_EQ(*IniUpdate("[Defaults]\nA=1\n\n[Later]\nB=2\n", "Defaults", "C", "3"),
            "[Defaults]\nA=1\nC=3\n\n[Later]\nB=2\n");
  EXPECT_EQ(*IniUpdate("[Later]\nB=2", "Defaults", "C", "3"), "[Later]\nB=2\n\n[Defaults]\nC=3\n");
  EXPECT_EQ(*IniUpdate("[Defaults]", "Defaults", "C", "3"), "[Defaults]\nC=3");
  EXPECT_EQ(*IniUpdate("", "Defaults", "SearchType", "SearchFlagged"), "[Defaults]\nSearchType=SearchFlagged\n");
}

TEST(IniUpdate, KeepsWindowsLineEndingsAndTheByteOrderMark) {
  EXPECT_EQ(*IniUpdate("\xEF\xBB\xBF[Defaults]\r\nA=1\r\n", "Defaults", "B", "2"),
            "\xEF\xBB\xBF[Defaults]\r\nA=1\r\nB=2\r\n");
}

TEST(IniUpdate, AFileEndingInALoneCarriageReturnGetsItsLineFeedBeforeTheNewLine) {
  const std::string sameSection = *IniUpdate("[Defaults]\r\nA=1\r", "Defaults", "B", "2");
  EXPECT_EQ(sameSection, "[Defaults]\r\nA=1\r\nB=2");
  const std::string newSection = *IniUpdate("[Other]\r\nA=1\r", "Defaults", "B", "2");
  EXPECT_EQ(newSection, "[Other]\r\nA=1\r\n\r\n[Defaults]\r\nB=2\r\n");
  EXPECT_EQ(IniLookup(sameSection, "Defaults", "B"), "2");
  EXPECT_EQ(IniLookup(sameSection, "Defaults", "A"), "1");
  EXPECT_EQ(IniLookup(newSection, "Other", "A"), "1");
}

TEST(IniUpdate, RefusesWhatCannotBeWrittenAsOneLine) {
  EXPECT_EQ(IniUpdate("", "Defaults", "Key", "two\nlines"), std::nullopt);
  EXPECT_EQ(IniUpdate("", "Defaults", "A=B", "v"), std::nullopt);
  EXPECT_EQ(IniUpdate("", "Defaults", "", "v"), std::nullopt);
  EXPECT_EQ(IniUpdate("", "De]faults", "Key", "v"), std::nullopt);
  EXPECT_EQ(IniUpdate("", "Defaults", "[Key", "v"), std::nullopt);
  EXPECT_EQ(IniUpdate("", "Defaults", "Key", std::string("a\0b", 3)), std::nullopt);
}

}  // namespace
}  // namespace settings
