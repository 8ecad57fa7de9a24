#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cls_osvlx_lib.h"
#include "host/shell/application.h"
#include "host/testing/test_documents.h"
#include "ui/script/backend.h"

namespace engine {
namespace {

using host::testing::docWithBody;
using host::testing::para;
using host::testing::resultLines;
using host::testing::run;

constexpr const char* kHeading = "INDEX OF DEFINED TERMS";
const std::string kLandscape =
    "<w:sectPr><w:pgSz w:w=\"16838\" w:h=\"11906\" w:orient=\"landscape\"/><w:pgNumType w:start=\"3\"/></w:sectPr>";
// A section that numbers its pages from 7, with a last section after it.
const std::string kNumberedFrom7 = para(run("After the index."), "<w:sectPr><w:pgNumType w:start=\"7\"/></w:sectPr>") +
                                   para(run("Last section."));

// Marks an entry of this program's index after a position, as the marking pass writes it.
void markEntry(host::Document& doc, long after, const std::string& entry) {
  host::Field field = doc.Indexes().MarkEntry(doc.Range(after, after), entry);
  host::Range code = field.Code();
  code.SetText(code.Text() + "\\f \"VellandexIndex\"");
}

// The INDEX fields of the main text.
std::vector<host::Field> indexFields(host::Document& doc) {
  std::vector<host::Field> out;
  for (host::Field f : doc.Fields())
    if (f.Type() == host::wdFieldIndex) out.push_back(f);
  return out;
}

// The section properties of the body, in document order.
std::vector<pugi::xml_node> sectionProperties(host::Document& doc) {
  std::vector<pugi::xml_node> out;
  pugi::xml_node body = doc.package().xml(doc.package().mainPartName()).document_element().child("w:body");
  for (pugi::xml_node n : body.children()) {
    if (pugi::xml_node s = n.child("w:pPr").child("w:sectPr")) out.push_back(s);
    if (std::string(n.name()) == "w:sectPr") out.push_back(n);
  }
  return out;
}

// Each section's number of columns.
std::vector<int> columns(host::Document& doc) {
  std::vector<int> out;
  for (pugi::xml_node s : sectionProperties(doc)) out.push_back(s.child("w:cols").attribute("w:num").as_int(1));
  return out;
}

// Each section's start.
std::vector<long> sectionStarts(host::Document& doc) {
  std::vector<long> out;
  for (long n = 1; n <= doc.Sections().Count(); ++n) out.push_back(doc.Sections().Item(n).PageSetup().SectionStart());
  return out;
}

std::string xml(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return out.str();
}

class IndexTest : public ::testing::Test {
 protected:
  // The paragraph before (if any), "The Buyer and the Seller." with both terms marked, an
  // empty paragraph (with emptyPPr) carrying IndexBKStart, then after_; returns where the
  // bookmark stands.
  long contract(const std::string& before = "", const std::string& emptyPPr = "") {
    std::string body = before + para(run("The Buyer and the Seller.")) + para("", emptyPPr) + after_;
    doc_ = docWithBody(body);
    long start = before.empty() ? 0 : static_cast<long>(doc_->Content().Text().find('\r')) + 1;
    doc_->Bookmarks().Add("IndexBKStart", doc_->Range(start + 26, start + 26));
    markEntry(*doc_, start + 24, "Seller");
    markEntry(*doc_, start + 9, "Buyer");
    return doc_->Bookmarks().Item("IndexBKStart").Start();
  }

  host::Application app_;
  ui::script::Backend ui_;
  clsOSVLXLib engine_;
  std::unique_ptr<host::Document> doc_;
  std::string after_ = para(run("After the index."), "<w:jc w:val=\"center\"/>");
};

TEST_F(IndexTest, InsertPutsTheHeadingAndAnIndexInColumnsAtTheStartBookmark) {
  long at = contract("", "<w:spacing w:before=\"120\" w:after=\"240\"/><w:jc w:val=\"right\"/>");
  engine_.IndexInsert(app_, *doc_, 2, ", ");

  EXPECT_FALSE(doc_->Bookmarks().Exists("IndexBKStart"));
  ASSERT_TRUE(doc_->Bookmarks().Exists("VellandexIndex"));
  host::Range index = doc_->Bookmarks().Item("VellandexIndex").Range();
  EXPECT_EQ(index.Start(), at);
  host::Range heading = doc_->Range(at, at + 22);
  EXPECT_EQ(heading.Text(), kHeading);
  EXPECT_EQ(heading.Bold(), host::kTrue);
  EXPECT_EQ(doc_->Range(at + 22, at + 24).Text(), "\r\r");
  EXPECT_EQ(doc_->Range(at + 23, at + 24).Bold(), host::kFalse);  // the empty paragraph

  std::vector<host::Field> fields = indexFields(*doc_);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].Code().Text(), " INDEX \\c2 \\e\", \" \\f \"VellandexIndex\" ");
  EXPECT_EQ(fields[0].Span().begin, at + 24);  // the third paragraph
  EXPECT_EQ(resultLines(fields[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1"}));
  // The lines stand in a continuous section of two columns of their own.
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(doc_->Sections().Item(2).PageSetup().SectionStart(), host::wdSectionContinuous);

  // The bookmark ends with the field's paragraph; what followed the start bookmark follows it.
  EXPECT_EQ(doc_->Range(index.End(), doc_->Content().End()).Text(), "\rAfter the index.\r");
  EXPECT_EQ(index.ParagraphFormat().SpaceBefore(), 0);
  EXPECT_EQ(index.ParagraphFormat().SpaceAfter(), 0);
  EXPECT_EQ(index.ParagraphFormat().Alignment(), host::wdAlignParagraphLeft);
  EXPECT_EQ(index.HighlightColorIndex(), host::wdNoHighlight);
  EXPECT_EQ(index.Font().Color(), host::kColorAutomatic);
  EXPECT_EQ(doc_->Range(index.End(), index.End()).ParagraphFormat().Alignment(), host::wdAlignParagraphRight);
  EXPECT_EQ(doc_->SelectionRange().Start(), index.Start());
  EXPECT_EQ(doc_->SelectionRange().End(), index.End());
}

TEST_F(IndexTest, InsertWithoutAStartBookmarkSplitsTheSelectionsParagraphOnBothSidesAndShowsNone) {
  doc_ = docWithBody(para(run("Some text here.")));
  doc_->Select(doc_->Range(5, 9));
  doc_->Indexes().MarkEntry(doc_->Range(15, 15), "Other");  // an entry of another index
  long at = doc_->SelectionRange().Start();
  engine_.IndexInsert(app_, *doc_, 1, "");

  std::vector<host::Field> fields = indexFields(*doc_);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].Code().Text(), " INDEX \\c1 \\e\"\" \\f \"VellandexIndex\" ");
  EXPECT_EQ(resultLines(fields[0]), (std::vector<std::string>{"None"}));
  // The heading stands in a paragraph of its own; the mark before it belongs to the index.
  EXPECT_EQ(doc_->Content().Text(), std::string("Some \r") + kHeading + "\r\rNone\r\rtext here.\r");
  ASSERT_TRUE(doc_->Bookmarks().Exists("VellandexIndex"));
  EXPECT_EQ(doc_->Bookmarks().Item("VellandexIndex").Start(), at);
  EXPECT_FALSE(doc_->Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(doc_->Sections().Count(), 1);
  // Removing the index joins the text again.
  bool keepPlace = false;
  engine_.RemoveIndex(app_, *doc_, keepPlace);
  EXPECT_EQ(doc_->Content().Text(), "Some text here.\r");
}

TEST_F(IndexTest, ASeparatorWithQuotesOrBackslashesCannotCutOffTheIdentifier) {
  contract();
  doc_->Indexes().MarkEntry(doc_->Range(0, 0), "Other");  // not this program's
  engine_.IndexInsert(app_, *doc_, 1, "\" \\ ");
  std::vector<host::Field> fields = indexFields(*doc_);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].Code().Text(), " INDEX \\c1 \\e\"\\\" \\\\ \" \\f \"VellandexIndex\" ");
  EXPECT_EQ(resultLines(fields[0]), (std::vector<std::string>{"Buyer\" \\ 1", "Seller\" \\ 1"}));
}

TEST_F(IndexTest, UpdateRefreshesThisProgramsIndexAfterNewEntriesAndNoOther) {
  doc_ = docWithBody(para(run("The Buyer and the Seller.")) + "<w:p/>" + after_ + "<w:p/>");
  doc_->Bookmarks().Add("IndexBKStart", doc_->Range(26, 26));
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  ASSERT_EQ(indexFields(*doc_).size(), 1u);
  EXPECT_EQ(resultLines(indexFields(*doc_)[0]), (std::vector<std::string>{"None"}));
  long end = doc_->Content().End() - 1;
  doc_->Fields().Add(doc_->Range(end, end), host::wdFieldEmpty, "INDEX \\f \"Other\"", false);
  end = doc_->Content().End() - 1;
  doc_->Fields().Add(doc_->Range(end, end), host::wdFieldEmpty, "INDEX", false);

  markEntry(*doc_, 24, "Seller");
  markEntry(*doc_, 9, "Buyer");
  engine_.IndexUpdate(*doc_);
  std::vector<host::Field> fields = indexFields(*doc_);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(resultLines(fields[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1"}));
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(fields[1].Result().Text(), "");  // another program's index
  EXPECT_EQ(fields[2].Result().Text(), "");  // an index without an identifier

  // Again: the result is replaced, not added to, and the bookmark still holds the whole index.
  engine_.IndexUpdate(*doc_);
  EXPECT_EQ(resultLines(indexFields(*doc_)[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1"}));
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 2, 1}));
  host::Range index = doc_->Bookmarks().Item("VellandexIndex").Range();
  EXPECT_EQ(index.Text().rfind(kHeading, 0), 0u);
  EXPECT_NE(index.Text().find("Seller, 1"), std::string::npos);
}

// With no entries the index needs no columns: the section breaks around it go, and the section
// starts, and numbers its pages, as it did before the index.
TEST_F(IndexTest, UpdateToNoEntriesGivesTheSectionBackHowItStarted) {
  after_ = kNumberedFrom7;
  contract(para(run("Cover page."), kLandscape));
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  bool show = false;
  engine_.StripIndexEntries(app_, *doc_, show);
  engine_.IndexUpdate(*doc_);
  EXPECT_EQ(resultLines(indexFields(*doc_)[0]), (std::vector<std::string>{"None"}));
  EXPECT_EQ(sectionStarts(*doc_), (std::vector<long>(3, host::wdSectionNewPage)));
  EXPECT_EQ(sectionProperties(*doc_)[1].child("w:pgNumType").attribute("w:start").as_int(), 7);
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 1, 1}));

  // Entries again: the columns come back, and the restart stays at the section's start.
  markEntry(*doc_, doc_->Sections().Item(2).Range().Start() + 9, "Buyer");
  engine_.IndexUpdate(*doc_);
  EXPECT_EQ(resultLines(indexFields(*doc_)[0]), (std::vector<std::string>{"Buyer, 7"}));
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 1, 2, 1, 1}));
  EXPECT_EQ(doc_->Sections().Item(2).PageSetup().StartingNumber(), 7);
  EXPECT_FALSE(doc_->Sections().Item(4).PageSetup().RestartNumberingAtSection());
}

// The column layout moves the section's page-number restart to the part before the index;
// deleting the index keeps the part after it, which gets the restart back.
TEST_F(IndexTest, RemoveGivesTheSectionBackItsPageNumberRestart) {
  after_ = kNumberedFrom7;
  contract();
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  bool removeBookmark = true;
  engine_.RemoveIndex(app_, *doc_, removeBookmark);
  ASSERT_EQ(columns(*doc_), (std::vector<int>{1, 1}));
  EXPECT_EQ(sectionProperties(*doc_)[0].child("w:pgNumType").attribute("w:start").as_int(), 7);
  EXPECT_TRUE(doc_->Sections().Item(1).PageSetup().RestartNumberingAtSection());
  EXPECT_FALSE(doc_->Sections().Item(2).PageSetup().RestartNumberingAtSection());
}

// The text after an index in columns keeps its section's page size, margins, orientation and
// number format; the page numbers restart where the section starts, not again after the index.
TEST_F(IndexTest, InsertInColumnsKeepsThePageSetupOfTheSectionAroundIt) {
  const std::string setup =
      "<w:pgSz w:w=\"16838\" w:h=\"11906\" w:orient=\"landscape\"/>"
      "<w:pgMar w:top=\"1000\" w:right=\"900\" w:bottom=\"800\" w:left=\"700\" w:header=\"500\" w:footer=\"400\" "
      "w:gutter=\"0\"/>";
  after_ = para(run("After the index."),
                "<w:sectPr>" + setup + "<w:pgNumType w:fmt=\"lowerRoman\" w:start=\"7\"/></w:sectPr>") +
           para(run("Last section."));
  contract(para(run("Cover page."), "<w:sectPr/>"));
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  std::vector<pugi::xml_node> sections = sectionProperties(*doc_);
  ASSERT_EQ(columns(*doc_), (std::vector<int>{1, 1, 2, 1, 1}));
  for (std::size_t k = 1; k <= 3; ++k) {
    EXPECT_EQ(xml(sections[k].child("w:pgSz")) + xml(sections[k].child("w:pgMar")), setup) << k;
    EXPECT_STREQ(sections[k].child("w:pgNumType").attribute("w:fmt").value(), "lowerRoman") << k;
  }
  host::Sections all = doc_->Sections();
  EXPECT_EQ(all.Item(2).PageSetup().SectionStart(), host::wdSectionNewPage);
  EXPECT_TRUE(all.Item(2).PageSetup().RestartNumberingAtSection());
  EXPECT_EQ(all.Item(2).PageSetup().StartingNumber(), 7);
  for (long k : {3L, 4L}) {
    EXPECT_EQ(all.Item(k).PageSetup().SectionStart(), host::wdSectionContinuous) << k;
    EXPECT_FALSE(all.Item(k).PageSetup().RestartNumberingAtSection()) << k;
  }
  EXPECT_NE(all.Item(4).Range().Text().find("After the index."), std::string::npos);

  bool removeBookmark = false;
  engine_.RemoveIndex(app_, *doc_, removeBookmark);
  sections = sectionProperties(*doc_);
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(xml(sections[1].child("w:pgSz")) + xml(sections[1].child("w:pgMar")), setup);
  EXPECT_STREQ(sections[1].child("w:pgNumType").attribute("w:fmt").value(), "lowerRoman");
  EXPECT_EQ(doc_->Sections().Item(2).PageSetup().StartingNumber(), 7);
}

TEST_F(IndexTest, RemoveTakesAnIndexInTwoColumnsWithItsSectionsAndListsAndLeavesTheRest) {
  after_ = para(run("Terms not used: Deposit")) + para(run("Terms not found: Escrow")) + after_;
  long at = contract(para(run("Cover page."), kLandscape));
  const std::string cover = xml(sectionProperties(*doc_).front());
  ASSERT_EQ(sectionStarts(*doc_), (std::vector<long>{host::wdSectionNewPage, host::wdSectionNewPage}));
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  // The lists follow the index's empty paragraph, a paragraph each.
  long notUsed = doc_->Bookmarks().Item("VellandexIndex").End() + 1;
  doc_->Bookmarks().Add("VellandexIndexNotUsedList", doc_->Range(notUsed, notUsed + 24));
  doc_->Bookmarks().Add("VellandexIndexNotFoundList", doc_->Range(notUsed + 24, notUsed + 48));
  ASSERT_EQ(doc_->Bookmarks().Item("VellandexIndexNotFoundList").Range().Text(), "Terms not found: Escrow\r");
  ASSERT_EQ(columns(*doc_), (std::vector<int>{1, 1, 2, 1}));

  bool removeBookmark = true;
  engine_.RemoveIndex(app_, *doc_, removeBookmark);
  EXPECT_TRUE(removeBookmark);
  EXPECT_EQ(doc_->Content().Text(), "Cover page.\rThe Buyer and the Seller.\r\rAfter the index.\r");
  EXPECT_TRUE(indexFields(*doc_).empty());
  EXPECT_EQ(doc_->Fields().Count(), 2);  // the entries stay
  EXPECT_EQ(columns(*doc_), (std::vector<int>{1, 1}));
  EXPECT_EQ(sectionStarts(*doc_), (std::vector<long>{host::wdSectionNewPage, host::wdSectionNewPage}));
  EXPECT_EQ(xml(sectionProperties(*doc_).front()), cover);
  for (const char* gone : {"VellandexIndex", "VellandexIndexNotUsedList", "VellandexIndexNotFoundList"})
    EXPECT_FALSE(doc_->Bookmarks().Exists(gone)) << gone;
  ASSERT_TRUE(doc_->Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(doc_->Bookmarks().Item("IndexBKStart").Start(), at);
  EXPECT_EQ(doc_->Bookmarks().Item("IndexBKStart").End(), at);

  // The next index goes where this one stood.
  engine_.IndexInsert(app_, *doc_, 2, ", ");
  EXPECT_EQ(doc_->Bookmarks().Item("VellandexIndex").Start(), at);
}

TEST_F(IndexTest, RemoveLeavesAContinuousSectionContinuousAndWithoutTheFlagNoStartBookmark) {
  for (long cols : {1L, 2L}) {
    contract(para(run("Cover page."), kLandscape));
    doc_->Sections().Item(2).PageSetup().SetSectionStart(host::wdSectionContinuous);
    const std::string text = doc_->Content().Text();
    engine_.IndexInsert(app_, *doc_, cols, ", ");
    bool removeBookmark = false;
    engine_.RemoveIndex(app_, *doc_, removeBookmark);
    EXPECT_EQ(doc_->Content().Text(), text) << cols;
    EXPECT_EQ(sectionStarts(*doc_), (std::vector<long>{host::wdSectionNewPage, host::wdSectionContinuous})) << cols;
    EXPECT_FALSE(doc_->Bookmarks().Exists("IndexBKStart")) << cols;
    EXPECT_FALSE(doc_->Bookmarks().Exists("VellandexIndex")) << cols;
  }
}

TEST_F(IndexTest, InsertInANumberedListTakesNoNumbersAndLeavesTheListsOwn) {
  const std::string numbered = "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>";
  after_ = para(run("After the index."), numbered);
  contract(para(run("Before the index."), numbered), numbered);
  engine_.IndexInsert(app_, *doc_, 1, ", ");
  int numberedParagraphs = 0;
  for (const std::string& p : host::testing::paragraphsXml(*doc_, "word/document.xml")) {
    const bool inIndex = p.find(kHeading) != std::string::npos || p.find("INDEX \\c1") != std::string::npos ||
                         p.find("Buyer, 1") != std::string::npos;
    if (inIndex) {
      EXPECT_EQ(p.find("numPr"), std::string::npos) << p;
    }
    numberedParagraphs += p.find(numbered) != std::string::npos;
  }
  // Before, the empty paragraph that held the start bookmark, and after: as many as before.
  EXPECT_EQ(numberedParagraphs, 3);
}

}  // namespace
}  // namespace engine
