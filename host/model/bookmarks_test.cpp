#include "host/model/bookmarks.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/errors.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

std::pair<long, long> span(const Bookmark& b) { return {b.Start(), b.End()}; }

// "The quick brown fox\r" + "second\r" (starts at 20) + "last\r" (starts at 27).
std::unique_ptr<Document> threeParagraphs() {
  return openBody(para(run("The quick ") + run("brown fox")) + para(run("second")) + para(run("last")));
}

TEST(Bookmarks, ExistsComparesNamesWithoutRegardToCase) {
  auto doc = threeParagraphs();
  EXPECT_FALSE(doc->Bookmarks().Exists("Term"));
  doc->Bookmarks().Add("Term", doc->Range(4, 9));
  EXPECT_TRUE(doc->Bookmarks().Exists("Term"));
  EXPECT_TRUE(doc->Bookmarks().Exists("TERM"));
  EXPECT_TRUE(doc->Bookmarks().Exists("term"));
  EXPECT_FALSE(doc->Bookmarks().Exists("Ter"));
  EXPECT_FALSE(doc->Bookmarks().Exists(""));
  EXPECT_EQ(doc->Bookmarks().Item("tErM").Name(), "Term");
  try {
    doc->Bookmarks().Item("missing");
    ADD_FAILURE() << "a missing bookmark was returned";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrNoSuchMember);
  }
}

struct AddCase {
  const char* name;
  long start, end;
  std::string text;
};

TEST(Bookmarks, AddedBookmarksSurviveSaveAndReopenAtTheSamePositions) {
  const std::vector<AddCase> cases = {
      {"inside a run", 5, 7, "ui"},
      {"across runs", 4, 15, "quick brown"},
      {"a whole paragraph", 20, 27, "second\r"},
      {"across paragraphs", 16, 23, "fox\rsec"},
      {"at the story start", 0, 3, "The"},
      {"one point", 9, 9, ""},
      {"one point at a paragraph start", 20, 20, ""},
      {"the whole story", 0, 32, "The quick brown fox\rsecond\rlast\r"},
      {"one point at the story end", 32, 32, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = threeParagraphs();
    std::string text = doc->Content().Text();
    Bookmark b = doc->Bookmarks().Add("Mark", doc->Range(c.start, c.end));
    EXPECT_EQ(span(b), std::make_pair(c.start, c.end));
    EXPECT_EQ(b.Range().Text(), c.text);
    EXPECT_EQ(doc->Content().Text(), text);  // bookmarks take no positions
    EXPECT_FALSE(doc->Saved());
    auto again = reopen(*doc);
    ASSERT_TRUE(again->Bookmarks().Exists("mark"));
    Bookmark back = again->Bookmarks().Item("Mark");
    EXPECT_EQ(span(back), std::make_pair(c.start, c.end));
    std::string body = bodyXml(*again);
    EXPECT_NE(body.find("<w:bookmarkStart w:id=\"0\" w:name=\"Mark\"/>"), std::string::npos) << body;
    EXPECT_NE(body.find("<w:bookmarkEnd w:id=\"0\"/>"), std::string::npos);
    EXPECT_LT(body.find("<w:bookmarkStart"), body.find("<w:bookmarkEnd"));
  }
}

TEST(Bookmarks, AddingAnExistingNameMovesTheBookmark) {
  auto doc = threeParagraphs();
  doc->Bookmarks().Add("Place", doc->Range(0, 3));
  doc->Bookmarks().Add("PLACE", doc->Range(20, 26));
  EXPECT_EQ(doc->Bookmarks().Count(), 1);
  EXPECT_EQ(doc->Bookmarks().Item("place").Range().Text(), "second");
  EXPECT_EQ(doc->Bookmarks().Item("place").Name(), "PLACE");
  std::string body = bodyXml(*doc);
  EXPECT_EQ(body.find("<w:bookmarkStart"), body.rfind("<w:bookmarkStart"));  // one element left
}

TEST(Bookmarks, DeleteRemovesBothElements) {
  auto doc = threeParagraphs();
  std::string before = bodyXml(*doc);
  doc->Bookmarks().Add("Gone", doc->Range(4, 9));
  doc->Bookmarks().Item("gone").Delete();
  EXPECT_FALSE(doc->Bookmarks().Exists("Gone"));
  EXPECT_EQ(doc->Bookmarks().Count(), 0);
  std::string after = bodyXml(*doc);
  EXPECT_EQ(after.find("bookmark"), std::string::npos);
}

TEST(Bookmarks, ABookmarkWhoseElementsWereRemovedReportsIt) {
  auto doc = threeParagraphs();
  Bookmark b = doc->Bookmarks().Add("Moved", doc->Range(21, 24));
  Bookmark kept = doc->Bookmarks().Add("Kept", doc->Range(4, 9));
  doc->Bookmarks().Add("moved", doc->Range(27, 31));  // takes the name's elements away from b
  ASSERT_EQ(doc->Bookmarks().Item("Moved").Range().Text(), "last");
  const Failure deleted{kErrObjectDeleted, "The bookmark has been deleted."};
  EXPECT_EQ(failureOf([&] { b.Start(); }), deleted) << "Start";
  EXPECT_EQ(failureOf([&] { b.Name(); }), deleted) << "Name";
  EXPECT_EQ(failureOf([&] { b.Delete(); }), deleted) << "Delete";
  EXPECT_EQ(kept.Range().Text(), "quick");
}

TEST(Bookmarks, BookmarksFollowEditsAroundThem) {
  auto doc = threeParagraphs();
  doc->Bookmarks().Add("Brown", doc->Range(10, 15));
  doc->Range(0, 0).InsertBefore("Once ");
  EXPECT_EQ(doc->Bookmarks().Item("brown").Range().Text(), "brown");
  doc->Range(16, 16).InsertBefore("dark ");  // inside the bookmark
  EXPECT_EQ(doc->Bookmarks().Item("brown").Range().Text(), "bdark rown");
  doc->Range(25, 25).InsertBefore("!");  // right after its end: outside
  EXPECT_EQ(doc->Bookmarks().Item("brown").Range().Text(), "bdark rown");
}

TEST(Bookmarks, SelectAndRangeGiveTheBookmarkedStretch) {
  auto doc = threeParagraphs();
  Bookmark b = doc->Bookmarks().Add("Sel", doc->Range(4, 9));
  b.Select();
  EXPECT_EQ(doc->SelectionRange().Start(), 4);
  EXPECT_EQ(doc->SelectionRange().End(), 9);
  doc->Range(20, 26).AddBookmark("ByRange");
  EXPECT_EQ(doc->Bookmarks().Item("byrange").Start(), 20);
  EXPECT_EQ(doc->Bookmarks().Item("byrange").End(), 26);
}

TEST(Bookmarks, BookmarksInTheFileAreReadWhereTheyStand) {
  std::string body = "<w:bookmarkStart w:id=\"3\" w:name=\"Body\"/>" +
                     para(run("ab") + "<w:bookmarkStart w:id=\"5\" w:name=\"Inner\"/>" + run("cd") +
                          "<w:bookmarkEnd w:id=\"5\"/>") +
                     para(run("ef")) + "<w:bookmarkEnd w:id=\"3\"/>" +
                     para(run("gh") + "<w:bookmarkStart w:id=\"9\" w:name=\"NoEnd\"/>");
  auto doc = openBody(body);
  EXPECT_EQ(doc->Bookmarks().Count(), 3);
  EXPECT_EQ(span(doc->Bookmarks().Item("Body")), std::make_pair(0L, 8L));
  EXPECT_EQ(span(doc->Bookmarks().Item("Inner")), std::make_pair(2L, 4L));
  EXPECT_EQ(span(doc->Bookmarks().Item("NoEnd")), std::make_pair(10L, 10L));
  // A new bookmark gets an id no other bookmark has.
  doc->Bookmarks().Add("New", doc->Range(1, 2));
  EXPECT_NE(bodyXml(*doc).find("<w:bookmarkStart w:id=\"10\" w:name=\"New\"/>"), std::string::npos);
}

TEST(Bookmarks, BookmarksBetweenTableRowsAndCellsHavePositions) {
  // Word writes a bookmark around table rows as children of w:tbl and w:tr.
  std::string body = para(run("ab")) + "<w:tbl><w:tblPr/><w:bookmarkStart w:id=\"1\" w:name=\"Rows\"/><w:tr><w:tc>" +
                     para(run("c")) + "</w:tc><w:bookmarkStart w:id=\"2\" w:name=\"Cell\"/><w:tc>" + para(run("d")) +
                     "</w:tc><w:bookmarkEnd w:id=\"2\"/></w:tr><w:bookmarkEnd w:id=\"1\"/><w:tr><w:tc>" +
                     para(run("e")) + "</w:tc></w:tr></w:tbl>" + para(run("f"));
  auto doc = openBody(body);
  // "ab\r" 0-2, "c\a" 3-4, "d\a" 5-6, row end 7, "e\a" 8-9, row end 10, "f\r" 11-12.
  ASSERT_EQ(doc->Bookmarks().Count(), 2);
  EXPECT_EQ(span(doc->Bookmarks().Item("Rows")), std::make_pair(3L, 8L));
  EXPECT_EQ(span(doc->Bookmarks().Item("Cell")), std::make_pair(5L, 7L));
  EXPECT_EQ(doc->Bookmarks().Item("Rows").Range().Text(), "c\r\ad\r\a\r\a");
  doc->Bookmarks().Item("Cell").Delete();
  EXPECT_FALSE(doc->Bookmarks().Exists("Cell"));
  EXPECT_EQ(doc->Content().Characters16(), u"ab\rc\ad\a\ae\a\af\r");
  doc->Bookmarks().Add("New", doc->Range(0, 1));  // an id no bookmark has now
  EXPECT_NE(bodyXml(*doc).find("<w:bookmarkStart w:id=\"2\" w:name=\"New\"/>"), std::string::npos);
  doc->Bookmarks().Add("rows", doc->Range(11, 12));  // moves the table's bookmark
  EXPECT_EQ(doc->Bookmarks().Count(), 2);
  EXPECT_EQ(bodyXml(*doc).find("w:id=\"1\""), std::string::npos);
}

TEST(Bookmarks, BookmarksInNotesAndHeaders) {
  DocParts parts;
  parts.body = para(run("main") + elementRun("<w:footnoteReference w:id=\"1\"/>")) +
               "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH1\"/></w:sectPr>";
  parts.footnotes = {para(run("note text"))};
  parts.headers = {{"header1.xml", "rIdH1", false, para(run("Header"))}};
  auto doc = openDocument(parts);
  Range note = doc->StoryRanges().Item(wdFootnotesStory);
  note.SetRange(5, 9);
  doc->Bookmarks().Add("InNote", note);
  Range header = doc->StoryRanges().Item(wdPrimaryHeaderStory);
  header.SetRange(0, 4);
  doc->Bookmarks().Add("InHeader", header);
  auto again = reopen(*doc);
  Bookmark inNote = again->Bookmarks().Item("innote");
  EXPECT_EQ(inNote.Range().StoryType(), wdFootnotesStory);
  EXPECT_EQ(inNote.Range().Text(), "text");
  EXPECT_EQ(again->Bookmarks().Item("inheader").Range().Text(), "Head");
  EXPECT_EQ(again->Bookmarks().Item("inheader").Range().StoryType(), wdPrimaryHeaderStory);
}

TEST(Bookmarks, ANameIsRequired) {
  auto doc = threeParagraphs();
  EXPECT_THROW(doc->Bookmarks().Add("", doc->Range(0, 1)), Error);
}

}  // namespace
}  // namespace host
