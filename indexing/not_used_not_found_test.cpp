#include "indexing/not_used_not_found.h"

#include <gtest/gtest.h>

#include "discovery/run_objects.h"
#include "host/testing/test_documents.h"
#include "host/text/styles.h"
#include "indexing/test_support.h"

namespace indexing {
namespace {

using host::testing::para;
using host::testing::run;
using testing::bookmarkText;
using testing::mainParagraphs;

class ListsTest : public testing::RunTest {
 protected:
  // Text, the index's place, and a centred, spaced, coloured paragraph after it.
  host::Document& openWithIndex() {
    host::testing::DocParts parts;
    parts.body = para(run("Text.")) + "<w:p/>" +
                 para(run("After.", "<w:color w:val=\"0000FF\"/><w:highlight w:val=\"yellow\"/>"),
                      "<w:spacing w:before=\"120\" w:after=\"240\"/><w:jc w:val=\"center\"/>");
    host::Document& doc = openRun(parts);
    markIndexPlace(doc, 1);
    discovery::RunEngine().IndexInsert(app_, doc, 1, ", ");
    return doc;
  }

  // Expects a block's bookmark to cover text and to be set out plainly: left aligned, no
  // spacing, no highlight, automatic colour, only its heading bold.
  void expectBlock(host::Document& doc, const char* bookmark, const std::string& text, long headingLength) {
    EXPECT_EQ(bookmarkText(doc, bookmark), text);
    host::Range block = doc.Bookmarks().Item(bookmark).Range();
    EXPECT_EQ(block.ParagraphFormat().Alignment(), host::wdAlignParagraphLeft);
    EXPECT_EQ(block.ParagraphFormat().SpaceBefore(), 0);
    EXPECT_EQ(block.ParagraphFormat().SpaceAfter(), 0);
    EXPECT_EQ(block.HighlightColorIndex(), host::wdNoHighlight);
    EXPECT_EQ(block.Font().Color(), host::kColorAutomatic);
    EXPECT_EQ(doc.Range(block.Start() + 1, block.Start() + 1 + headingLength).Bold(), host::kTrue);
    EXPECT_EQ(doc.Range(block.Start() + 1 + headingLength, block.End()).Bold(), host::kFalse);
  }
};

TEST_F(ListsTest, BothBlocksFollowTheIndexInTurnReadingNoneWhenNoTermQualifies) {
  host::Document& doc = openWithIndex();

  NotUsedList(doc, "None");
  NotFoundList(app_, doc, "None");

  EXPECT_EQ(mainParagraphs(doc),
            (std::vector<std::string>{"Text.", "INDEX OF DEFINED TERMS", "", "None", "", "",
                                      "DEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)", "None",
                                      "", "", "NOT FOUND", "None", "", "", "After."}));
  expectBlock(doc, "VellandexIndexNotUsedList",
              "\rDEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)\rNone\r\r", 37);
  expectBlock(doc, "VellandexIndexNotFoundList", "\rNOT FOUND\rNone\r\r", 9);
  // Each block starts where the one before it ends, and the index keeps its own extent.
  EXPECT_EQ(bookmarkText(doc, "VellandexIndex"), "INDEX OF DEFINED TERMS\r\rNone\r\r");
  EXPECT_EQ(doc.Bookmarks().Item("VellandexIndexNotUsedList").Start(), doc.Bookmarks().Item("VellandexIndex").End());
  EXPECT_EQ(doc.Bookmarks().Item("VellandexIndexNotFoundList").Start(),
            doc.Bookmarks().Item("VellandexIndexNotUsedList").End());
  // The not-found block is left selected; the paragraph after keeps its own formatting.
  EXPECT_EQ(app_.Selection().Start(), doc.Bookmarks().Item("VellandexIndexNotFoundList").Start());
  EXPECT_EQ(app_.Selection().End(), doc.Bookmarks().Item("VellandexIndexNotFoundList").End());
  host::Range after = doc.Range(doc.Content().End() - 7, doc.Content().End() - 1);
  EXPECT_EQ(after.Text(), "After.");
  EXPECT_EQ(after.ParagraphFormat().Alignment(), host::wdAlignParagraphCenter);
  EXPECT_EQ(after.Font().Color(), 0xFF0000);
}

TEST_F(ListsTest, AtTheEndOfTheTextTheUsersLastParagraphKeepsItsSpacingAndAlignment) {
  host::testing::DocParts parts;
  parts.body = para(run("Text.")) +
               para(run("Signed."), "<w:spacing w:before=\"120\" w:after=\"240\"/><w:jc w:val=\"center\"/>");
  host::Document& doc = openRun(parts);
  const long end = doc.Content().End() - 1;
  doc.Bookmarks().Add("IndexBKStart", doc.Range(end, end));
  discovery::RunEngine().IndexInsert(app_, doc, 1, ", ");
  NotUsedList(doc, "None");
  NotFoundList(app_, doc, "None");

  // The blocks are set out as ever; the user's paragraph and the mark that ends the text, which
  // becomes that paragraph's again when the indexing is removed, keep what they had.
  expectBlock(doc, "VellandexIndexNotFoundList", "\rNOT FOUND\rNone\r\r", 9);
  EXPECT_EQ(mainParagraphs(doc).back(), "");
  for (host::Range r : {doc.Range(end - 7, end), doc.Range(doc.Content().End() - 1, doc.Content().End())}) {
    EXPECT_EQ(r.ParagraphFormat().Alignment(), host::wdAlignParagraphCenter) << r.Text();
    EXPECT_EQ(r.ParagraphFormat().SpaceBefore(), 6) << r.Text();
    EXPECT_EQ(r.ParagraphFormat().SpaceAfter(), 12) << r.Text();
  }
  EXPECT_EQ(doc.Range(end - 7, end).Text(), "Signed.");
}

TEST_F(ListsTest, TheNotFoundBlockAloneFollowsTheIndexDirectlyOneTermAParagraph) {
  host::Document& doc = openWithIndex();

  NotFoundList(app_, doc, "Alpha\r\nBeta");

  expectBlock(doc, "VellandexIndexNotFoundList", "\rNOT FOUND\rAlpha\rBeta\r\r", 9);
  EXPECT_EQ(doc.Bookmarks().Item("VellandexIndexNotFoundList").Start(), doc.Bookmarks().Item("VellandexIndex").End());
  EXPECT_EQ(bookmarkText(doc, "VellandexIndex"), "INDEX OF DEFINED TERMS\r\rNone\r\r");
}

TEST_F(ListsTest, WithoutAnIndexTheBlockGoesAfterTheParagraphOfTheSelectionsEnd) {
  // The block stands between paragraphs, so that removing it never takes the user's text.
  host::testing::DocParts parts;
  parts.body = para(run("One.")) + para(run("Two."));
  host::Document& doc = openRun(parts);
  doc.Select(doc.Range(0, 2));  // "On"

  NotUsedList(doc, "Gamma");

  EXPECT_EQ(
      mainParagraphs(doc),
      (std::vector<std::string>{"One.", "", "DEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)",
                                "Gamma", "", "Two."}));
  EXPECT_EQ(doc.Bookmarks().Item("VellandexIndexNotUsedList").Start(), 5);
}

TEST_F(ListsTest, ASelectionEndingWhereAParagraphStartsPutsTheBlockRightThere) {
  host::testing::DocParts parts;
  parts.body = para(run("One.")) + para(run("Two."));
  host::Document& doc = openRun(parts);
  doc.Select(doc.Range(0, 5));  // "One." and its mark

  NotFoundList(app_, doc, "Delta");

  EXPECT_EQ(mainParagraphs(doc), (std::vector<std::string>{"One.", "", "NOT FOUND", "Delta", "", "Two."}));
  EXPECT_EQ(doc.Bookmarks().Item("VellandexIndexNotFoundList").Start(), 5);
}

}  // namespace
}  // namespace indexing
