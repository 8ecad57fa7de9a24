#include "host/text/story.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

struct PositionCase {
  const char* name;
  std::string body;
  std::u16string characters;  // the main story, marks included
  std::string text;           // Range.Text of the whole story
};

// Each mark the word processor counts takes exactly one position.
TEST(StoryPositions, EachMarkCountsOnePosition) {
  const std::vector<PositionCase> cases = {
      {"paragraph marks", para(run("ab")) + para(run("c")), u"ab\rc\r", "ab\rc\r"},
      {"empty paragraph", para(""), u"\r", "\r"},
      {"tab and line break", para(run("a") + elementRun("<w:tab/>") + elementRun("<w:br/>") + run("b")), u"a\t\vb\r",
       "a\t\vb\r"},
      {"page break", para(run("a") + elementRun("<w:br w:type=\"page\"/>")), u"a\f\r", "a\f\r"},
      {"footnote reference", para(run("a") + elementRun("<w:footnoteReference w:id=\"1\"/>")), u"a\x02\r", "a\x02\r"},
      {"complex field marks",
       para(run("a") + fieldChar("begin") + fieldCode(" PAGE ") + fieldChar("separate") + run("1") + fieldChar("end") +
            run("b")),
       u"a\x13 PAGE \x14"
       u"1\x15"
       u"b\r",
       "a1b\r"},
      {"simple field marks",
       para(run("a") + "<w:fldSimple w:instr=\" PAGE \">" + run("1") + "</w:fldSimple>" + run("b")),
       u"a\x13 PAGE \x14"
       u"1\x15"
       u"b\r",
       "a1b\r"},
      {"field without separator", para(fieldChar("begin") + fieldCode(" XE \"T\" ") + fieldChar("end")),
       u"\x13 XE \"T\" \x15\r", "\r"},
      {"surrogate pair is two positions", para(run("\xF0\x9D\x84\x9E")), u"\U0001D11E\r", "\xF0\x9D\x84\x9E\r"},
      {"text split over runs and wrappers",
       para(run("a") + "<w:hyperlink r:id=\"x\">" + run("b") + "</w:hyperlink><w:proofErr w:type=\"spellStart\"/>" +
            run("c")),
       u"abc\r", "abc\r"},
      {"table cells and rows", table({{"a", "b"}, {"c", ""}}) + para(""), u"a\ab\a\ac\a\a\a\r",
       "a\r\ab\r\a\r\ac\r\a\r\a\r\a\r"},
      {"content control around a paragraph",
       "<w:sdt><w:sdtContent>" + para(run("in")) + "</w:sdtContent></w:sdt>" + para(""), u"in\r\r", "in\r\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = openBody(c.body);
    Range all = doc->Content();
    EXPECT_EQ(all.Characters16(), c.characters);
    EXPECT_EQ(all.Text(), c.text);
    EXPECT_EQ(all.StoryLength(), static_cast<long>(c.characters.size()));
    EXPECT_EQ(all.End(), all.StoryLength());
  }
}

TEST(StoryPositions, ParagraphBoundariesAreFoundByPosition) {
  auto doc = openBody(para(run("one")) + para(run("two")) + para(run("three")));
  Story& s = doc->mainStory();
  ASSERT_EQ(s.blocks().size(), 3u);
  EXPECT_EQ(s.blockStart(1), 4);
  EXPECT_EQ(s.blockStart(2), 8);
  for (long pos : {0L, 3L}) EXPECT_EQ(s.blockAt(pos), 0u) << pos;
  for (long pos : {4L, 7L}) EXPECT_EQ(s.blockAt(pos), 1u) << pos;
  for (long pos : {8L, 14L}) EXPECT_EQ(s.blockAt(pos), 2u) << pos;
  EXPECT_EQ(s.text(2, 9), u"e\rtwo\rt");
}

TEST(StoryPositions, ManyParagraphsKeepTheirPositionsAfterAnEditInTheMiddle) {
  std::string body;
  for (int i = 0; i < 200; ++i) body += para(run("p" + std::to_string(i % 10)));
  auto doc = openBody(body);
  doc->Range(300, 300).InsertBefore("xyz");
  Story& s = doc->mainStory();
  for (std::size_t b = 0; b < s.blocks().size(); ++b)
    EXPECT_EQ(s.blockStart(b), static_cast<long>(b) * 3 + (b > 100 ? 3 : 0)) << b;
  EXPECT_EQ(s.length(), 603);
}

TEST(Stories, FootnotesAndEndnotesAreOneStoryEachWithoutSeparatorNotes) {
  DocParts parts;
  parts.body = para(run("a") + elementRun("<w:footnoteReference w:id=\"1\"/>") + run("b") +
                    elementRun("<w:footnoteReference w:id=\"2\"/>") + elementRun("<w:endnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(elementRun("<w:footnoteRef/>") + run(" first")), para(run("second")) + para(run("more"))};
  parts.endnotes = {para(run("end"))};
  auto doc = openDocument(parts);
  Range notes = doc->StoryRanges().Item(wdFootnotesStory);
  EXPECT_EQ(notes.Characters16(), u"\x02 first\rsecond\rmore\r");
  EXPECT_EQ(notes.StoryLength(), 20);
  EXPECT_EQ(doc->StoryRanges().Item(wdEndnotesStory).Text(), "end\r");
  EXPECT_EQ(doc->Footnotes().Count(), 2);
  EXPECT_EQ(doc->Endnotes().Count(), 1);
}

TEST(Stories, ADocumentWithoutNotesHasNoNotesStory) {
  auto doc = openBody(para(run("text")));
  EXPECT_EQ(doc->Footnotes().Count(), 0);
  EXPECT_EQ(doc->StoryRanges().Count(), 1);
  try {
    doc->StoryRanges().Item(wdFootnotesStory);
    ADD_FAILURE() << "a missing story was returned";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrNoSuchMember);
  }
}

// Three sections: the first and third use header 1, the second header 2; a footer and a
// first-page header too.
DocParts sectionedDoc() {
  DocParts parts;
  auto sect = [](const std::string& refs) { return "<w:sectPr>" + refs + "</w:sectPr>"; };
  std::string h1 = "<w:headerReference w:type=\"default\" r:id=\"rIdH1\"/>";
  std::string h2 = "<w:headerReference w:type=\"default\" r:id=\"rIdH2\"/>";
  std::string first = "<w:headerReference w:type=\"first\" r:id=\"rIdH3\"/>";
  std::string f1 = "<w:footerReference w:type=\"default\" r:id=\"rIdF1\"/>";
  parts.body = para(run("one"), sect(h1 + first + f1)) + para(run("two"), sect(h2)) + para(run("three")) + sect(h1);
  parts.footnotes = {para(run("note"))};
  parts.headers = {{"header1.xml", "rIdH1", false, para(run("Header one"))},
                   {"header2.xml", "rIdH2", false, para(run("Header two"))},
                   {"header3.xml", "rIdH3", false, para(run("First page"))},
                   {"footer1.xml", "rIdF1", true, para(run("Footer"))}};
  return parts;
}

TEST(Stories, StoryRangesListTheFirstStoryOfEachTypeInTypeOrder) {
  auto doc = openDocument(sectionedDoc());
  std::vector<int> types;
  for (const Range& range : doc->StoryRanges()) types.push_back(range.StoryType());
  EXPECT_EQ(types, (std::vector<int>{wdMainTextStory, wdFootnotesStory, wdPrimaryHeaderStory, wdPrimaryFooterStory,
                                     wdFirstPageHeaderStory}));
  EXPECT_EQ(doc->StoryRanges().Item(wdPrimaryHeaderStory).Text(), "Header one\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdFirstPageHeaderStory).Text(), "First page\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdPrimaryFooterStory).StoryLength(), 7);
}

TEST(Stories, NextStoryRangeWalksDistinctHeaderPartsAndEnds) {
  auto doc = openDocument(sectionedDoc());
  Range header = doc->StoryRanges().Item(wdPrimaryHeaderStory);
  Range second = header.NextStoryRange();
  ASSERT_TRUE(second);
  EXPECT_EQ(second.Text(), "Header two\r");
  EXPECT_EQ(second.StoryType(), wdPrimaryHeaderStory);
  EXPECT_FALSE(second.NextStoryRange());  // the third section repeats header 1
  EXPECT_FALSE(doc->StoryRanges().Item(wdPrimaryFooterStory).NextStoryRange());
  for (int type : {wdMainTextStory, wdFootnotesStory})
    EXPECT_FALSE(doc->StoryRanges().Item(type).NextStoryRange()) << type;
}

TEST(Stories, TextBoxesFormTheTextFrameStoryAndStayOutOfTheMainText) {
  std::string box = "<w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox><w:txbxContent>" +
                    para(run("boxed")) + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
  auto doc = openBody(para(run("a") + box + run("b")));
  EXPECT_EQ(doc->Content().Characters16(),
            u"a\x01"
            u"b\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdTextFrameStory).Text(), "boxed\r");
}

TEST(Stories, CommentsAreOneStoryAfterTheNotes) {
  DocParts parts;
  parts.body = para(run("a") + elementRun("<w:endnoteReference w:id=\"1\"/>"));
  parts.endnotes = {para(run("end"))};
  parts.comments = {para(run("first remark")), para(run("second"))};
  auto doc = openDocument(parts);
  std::vector<int> types;
  for (const Range& range : doc->StoryRanges()) types.push_back(range.StoryType());
  EXPECT_EQ(types, (std::vector<int>{wdMainTextStory, wdEndnotesStory, wdCommentsStory}));
  EXPECT_EQ(doc->StoryRanges().Item(wdCommentsStory).Text(), "first remark\rsecond\r");
  EXPECT_FALSE(doc->StoryRanges().Item(wdCommentsStory).NextStoryRange());
}

TEST(Stories, EditingATextBoxChangesOnlyItsStory) {
  std::string box = "<w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox><w:txbxContent>" +
                    para(run("boxed")) + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
  auto doc = openBody(para(run("a") + box + run("b")));
  Range frame = doc->StoryRanges().Item(wdTextFrameStory);
  frame.SetRange(0, 5);
  frame.InsertAfter(" text");
  EXPECT_EQ(frame.Text(), "boxed text");
  auto again = reopen(*doc);
  EXPECT_EQ(again->StoryRanges().Item(wdTextFrameStory).Text(), "boxed text\r");
  EXPECT_EQ(again->Content().Characters16(),
            u"a\x01"
            u"b\r");
}

TEST(Stories, CellEndMarksFollowParagraphsThatBecomeOrStopBeingTheLastOfTheirCell) {
  auto doc = openBody(table({{"ab"}}) + para(""));
  Range r = doc->Range(1, 1);
  r.InsertParagraphBefore();
  EXPECT_EQ(doc->Content().Characters16(), u"a\rb\a\a\r");
  doc->Range(1, 2).Delete();
  EXPECT_EQ(doc->Content().Characters16(), u"ab\a\a\r");
}

TEST(StoryErrors, PositionsOutsideTheStoryAreRefused) {
  auto doc = openBody(para(run("abc")));
  const std::vector<std::pair<long, long>> bad = {{-1, 0}, {0, 5}, {3, 2}, {5, 5}};
  for (auto [start, end] : bad) {
    try {
      doc->Range(start, end);
      ADD_FAILURE() << start << ".." << end << " was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrOutOfRange);
    }
  }
  Range ok = doc->Range(0, 4);
  EXPECT_THROW(ok.SetStart(5), Error);
  EXPECT_THROW(ok.SetEnd(-1), Error);
  EXPECT_EQ(ok.Start(), 0);
  EXPECT_EQ(ok.End(), 4);
}

TEST(StoryErrors, AnEmptyRangeReferenceThrowsInsteadOfCrashing) {
  Range nothing;
  EXPECT_FALSE(nothing);
  EXPECT_THROW(nothing.Start(), Error);
  EXPECT_THROW(nothing.Text(), Error);
}

}  // namespace
}  // namespace host
