#include "host/story.h"

#include <gtest/gtest.h>

#include "host/document.h"
#include "host/error.h"
#include "host/test_docs.h"

namespace host {
namespace {

using namespace testdocs;

struct PositionCase {
  const char* name;
  std::string body;
  std::u16string characters;  // the main story, marks included
  std::string text;           // Range.Text of the whole story
};

// Each mark the word processor counts takes exactly one position.
TEST(StoryPositions, EachMarkCountsOnePosition) {
  const std::vector<PositionCase> cases = {
      {"paragraph marks", p(r("ab")) + p(r("c")), u"ab\rc\r", "ab\rc\r"},
      {"empty paragraph", p(""), u"\r", "\r"},
      {"tab and line break", p(r("a") + rEl("<w:tab/>") + rEl("<w:br/>") + r("b")), u"a\t\vb\r", "a\t\vb\r"},
      {"page break", p(r("a") + rEl("<w:br w:type=\"page\"/>")), u"a\f\r", "a\f\r"},
      {"footnote reference", p(r("a") + rEl("<w:footnoteReference w:id=\"1\"/>")), u"a\x02\r", "a\x02\r"},
      {"complex field marks",
       p(r("a") + fld("begin") + code(" PAGE ") + fld("separate") + r("1") + fld("end") + r("b")),
       u"a\x13 PAGE \x14" u"1\x15" u"b\r", "a1b\r"},
      {"simple field marks",
       p(r("a") + "<w:fldSimple w:instr=\" PAGE \">" + r("1") + "</w:fldSimple>" + r("b")),
       u"a\x13 PAGE \x14" u"1\x15" u"b\r", "a1b\r"},
      {"field without separator", p(fld("begin") + code(" XE \"T\" ") + fld("end")), u"\x13 XE \"T\" \x15\r", "\r"},
      {"surrogate pair is two positions", p(r("\xF0\x9D\x84\x9E")), u"\U0001D11E\r", "\xF0\x9D\x84\x9E\r"},
      {"text split over runs and wrappers",
       p(r("a") + "<w:hyperlink r:id=\"x\">" + r("b") + "</w:hyperlink><w:proofErr w:type=\"spellStart\"/>" + r("c")),
       u"abc\r", "abc\r"},
      {"table cells and rows", table({{"a", "b"}, {"c", ""}}) + p(""), u"a\ab\a\ac\a\a\a\r",
       "a\r\ab\r\a\r\ac\r\a\r\a\r\a\r"},
      {"content control around a paragraph", "<w:sdt><w:sdtContent>" + p(r("in")) + "</w:sdtContent></w:sdt>" + p(""),
       u"in\r\r", "in\r\r"},
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
  auto doc = openBody(p(r("one")) + p(r("two")) + p(r("three")));
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
  for (int i = 0; i < 200; ++i) body += p(r("p" + std::to_string(i % 10)));
  auto doc = openBody(body);
  doc->Range(300, 300).InsertBefore("xyz");
  Story& s = doc->mainStory();
  for (std::size_t b = 0; b < s.blocks().size(); ++b)
    EXPECT_EQ(s.blockStart(b), static_cast<long>(b) * 3 + (b > 100 ? 3 : 0)) << b;
  EXPECT_EQ(s.length(), 603);
}

TEST(Stories, FootnotesAndEndnotesAreOneStoryEachWithoutSeparatorNotes) {
  DocParts parts;
  parts.body = p(r("a") + rEl("<w:footnoteReference w:id=\"1\"/>") + r("b") + rEl("<w:footnoteReference w:id=\"2\"/>") +
                rEl("<w:endnoteReference w:id=\"1\"/>"));
  parts.footnotes = {p(rEl("<w:footnoteRef/>") + r(" first")), p(r("second")) + p(r("more"))};
  parts.endnotes = {p(r("end"))};
  auto doc = open(parts);
  Range notes = doc->StoryRanges().Item(wdFootnotesStory);
  EXPECT_EQ(notes.Characters16(), u"\x02 first\rsecond\rmore\r");
  EXPECT_EQ(notes.StoryLength(), 20);
  EXPECT_EQ(doc->StoryRanges().Item(wdEndnotesStory).Text(), "end\r");
  EXPECT_EQ(doc->Footnotes().Count(), 2);
  EXPECT_EQ(doc->Endnotes().Count(), 1);
}

TEST(Stories, ADocumentWithoutNotesHasNoNotesStory) {
  auto doc = openBody(p(r("text")));
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
  parts.body = p(r("one"), sect(h1 + first + f1)) + p(r("two"), sect(h2)) + p(r("three")) + sect(h1);
  parts.footnotes = {p(r("note"))};
  parts.headers = {{"header1.xml", "rIdH1", false, p(r("Header one"))},
                  {"header2.xml", "rIdH2", false, p(r("Header two"))},
                  {"header3.xml", "rIdH3", false, p(r("First page"))},
                  {"footer1.xml", "rIdF1", true, p(r("Footer"))}};
  return parts;
}

TEST(Stories, StoryRangesListTheFirstStoryOfEachTypeInTypeOrder) {
  auto doc = open(sectionedDoc());
  std::vector<int> types;
  for (const Range& range : doc->StoryRanges()) types.push_back(range.StoryType());
  EXPECT_EQ(types, (std::vector<int>{wdMainTextStory, wdFootnotesStory, wdPrimaryHeaderStory, wdPrimaryFooterStory,
                                     wdFirstPageHeaderStory}));
  EXPECT_EQ(doc->StoryRanges().Item(wdPrimaryHeaderStory).Text(), "Header one\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdFirstPageHeaderStory).Text(), "First page\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdPrimaryFooterStory).StoryLength(), 7);
}

TEST(Stories, NextStoryRangeWalksDistinctHeaderPartsAndEnds) {
  auto doc = open(sectionedDoc());
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
                    p(r("boxed")) + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
  auto doc = openBody(p(r("a") + box + r("b")));
  EXPECT_EQ(doc->Content().Characters16(), u"a\x01" u"b\r");
  EXPECT_EQ(doc->StoryRanges().Item(wdTextFrameStory).Text(), "boxed\r");
}

TEST(Stories, CommentsAreOneStoryAfterTheNotes) {
  DocParts parts;
  parts.body = p(r("a") + rEl("<w:endnoteReference w:id=\"1\"/>"));
  parts.endnotes = {p(r("end"))};
  parts.comments = {p(r("first remark")), p(r("second"))};
  auto doc = open(parts);
  std::vector<int> types;
  for (const Range& range : doc->StoryRanges()) types.push_back(range.StoryType());
  EXPECT_EQ(types, (std::vector<int>{wdMainTextStory, wdEndnotesStory, wdCommentsStory}));
  EXPECT_EQ(doc->StoryRanges().Item(wdCommentsStory).Text(), "first remark\rsecond\r");
  EXPECT_FALSE(doc->StoryRanges().Item(wdCommentsStory).NextStoryRange());
}

TEST(Stories, EditingATextBoxChangesOnlyItsStory) {
  std::string box = "<w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox><w:txbxContent>" +
                    p(r("boxed")) + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
  auto doc = openBody(p(r("a") + box + r("b")));
  Range frame = doc->StoryRanges().Item(wdTextFrameStory);
  frame.SetRange(0, 5);
  frame.InsertAfter(" text");
  EXPECT_EQ(frame.Text(), "boxed text");
  auto again = reopen(*doc);
  EXPECT_EQ(again->StoryRanges().Item(wdTextFrameStory).Text(), "boxed text\r");
  EXPECT_EQ(again->Content().Characters16(), u"a\x01" u"b\r");
}

TEST(Stories, CellEndMarksFollowParagraphsThatBecomeOrStopBeingTheLastOfTheirCell) {
  auto doc = openBody(table({{"ab"}}) + p(""));
  Range r = doc->Range(1, 1);
  r.InsertParagraphBefore();
  EXPECT_EQ(doc->Content().Characters16(), u"a\rb\a\a\r");
  doc->Range(1, 2).Delete();
  EXPECT_EQ(doc->Content().Characters16(), u"ab\a\a\r");
}

TEST(StoryErrors, PositionsOutsideTheStoryAreRefused) {
  auto doc = openBody(p(r("abc")));
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
