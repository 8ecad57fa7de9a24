#include "host/model/shown_paragraph.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/model/indexes.h"
#include "host/model/window.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

// The runs' characters, note marks as [mark], runs apart with "|"; each run's characters are
// checked against the story at the positions it claims.
std::string shown(Story& story, const ShownParagraph& p) {
  std::string out;
  for (const ShownRun& r : p.runs) {
    EXPECT_EQ(story.text(r.position, r.position + static_cast<long>(r.text.size())), r.text);
    out += (out.empty() ? "" : "|") + (r.noteMark.empty() ? toUtf8(r.text) : "[" + r.noteMark + "]");
  }
  return out;
}

std::string shownBlock(Document& doc, int storyType, std::size_t block) {
  ShownParagraphs reader(doc);
  Story& story = *doc.story(storyType);
  return shown(story, reader.read(story, block));
}

TEST(ShownParagraphs, RunsCarryTheirFormattingThroughTheStyleChainAndTheirPositions) {
  DocParts parts;
  parts.styles = paragraphStyle("Heading", "", "<w:jc w:val=\"center\"/><w:spacing w:before=\"240\"/>",
                                "<w:b/><w:sz w:val=\"32\"/>") +
                 characterStyle("Emphasis", "<w:i/><w:color w:val=\"FF0000\"/>");
  parts.body = para(run("Title"), "<w:pStyle w:val=\"Heading\"/>") +
               para(run("plain ") + run("stressed", "<w:rStyle w:val=\"Emphasis\"/>") +
                    run(" upright", "<w:rStyle w:val=\"Emphasis\"/><w:i w:val=\"0\"/>") +
                    run(" marked", "<w:highlight w:val=\"yellow\"/><w:caps/>") + run(" end"));
  auto doc = openDocument(parts);
  Story& story = doc->mainStory();
  ShownParagraphs reader(*doc);

  ShownParagraph title = reader.read(story, 0);
  ASSERT_EQ(shown(story, title), "Title");
  EXPECT_TRUE(title.runs[0].format.bold);
  EXPECT_EQ(title.runs[0].format.halfPoints, 32);
  EXPECT_EQ(title.format.alignment, 1);
  EXPECT_EQ(title.format.spaceBefore, 12);
  EXPECT_EQ(title.markPosition, 5);

  ShownParagraph body = reader.read(story, 1);
  ASSERT_EQ(shown(story, body), "plain |stressed| upright| marked| end");
  EXPECT_FALSE(body.runs[0].format.italic);
  EXPECT_TRUE(body.runs[1].format.italic);
  EXPECT_EQ(body.runs[1].format.color, 255);
  EXPECT_FALSE(body.runs[2].format.italic);
  EXPECT_EQ(body.runs[2].format.color, 255);
  EXPECT_EQ(body.runs[3].format.highlight, 7);
  EXPECT_TRUE(body.runs[3].format.caps);
  EXPECT_EQ(body.runs[0].position, 6);
  EXPECT_EQ(body.markPosition, story.length() - 1);
}

TEST(ShownParagraphs, FieldCodesAndHiddenTextShowAsTheViewSays) {
  auto doc = openBody(para(run("see ") + fieldChar("begin") + fieldCode(" PAGE ") + fieldChar("separate") + run("7") +
                           fieldChar("end") + run(" secret", "<w:vanish/>") + run(" end")));
  Story& story = doc->mainStory();
  EXPECT_EQ(shownBlock(*doc, wdMainTextStory, 0), "see |7| end");

  doc->ActiveWindow().View().SetShowFieldCodes(true);
  ShownParagraphs reader(*doc);
  ShownParagraph codes = reader.read(story, 0);
  EXPECT_EQ(shown(story, codes), "see | PAGE | end");
  EXPECT_TRUE(codes.runs[1].code);
  EXPECT_FALSE(codes.runs[0].code);

  doc->ActiveWindow().View().SetShowFieldCodes(false);
  doc->ActiveWindow().View().SetShowHiddenText(true);
  ShownParagraph hidden = reader.read(story, 0);
  EXPECT_EQ(shown(story, hidden), "see |7| secret| end");
  EXPECT_TRUE(hidden.runs[2].format.hidden);
}

TEST(ShownParagraphs, AnIndexEntryMarkedLaterLeavesTheTextAndMovesThePositionsAfterIt) {
  auto doc = openBody(para(run("The Seller pays.")));
  Story& story = doc->mainStory();
  ShownParagraphs reader(*doc);
  EXPECT_EQ(shown(story, reader.read(story, 0)), "The Seller pays.");
  doc->Indexes().MarkEntry(doc->Range(4, 10), "Seller");
  ShownParagraph after = reader.read(story, 0);
  EXPECT_EQ(shown(story, after), "The Seller| pays.");  // the entry's hidden field stands between
  EXPECT_GT(after.runs[1].position, 10);
  EXPECT_EQ(after.markPosition, story.length() - 1);
}

TEST(ShownParagraphs, NoteMarksShowTheirNotesNumbersInTheOrderTheNotesStand) {
  DocParts parts;
  parts.body = para(run("a") + footnoteRef(1) + run("b") + footnoteRef(2) + endnoteRef(1) + endnoteRef(4) +
                    footnoteRef(9));
  parts.footnotes = {para(run("first")), para(elementRun("<w:footnoteRef/>") + run(" second"))};
  parts.endnotes = {para(run("e1")), para(run("e2")), para(run("e3")), para(run("e4"))};
  auto doc = openDocument(parts);
  EXPECT_EQ(shownBlock(*doc, wdMainTextStory, 0), "a|[1]|b|[2]|[i]|[iv]|[*]");
  EXPECT_EQ(shownBlock(*doc, wdFootnotesStory, 1), "[2]| second");
  EXPECT_EQ(noteNumberText(14, true), "xiv");
  EXPECT_EQ(noteNumberText(14, false), "14");
}

TEST(TablePlace, ParagraphsKnowTheirOutermostRowAndCellAndRowsTheirCellWidths) {
  const std::string nested = "<w:tbl><w:tr><w:tc>" + para(run("inner")) + "</w:tc></w:tr></w:tbl>";
  auto doc = openBody(para(run("before")) +
                      "<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"1000\"/>"
                      "</w:tblGrid><w:tr>"
                      "<w:tc><w:tcPr><w:tcW w:w=\"1440\" w:type=\"dxa\"/></w:tcPr>" +
                      para(run("a")) +
                      "</w:tc>"
                      "<w:tc><w:tcPr><w:gridSpan w:val=\"2\"/></w:tcPr>" +
                      nested + para(run("b")) +
                      "</w:tc>"
                      "</w:tr></w:tbl>" +
                      para(run("after")));
  Story& story = doc->mainStory();
  // Blocks: before, a, inner, the inner row's end, b, the outer row's end, after.
  ASSERT_EQ(story.blocks().size(), 7u);
  EXPECT_FALSE(tablePlace(story, 0).row);
  TablePlace a = tablePlace(story, 1);
  ASSERT_TRUE(a.row);
  EXPECT_EQ(a.cell, 0);
  for (std::size_t b : {2u, 3u, 4u}) {
    TablePlace inner = tablePlace(story, b);
    EXPECT_EQ(inner.row, a.row) << b;
    EXPECT_EQ(inner.cell, 1) << b;
  }
  TablePlace rowEnd = tablePlace(story, 5);
  EXPECT_EQ(rowEnd.row, a.row);
  EXPECT_EQ(rowEnd.cell, -1);
  EXPECT_FALSE(tablePlace(story, 6).row);
  EXPECT_EQ(cellWidths(story, a.row), (std::vector<double>{72, 200}));

  ShownParagraphs reader(*doc);
  EXPECT_TRUE(reader.read(story, 5).runs.empty());
}

}  // namespace
}  // namespace host
