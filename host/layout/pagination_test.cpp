#include "host/layout/pagination.h"

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/model/indexes.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using testing::docWithBody;
using testing::footnoteRef;
using testing::para;
using testing::run;

const std::string kPageBreak = "<w:r><w:br w:type=\"page\"/></w:r>";
const std::string kRendered = "<w:r><w:lastRenderedPageBreak/></w:r>";
// One 12-point line per paragraph and nothing between them: 58 fit on the test page (A4,
// one-inch margins).
const std::string kExactLine = "<w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"exact\"/>";

// The page of each paragraph's first character.
std::vector<int> paragraphPages(Document& doc) {
  std::vector<int> pages;
  Story& main = doc.mainStory();
  for (std::size_t b = 0; b < main.blocks().size(); ++b)
    pages.push_back(doc.pagination().pageOf(main, main.blockStart(b)).physical);
  return pages;
}

std::string sectionBreak(const std::string& type, const std::string& extra = "") {
  return "<w:sectPr><w:type w:val=\"" + type + "\"/><w:pgSz w:w=\"11906\" w:h=\"16838\"/>" + extra + "</w:sectPr>";
}

std::string lines(int count, const std::string& pPr = kExactLine) {
  std::string out;
  for (int k = 0; k < count; ++k) out += para(run("line " + std::to_string(k)), pPr);
  return out;
}

TEST(PaginationBreaks, ExplicitBreaksAndBreakBeforeParagraphsStartPages) {
  auto doc = docWithBody(para(run("one") + kPageBreak + run("two")) + para(run("still two")) +
                         para(run("three"), "<w:pageBreakBefore/>") + para(run("four"), "<w:pageBreakBefore/>"));
  Story& main = doc->mainStory();
  EXPECT_EQ(doc->pagination().pageOf(main, 0).physical, 1);
  EXPECT_EQ(doc->pagination().pageOf(main, 4).physical, 2);  // "two", after the break
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(doc->pagination().pageCount(), 4);
}

TEST(PaginationBreaks, ABreakBeforeTheFirstParagraphMakesNoEmptyPage) {
  auto doc = docWithBody(para(run("one"), "<w:pageBreakBefore/>") + para(run("two")));
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 1}));
}

TEST(PaginationSections, SectionStartsRestartsAndNumberFormats) {
  auto doc = docWithBody(para(run("front"), sectionBreak("nextPage", "<w:pgNumType w:fmt=\"lowerRoman\"/>")) +
                         para(run("same page"), sectionBreak("continuous")) +
                         para(run("body"), sectionBreak("nextPage", "<w:pgNumType w:start=\"1\"/>")) +
                         para(run("odd start")));
  // The last section starts on an odd page: page 3 would show 2, so it is left blank.
  pugi::xml_node body = doc->package().xml("word/document.xml").child("w:document").child("w:body");
  pugi::xml_node last = body.child("w:sectPr");
  last.prepend_child("w:type").append_attribute("w:val") = "oddPage";
  doc->notify(doc->mainStory(), Change::formatted());  // the XML was changed by hand
  Story& main = doc->mainStory();
  std::vector<PageNumber> pages;
  for (std::size_t b = 0; b < main.blocks().size(); ++b)
    pages.push_back(doc->pagination().pageOf(main, main.blockStart(b)));
  EXPECT_EQ(pages[0].physical, 1);
  EXPECT_EQ(pages[0].label, "i");
  EXPECT_EQ(pages[1].physical, 1);  // a continuous section goes on on the same page
  EXPECT_EQ(pages[2].physical, 2);  // numbering starts again at 1, in decimal
  EXPECT_EQ(pages[2].label, "1");
  EXPECT_EQ(pages[3].physical, 4);  // page 3 (number 2) is left blank for an odd start
  EXPECT_EQ(pages[3].label, "3");
  EXPECT_EQ(doc->pagination().pageCount(), 4);
}

TEST(PaginationMarks, RenderedBreaksAreBelievedWhileTheTextIsUnchanged) {
  auto doc = docWithBody(para(run("alpha")) + para(kRendered + run("beta")) + para(kRendered + run("gamma")));
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 2, 3}));
  // Index entries are hidden: the layout, and so the marks, stay good.
  doc->Indexes().MarkEntry(doc->Range(0, 5), "Alpha");
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 2, 3}));
  // Once the text changes the marks are stale: the estimate puts it all on one page.
  doc->Range(0, 0).InsertBefore("New words ");
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 1, 1}));
}

TEST(PaginationMarks, AParagraphErasedLeavesNothingRememberedOfItsOpeningText) {
  auto doc = docWithBody(para(run("alpha")) + para(kRendered + run("beta")) + para(kRendered + run("gamma")));
  ASSERT_EQ(doc->verifyDerivedState(), "");
  doc->Range(6, 11).Delete();  // "beta" and its paragraph mark: its paragraph is removed
  EXPECT_EQ(doc->Content().Text(), "alpha\rgamma\r");
  // Its memory may go to a new paragraph, which must not pass for it.
  EXPECT_EQ(doc->verifyDerivedState(), "");
}

TEST(PaginationMarks, AMarkRightAfterAnExplicitBreakIsTheSamePage) {
  auto doc = docWithBody(para(run("alpha") + kPageBreak) + para(kRendered + run("beta")));
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 2}));
}

TEST(PaginationMarks, MarksThatCannotBeRightAreNotBelieved) {
  // Four hundred lines and a single mark: another program changed the text since.
  auto doc = docWithBody(para(run("start")) + para(kRendered + run("second")) + lines(400));
  EXPECT_GE(doc->pagination().pageCount(), 6);
}

TEST(PaginationEstimate, LinesFillPagesAndKeepWithNextMovesHeadings) {
  auto doc = docWithBody(lines(58) + lines(1));
  EXPECT_EQ(paragraphPages(*doc).back(), 2);
  EXPECT_EQ(paragraphPages(*doc)[57], 1);

  auto kept = docWithBody(lines(57) + para(run("Heading"), "<w:keepNext/>" + kExactLine) + lines(1));
  EXPECT_EQ(paragraphPages(*kept)[57], 2);
  auto loose = docWithBody(lines(57) + para(run("Heading"), kExactLine) + lines(1));
  EXPECT_EQ(paragraphPages(*loose)[57], 1);
}

TEST(PaginationEstimate, WidowControlMovesALoneFirstLine) {
  std::string words;
  for (int k = 0; k < 60; ++k) words += "word ";
  // 57 lines and a paragraph of several lines: with widow control its first line may not stay alone.
  auto doc = docWithBody(lines(57) + para(run(words), "<w:widowControl/>" + kExactLine));
  EXPECT_EQ(paragraphPages(*doc)[57], 2);
  auto free = docWithBody(lines(57) + para(run(words), "<w:widowControl w:val=\"0\"/>" + kExactLine));
  EXPECT_EQ(paragraphPages(*free)[57], 1);
}

TEST(PaginationEstimate, ColumnsFontSizesAndMarginsScaleThePageCount) {
  std::string text;
  for (int k = 0; k < 40; ++k)
    text += "The Seller shall deliver the Purchased Assets to the Buyer on the Closing Date. ";
  std::string paragraphs;
  for (int k = 0; k < 40; ++k) paragraphs += para(run(text));
  auto plain = docWithBody(paragraphs);
  int base = plain->pagination().pageCount();
  EXPECT_GE(base, 15);
  EXPECT_LE(base, 40);

  std::string large;
  for (int k = 0; k < 40; ++k) large += para(run(text, "<w:sz w:val=\"36\"/>"));
  EXPECT_GT(docWithBody(large)->pagination().pageCount(), base * 2);

  auto twoColumns = docWithBody(paragraphs);
  pugi::xml_node sect =
      twoColumns->package().xml("word/document.xml").child("w:document").child("w:body").child("w:sectPr");
  sect.append_child("w:cols").append_attribute("w:num") = "2";
  sect.child("w:cols").append_attribute("w:space") = "0";
  twoColumns->notify(twoColumns->mainStory(), Change::formatted());  // the XML was changed by hand
  EXPECT_NEAR(twoColumns->pagination().pageCount(), base, 2);        // same text width, twice the columns

  auto wide = docWithBody(paragraphs);
  pugi::xml_node mar =
      wide->package().xml("word/document.xml").child("w:document").child("w:body").child("w:sectPr").child("w:pgMar");
  mar.attribute("w:left") = "360";
  mar.attribute("w:right") = "360";
  wide->notify(wide->mainStory(), Change::formatted());  // the XML was changed by hand
  EXPECT_LT(wide->pagination().pageCount(), base);
}

TEST(PaginationNotes, NotesAndTextBoxesTakeTheirAnchorsPage) {
  std::string box =
      "<w:r><w:drawing><wp:anchor xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\">"
      "<w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p></w:txbxContent></wp:anchor></w:drawing></w:r>";
  auto doc = docWithBody(para(run("one") + kPageBreak) + para(run("two") + footnoteRef(1) + box), {para(run("note"))});
  Story* notes = doc->story(wdFootnotesStory);
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(doc->pagination().pageOf(*notes, 0).physical, 2);
  Story* frames = doc->story(wdTextFrameStory);
  ASSERT_NE(frames, nullptr);
  EXPECT_EQ(doc->pagination().pageOf(*frames, 0).physical, 2);
}

// A document whose endnotes are given as paragraphs, each list one note (ids 1, 2 ...).
std::unique_ptr<Document> docWithEndnotes(const std::string& body, const std::vector<std::string>& endnotes) {
  testing::DocParts parts;
  parts.body = body;
  parts.endnotes = endnotes;
  parts.lastSection = testing::LastSection::NewDocument;
  return testing::openDocument(parts);
}

// Makes the document's settings place endnotes at the end of each section.
void endnotesAtSectionEnds(Document& doc) {
  pugi::xml_node settings = doc.package().xml("word/settings.xml").document_element();
  pugi::xml_node endnotePr = settings.child("w:endnotePr");
  ASSERT_TRUE(endnotePr);
  endnotePr.prepend_child("w:pos").append_attribute("w:val") = "sectEnd";
  doc.notify(doc.mainStory(), Change::formatted());  // the XML was changed by hand
}

// The page of the first character of each endnote block.
std::vector<int> endnotePages(Document& doc) {
  std::vector<int> pages;
  Story* notes = doc.story(wdEndnotesStory);
  for (std::size_t b = 0; notes && b < notes->blocks().size(); ++b)
    pages.push_back(doc.pagination().pageOf(*notes, notes->blockStart(b)).physical);
  return pages;
}

TEST(PaginationEndnotes, EndnotesStandAfterTheTextOnItsLastPageNotOnTheirReferencesPage) {
  auto doc = docWithEndnotes(para(run("one") + testing::endnoteRef(1) + kPageBreak) + para(run("two") + kPageBreak) +
                                 para(run("three") + testing::endnoteRef(2)),
                             {para(run("first note")), para(run("second note"))});
  EXPECT_EQ(endnotePages(*doc), (std::vector<int>{3, 3}));
  EXPECT_EQ(doc->pagination().pageCount(), 3);
}

TEST(PaginationEndnotes, LongEndnotesRunOnToPagesOfTheirOwnInTheOrderOfTheirReferences) {
  std::vector<std::string> notes(2);
  for (int k = 0; k < 70; ++k) notes[1] += para(run("note line " + std::to_string(k)), kExactLine);
  notes[0] = para(run("referred to second"), kExactLine);
  // Note 2 is referred to first, so it stands first and note 1 follows it onto page 2.
  auto doc = docWithEndnotes(
      para(run("text") + testing::endnoteRef(2) + run(" more") + testing::endnoteRef(1), kExactLine), notes);
  std::vector<int> pages = endnotePages(*doc);
  ASSERT_EQ(pages.size(), 71u);
  EXPECT_EQ(pages[1], 1);   // the first line of note 2, under the text
  EXPECT_EQ(pages[70], 2);  // its last line, after the page filled
  EXPECT_EQ(pages[0], 2);   // note 1, after note 2
  EXPECT_EQ(doc->pagination().pageCount(), 2);
  // A position inside a note's paragraph takes the page of its line.
  Story& story = *doc->story(wdEndnotesStory);
  EXPECT_EQ(doc->pagination().pageOf(story, story.blockStart(70) + 3).physical, 2);
}

TEST(PaginationEndnotes, SettingsCanPlaceThemAtTheEndOfEachSectionUnlessASectionDefersThem) {
  const std::string body = para(run("first") + testing::endnoteRef(1) + kPageBreak) +
                           para(run("end of one"), sectionBreak("nextPage")) +
                           para(run("second") + testing::endnoteRef(2) + kPageBreak) + para(run("end of two"));
  auto doc = docWithEndnotes(body, {para(run("one")), para(run("two"))});
  EXPECT_EQ(endnotePages(*doc), (std::vector<int>{4, 4}));  // both after the text of the document

  endnotesAtSectionEnds(*doc);
  EXPECT_EQ(endnotePages(*doc), (std::vector<int>{2, 4}));  // each after its section
  EXPECT_EQ(doc->pagination().pageCount(), 4);

  auto deferred = docWithEndnotes(body, {para(run("one")), para(run("two"))});
  pugi::xml_node sectPr = deferred->package().xml("word/document.xml").select_node("//w:pPr/w:sectPr").node();
  sectPr.append_child("w:noEndnote");
  endnotesAtSectionEnds(*deferred);
  EXPECT_EQ(endnotePages(*deferred), (std::vector<int>{4, 4}));  // the first section hands its note on
}

TEST(PaginationEndnotes, AnEndnoteNothingRefersToIsNotLaidOut) {
  auto doc = docWithEndnotes(para(run("one") + kPageBreak) + para(run("two") + testing::endnoteRef(2)),
                             {para(run("orphan")), para(run("kept"))});
  EXPECT_EQ(endnotePages(*doc), (std::vector<int>{1, 2}));
  EXPECT_EQ(doc->pagination().pageCount(), 2);
}

TEST(PaginationCache, EditsAreSeenOnTheNextQuestion) {
  auto doc = docWithBody(para(run("one")) + para(run("two")));
  EXPECT_EQ(doc->pagination().pageCount(), 1);
  doc->Range(3, 3).InsertAfter("\f");
  EXPECT_EQ(doc->pagination().pageCount(), 2);
  EXPECT_EQ(paragraphPages(*doc), (std::vector<int>{1, 2}));
}

TEST(PaginationEstimate, TextATrackedChangeDeletedTakesNoRoom) {
  const std::string deleted = "<w:del w:id=\"1\" w:author=\"A\"><w:r><w:delText>" + std::string(20000, 'x') +
                              "</w:delText></w:r></w:del>";
  auto doc = docWithBody(lines(50) + para(run("kept") + deleted, kExactLine));
  EXPECT_EQ(doc->pagination().pageCount(), 1);
}

TEST(PaginationCache, AParagraphErasedAfterACountLeavesNoShapeOfIt) {
  auto doc = docWithBody(para(run("alpha")) + para(run("beta")) + para(run("gamma")));
  EXPECT_EQ(doc->pagination().pageCount(), 1);
  doc->Range(6, 11).Delete();  // "beta" and its paragraph mark: its paragraph is removed
  ASSERT_EQ(doc->Content().Text(), "alpha\rgamma\r");
  // Its memory may go to a new paragraph, which must not take over its shape.
  EXPECT_EQ(doc->verifyDerivedState(), "");
}

TEST(PaginationCache, KeptShapesAreThoseOutsideTheChangedParagraphs) {
  auto doc = docWithBody(lines(40));
  EXPECT_EQ(doc->pagination().pageCount(), 1);
  // Paragraph 20 grows to a page and a half; only it and its neighbours are shaped again.
  Story& main = doc->mainStory();
  doc->Range(main.blockStart(20), main.blockStart(20)).InsertAfter(std::string(5000, 'x') + " ");
  doc->pagination().keepShapesOutside(19, 21);
  std::vector<int> kept = paragraphPages(*doc);
  EXPECT_GT(kept.back(), 1);
  // A fresh count after an edit that moves nothing agrees.
  doc->Range(0, 0).InsertAfter("l");
  EXPECT_EQ(paragraphPages(*doc), kept);
}

}  // namespace
}  // namespace host
