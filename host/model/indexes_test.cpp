#include "host/model/indexes.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/parse/field_code.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

// The entry an XE field's code names: the text between its first quote and the next
// quote that no backslash escapes, unescaped.
std::string entryOfCode(const std::string& code) {
  std::size_t open = code.find('"');
  if (open == std::string::npos) return "<no quote>";
  std::string escaped;
  for (std::size_t i = open + 1; i < code.size(); ++i) {
    if (code[i] == '\\' && i + 1 < code.size()) {
      escaped += code.substr(i, 2);
      ++i;
    } else if (code[i] == '"') {
      return unescapeIndexEntry(escaped);
    } else {
      escaped += code[i];
    }
  }
  return "<unclosed>";
}

TEST(IndexEntryEscaping, QuotesColonsAndBackslashesGetABackslash) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Plain", "Plain"},          {"Main:Sub", "Main\\:Sub"},       {"Say \"hi\"", "Say \\\"hi\\\""},
      {"back\\slash", "back\\\\slash"}, {"end\\", "end\\\\"},          {"", ""},
      {"\xE2\x80\x9C" "Buyer\xE2\x80\x9D", "\xE2\x80\x9C" "Buyer\xE2\x80\x9D"},
  };
  // clang-format on
  for (const auto& [entry, escaped] : cases) {
    EXPECT_EQ(escapeIndexEntry(entry), escaped) << entry;
    EXPECT_EQ(unescapeIndexEntry(escaped), entry) << escaped;
  }
}

TEST(MarkEntry, InsertsAHiddenXeFieldRightAfterTheRange) {
  auto doc = openBody(para(run("The quick ") + run("brown fox", "<w:b/>")));
  Range quick = doc->Range(4, 9);
  Field f = doc->Indexes().MarkEntry(quick, "Quick");
  EXPECT_EQ(f.Type(), wdFieldIndexEntry);
  EXPECT_EQ(f.Code().Text(), " XE \"Quick\" ");
  EXPECT_EQ(f.Span().begin, 9);
  EXPECT_EQ(f.Span().separator, -1);
  EXPECT_EQ(doc->Content().Characters16(), u"The quick\x13 XE \"Quick\" \x15 brown fox\r");
  EXPECT_EQ(doc->Content().Text(), "The quick brown fox\r");  // hidden: the visible text is unchanged
  EXPECT_EQ(quick.Text(), "quick");                           // the range does not grow
  EXPECT_EQ(f.Code().Font().Hidden(), kTrue);
  EXPECT_EQ(doc->Range(f.Span().begin, f.Span().end + 1).Font().Hidden(), kTrue);
  auto paragraphs = paragraphsXml(*doc, "word/document.xml");
  // The whole field in one run: tens of thousands of them stay small.
  EXPECT_NE(
      paragraphs[0].find("<w:r><w:rPr><w:vanish/></w:rPr><w:fldChar w:fldCharType=\"begin\"/><w:instrText "
                         "xml:space=\"preserve\"> XE \"Quick\" </w:instrText><w:fldChar w:fldCharType=\"end\"/></w:r>"),
      std::string::npos)
      << paragraphs[0];
}

TEST(MarkEntry, EntryTextRoundTripsThroughTheFieldCode) {
  const std::vector<std::string> entries = {"Plain",
                                            "Say \"hi\"",
                                            "Main:Sub",
                                            "back\\slash",
                                            "all \\ \" : ",
                                            "trailing\\",
                                            "\"",
                                            "Caf\xC3\xA9 \xE2\x80\x9C"
                                            "Quoted\xE2\x80\x9D",
                                            "a\\:b",
                                            "::"};
  for (const std::string& entry : entries) {
    SCOPED_TRACE(entry);
    auto doc = openBody(para(run("word and more")));
    doc->Indexes().MarkEntry(doc->Range(0, 4), entry);
    auto again = reopen(*doc);
    ASSERT_EQ(again->Fields().Count(), 1);
    Field f = again->Fields().Item(1);
    EXPECT_EQ(f.Type(), wdFieldIndexEntry);
    EXPECT_EQ(entryOfCode(f.Code().Text()), entry);
  }
}

TEST(MarkEntry, TextTypedAfterTheEntryIsVisible) {
  auto doc = openBody(para(run("term rest")));
  Field f = doc->Indexes().MarkEntry(doc->Range(0, 4), "term");
  long after = f.Span().end + 1;
  doc->Range(after, after).InsertBefore("X");
  EXPECT_EQ(doc->Content().Text(), "termX rest\r");
  EXPECT_EQ(doc->Range(after, after + 1).Font().Hidden(), kFalse);
}

TEST(MarkEntry, EntriesInEveryStory) {
  DocParts parts;
  parts.body = para(run("main") + elementRun("<w:footnoteReference w:id=\"1\"/>")) +
               "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH1\"/></w:sectPr>";
  parts.footnotes = {para(run("note text"))};
  parts.endnotes = {para(run("end note"))};
  parts.headers = {{"header1.xml", "rIdH1", false, para(run("Header"))}};
  auto doc = openDocument(parts);
  for (const Range& story : doc->StoryRanges()) {
    Field f = doc->Indexes().MarkEntry(story.Words(1), "Entry");
    EXPECT_EQ(f.Type(), wdFieldIndexEntry) << story.StoryType();
    EXPECT_EQ(f.GetStory().type(), story.StoryType());
  }
  auto again = reopen(*doc);
  for (const Range& story : again->StoryRanges()) {
    EXPECT_EQ(story.Fields().Count(), 1) << story.StoryType();
    EXPECT_EQ(story.Fields().Item(1).Type(), wdFieldIndexEntry) << story.StoryType();
  }
}

TEST(MarkEntry, ARangeReachingTheStoryEndGetsItsEntryBeforeTheLastMark) {
  auto doc = openBody(para(run("all")));
  Field f = doc->Indexes().MarkEntry(doc->Content(), "All");
  EXPECT_EQ(f.Type(), wdFieldIndexEntry);
  EXPECT_EQ(doc->Content().Characters16(), u"all\x13 XE \"All\" \x15\r");
}

TEST(MarkEntry, ManyEntriesInOneParagraphKeepPositionsStraight) {
  auto doc = openBody(para(run("alpha beta gamma delta")));
  // Mark from the last word back, as an indexing pass over found terms would not; then check
  // every field reads its own entry.
  const std::vector<std::pair<long, std::string>> words = {{0, "alpha"}, {6, "beta"}, {11, "gamma"}, {17, "delta"}};
  for (auto it = words.rbegin(); it != words.rend(); ++it)
    doc->Indexes().MarkEntry(doc->Range(it->first, it->first + static_cast<long>(it->second.size())), it->second);
  Fields fields = doc->Fields();
  ASSERT_EQ(fields.Count(), 4);
  for (long i = 1; i <= 4; ++i) EXPECT_EQ(entryOfCode(fields.Item(i).Code().Text()), words[i - 1].second);
  EXPECT_EQ(doc->Content().Text(), "alpha beta gamma delta\r");
}

}  // namespace
}  // namespace host
