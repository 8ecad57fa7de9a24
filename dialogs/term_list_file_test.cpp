#include "dialogs/term_list_file.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

using Terms = std::vector<std::string>;

TEST(ReadTermFields, OneTermALineAndCommasSplitALineIntoTrimmedTerms) {
  EXPECT_EQ(ReadTermFields("Agreement\r\nPurchase Price\r\n"), (Terms{"Agreement", "Purchase Price"}));
  EXPECT_EQ(ReadTermFields("Buyer , \tSeller\r\n"), (Terms{"Buyer", "Seller"}));
  EXPECT_EQ(ReadTermFields("Buyer\nSeller"), (Terms{"Buyer", "Seller"})) << "bare line feeds and no last line end";
}

TEST(ReadTermFields, BlankLinesAndEmptyFieldsAddNothing) {
  EXPECT_EQ(ReadTermFields("\r\n\r\nBuyer,,\r\n  \r\n,Seller,\r\n"), (Terms{"Buyer", "Seller"}));
  EXPECT_TRUE(ReadTermFields("").empty());
  EXPECT_TRUE(ReadTermFields("\"\"\r\n").empty());
}

TEST(ReadTermFields, AQuotedFieldIsTakenWholeWithCommasAndLineEnds) {
  EXPECT_EQ(ReadTermFields("\"Smith, Jones and Co\",Buyer\r\n"), (Terms{"Smith, Jones and Co", "Buyer"}));
  EXPECT_EQ(ReadTermFields("\"  Indented \"\r\n"), (Terms{"  Indented "})) << "spaces inside the quotes stay";
  EXPECT_EQ(ReadTermFields("\"Two\r\nlines\"\r\nNext\r\n"), (Terms{"Two\r\nlines", "Next"}));
  EXPECT_EQ(ReadTermFields("\"say \"\"when\"\"\"\r\n"), (Terms{"say \"when\""})) << "a doubled quote is one quote";
  EXPECT_EQ(ReadTermFields("\"Buyer\" and more,Seller\r\n"), (Terms{"Buyer", "Seller"}))
      << "what follows the closing quote up to the comma is dropped";
}

TEST(ReadTermFields, AQuoteNeverClosedRunsToTheEndOfItsLineOnly) {
  EXPECT_EQ(ReadTermFields("\"Open, still open  \r\nBuyer\r\nSeller\r\n"),
            (Terms{"Open, still open", "Buyer", "Seller"}));
  EXPECT_EQ(ReadTermFields("Agreed \"Term\", Other\r\n"), (Terms{"Agreed \"Term\"", "Other"}))
      << "a quote inside an unquoted field is plain text";
}

TEST(DecodeTermList, Utf8WithOrWithoutByteOrderMarkAndWindows1252OtherwiseKeepTheirAccents) {
  EXPECT_EQ(DecodeTermList("Caf\xC3\xA9\r\n"), "Caf\xC3\xA9\r\n");
  EXPECT_EQ(DecodeTermList("\xEF\xBB\xBF"
                           "Caf\xC3\xA9\r\n"),
            "Caf\xC3\xA9\r\n")
      << "the mark is dropped";
  // Saved on Windows: e acute, curly quotes and the euro sign in Windows-1252.
  EXPECT_EQ(DecodeTermList("Caf\xE9, \x93Quoted\x94, \x80 5\r\n"),
            "Caf\xC3\xA9, \xE2\x80\x9CQuoted\xE2\x80\x9D, \xE2\x82\xAC 5\r\n");
  EXPECT_EQ(DecodeTermList("\xC3\x28"), "\xC3\x83(") << "an invalid UTF-8 sequence makes the whole file Windows-1252";
  EXPECT_EQ(DecodeTermList("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC") << "encoded surrogates are no UTF-8";
}

TEST(WriteTermList, PlainTermsAreWrittenAsTheyAreOneALineWithCrLf) {
  EXPECT_EQ(WriteTermList({"Agreement", "Purchase Price", "", "Agreed \"Term\""}),
            "Agreement\r\nPurchase Price\r\nAgreed \"Term\"\r\n");
  EXPECT_EQ(WriteTermList({}), "");
}

TEST(WriteTermList, TermsTheReaderWouldSplitOrTrimComeBackWhole) {
  const Terms tricky{"Smith, Jones and Co", "\"Seller\"", "\"",          " Leading space",    "Trailing tab\t",
                     "Two\r\nlines",        "Plain",      "Caf\xC3\xA9", "say \"when\", then"};
  const std::string text = WriteTermList(tricky);
  EXPECT_NE(text.find("\"Smith, Jones and Co\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"\"\"Seller\"\"\"\r\n"), std::string::npos) << "inner quotes doubled";
  EXPECT_NE(text.find("\r\nPlain\r\n"), std::string::npos) << "a plain term is not quoted";
  EXPECT_EQ(ReadTermFields(DecodeTermList(text)), tricky);
}

TEST(WriteTermList, AFirstTermStartingLikeAByteOrderMarkComesBackWhole) {
  const Terms terms{
      "\xEF\xBB\xBF"
      "Agreement",
      "Plain"};
  EXPECT_EQ(WriteTermList(terms),
            "\"\xEF\xBB\xBF"
            "Agreement\"\r\nPlain\r\n");
  EXPECT_EQ(ReadTermFields(DecodeTermList(WriteTermList(terms))), terms);
}

}  // namespace
}  // namespace dialogs
