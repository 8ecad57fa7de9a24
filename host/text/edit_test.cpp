#include "host/text/edit.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

std::pair<long, long> span(const Range& r) { return {r.Start(), r.End()}; }

struct EditCase {
  const char* name;
  std::string body;
  long start, end;
  enum Op { Delete, InsertBefore, InsertAfter, SetText, ParagraphBefore, ParagraphAfter } op;
  std::string text;
  std::string after;          // Range.Text of the whole story afterwards
  long rangeStart, rangeEnd;  // the edited range afterwards
};

TEST(Edits, TextAndParagraphEditsGiveTheExpectedStoryAndRange) {
  const std::string fox = para(run("The quick ") + run("brown fox"));
  const std::vector<EditCase> cases = {
      {"delete inside a run", fox, 4, 10, EditCase::Delete, "", "The brown fox\r", 4, 4},
      {"delete across runs", fox, 8, 12, EditCase::Delete, "", "The quicown fox\r", 8, 8},
      {"delete nothing", fox, 4, 4, EditCase::Delete, "", "The quick brown fox\r", 4, 4},
      {"delete a paragraph mark joins paragraphs", para(run("one")) + para(run("two")), 2, 5, EditCase::Delete, "",
       "onwo\r", 2, 2},
      {"delete the story's last mark keeps it", para(run("one")), 0, 4, EditCase::Delete, "", "\r", 0, 1},
      {"delete over a table keeps cell and row marks", para(run("ab")) + table({{"c", "d"}}) + para(run("ef")), 1, 9,
       EditCase::Delete, "", "a\r\r\a\r\a\r\af\r", 1, 5},
      {"insert before grows the range", fox, 4, 9, EditCase::InsertBefore, "very ", "The very quick brown fox\r", 4,
       14},
      {"insert after grows the range", fox, 4, 9, EditCase::InsertAfter, "!", "The quick! brown fox\r", 4, 10},
      {"insert after the story end goes before the last mark", fox, 0, 20, EditCase::InsertAfter, ".",
       "The quick brown fox.\r", 0, 21},
      {"insert into an empty paragraph", para("") + para(run("x")), 0, 0, EditCase::InsertBefore, "new", "new\rx\r", 0,
       3},
      {"insert a tab and a line break", fox, 3, 3, EditCase::InsertAfter, "\t\v", "The\t\v quick brown fox\r", 3, 5},
      {"insert a paragraph break", fox, 9, 9, EditCase::InsertAfter, "\r", "The quick\r brown fox\r", 9, 10},
      {"insert CR LF as one paragraph break", fox, 9, 9, EditCase::InsertAfter, "\r\n", "The quick\r brown fox\r", 9,
       10},
      {"replace text", fox, 4, 9, EditCase::SetText, "slow", "The slow brown fox\r", 4, 8},
      {"replace across paragraphs", para(run("one")) + para(run("two")), 1, 6, EditCase::SetText, "X", "oXo\r", 1, 2},
      {"paragraph before", fox, 4, 9, EditCase::ParagraphBefore, "", "The \rquick brown fox\r", 4, 10},
      {"paragraph after", fox, 4, 9, EditCase::ParagraphAfter, "", "The quick\r brown fox\r", 4, 10},
      {"paragraph before at the story start", fox, 0, 0, EditCase::ParagraphBefore, "", "\rThe quick brown fox\r", 0,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = openBody(c.body);
    Range range = doc->Range(c.start, c.end);
    switch (c.op) {
      case EditCase::Delete: range.Delete(); break;
      case EditCase::InsertBefore: range.InsertBefore(c.text); break;
      case EditCase::InsertAfter: range.InsertAfter(c.text); break;
      case EditCase::SetText: range.SetText(c.text); break;
      case EditCase::ParagraphBefore: range.InsertParagraphBefore(); break;
      case EditCase::ParagraphAfter: range.InsertParagraphAfter(); break;
    }
    EXPECT_EQ(doc->Content().Text(), c.after);
    EXPECT_EQ(span(range), std::make_pair(c.rangeStart, c.rangeEnd));
    EXPECT_EQ(doc->Saved(), c.op == EditCase::Delete && c.start == c.end);  // only a change unsaves
    // What the model holds is what the file says.
    auto again = reopen(*doc);
    EXPECT_EQ(again->Content().Text(), c.after);
    EXPECT_EQ(again->Content().Characters16(), doc->Content().Characters16());
  }
}

TEST(Edits, TextWithMarkupCharactersSpacesAndSurrogatesSurvivesSaving) {
  const std::vector<std::string> texts = {"a<b>&c", "  spaced  ", "\"quoted\" 'x'", "\xF0\x9F\x98\x80 smile", "]]>"};
  for (const std::string& text : texts) {
    auto doc = openBody(para(run("[]")));
    Range at = doc->Range(1, 1);
    at.InsertAfter(text);
    EXPECT_EQ(at.Text(), text);
    auto again = reopen(*doc);
    EXPECT_EQ(again->Content().Text(), "[" + text + "]\r");
  }
  auto doc = openBody(para(run("[]")));
  Range smile = doc->Range(1, 1);
  smile.InsertAfter("\xF0\x9F\x98\x80");
  EXPECT_EQ(smile.End() - smile.Start(), 2);  // one position per UTF-16 unit
}

struct FieldCutCase {
  const char* name;
  std::string body;
  long start, end;
  std::u16string after;
  long fields;
};

// A deletion that takes part of a field keeps the marks of that field, so that no field is
// left without its end (which would make the rest of the story its result) or its begin.
TEST(Edits, DeletingPartOfAFieldKeepsItsMarks) {
  // "ab{ PAGE |12}cd": begin 2, code 3-8, separator 9, result 10-11, end 12.
  const std::string page = para(run("ab") + fieldChar("begin") + fieldCode(" PAGE ") + fieldChar("separate") +
                                run("12") + fieldChar("end") + run("cd"));
  const std::string nested = para(run("x") + fieldChar("begin") + fieldCode(" IF ") + fieldChar("begin") +
                                  fieldCode(" PAGE ") + fieldChar("separate") + run("1") + fieldChar("end") +
                                  fieldCode(" = 1 ") + fieldChar("separate") + run("yes") + fieldChar("end") +
                                  run("y"));
  const std::vector<FieldCutCase> cases = {
      {"from the result past the end", page, 10, 14,
       u"ab\x13 PAGE \x14\x15"
       u"d\r",
       1},
      {"from before the begin into the code", page, 1, 5,
       u"a\x13"
       u"AGE \x14"
       u"12\x15"
       u"cd\r",
       1},
      {"the whole field", page, 1, 14, u"ad\r", 0},
      {"the code and separator", page, 3, 10,
       u"ab\x13\x14"
       u"12\x15"
       u"cd\r",
       1},
      {"an inner field wholly, the outer partly", nested, 5, 25, u"x\x13 IF\x14\x15y\r", 1},
      {"across paragraphs from inside the code",
       para(run("a") + fieldChar("begin") + fieldCode(" QUOTE ") + fieldChar("separate") + run("one")) +
           para(run("two") + fieldChar("end") + run("b")),
       3, 15,
       u"a\x13 \x14wo\x15"
       u"b\r",
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = openBody(c.body);
    Range after = doc->Range(c.end, doc->Content().End() - 1);
    std::string tail = after.Text();
    doc->Range(c.start, c.end).Delete();
    EXPECT_EQ(doc->Content().Characters16(), c.after);
    EXPECT_EQ(doc->Fields().Count(), c.fields);
    EXPECT_EQ(after.Text(), tail);  // live ranges moved by exactly what went
    auto again = reopen(*doc);
    EXPECT_EQ(again->Content().Characters16(), c.after);
  }
}

TEST(Edits, DeletingIntoASimpleFieldMovesRangesByWhatWent) {
  auto doc = openBody(para(run("ab") + "<w:fldSimple w:instr=\" PAGE \">" + run("1") + "</w:fldSimple>" + run("cd")));
  Range cd = doc->Range(12, 14);
  doc->Range(1, 5).Delete();  // "b", then the field's begin (stays) and " P" of its code
  EXPECT_EQ(doc->Content().Characters16(),
            u"a\x13"
            u"AGE \x14"
            u"1\x15"
            u"cd\r");
  EXPECT_EQ(cd.Text(), "cd");
}

// The inner field goes with the outer one: removing it again would touch freed memory, which
// pugixml's own allocator may hide from the sanitizer; so the text and XML are checked too.
TEST(Edits, DeletingNestedSimpleFieldsWhollyRemovesEachOnce) {
  auto doc = openBody(para(run("ab") + "<w:fldSimple w:instr=\" IF \"><w:fldSimple w:instr=\" PAGE \">" + run("1") +
                           "</w:fldSimple></w:fldSimple>" + run("cd")));
  ASSERT_EQ(doc->Fields().Count(), 2);
  const long c = static_cast<long>(doc->Content().Characters16().find(u'c'));
  Range cd = doc->Range(c, c + 2);
  doc->Range(2, c).Delete();
  EXPECT_EQ(doc->Content().Text(), "abcd\r");
  EXPECT_EQ(cd.Text(), "cd");
  EXPECT_EQ(doc->Fields().Count(), 0);
  EXPECT_EQ(bodyXml(*doc).find("fldSimple"), std::string::npos);
  EXPECT_EQ(doc->verifyDerivedState(), "");
  EXPECT_EQ(reopen(*doc)->Content().Text(), "abcd\r");
}

TEST(Edits, TextForTheVeryEndOfAStoryIsCoveredByTheRange) {
  auto doc = openBody(para(run("abc")));
  Range end = doc->Content();
  end.Collapse(wdCollapseEnd);
  end.InsertBefore("x");
  EXPECT_EQ(end.Text(), "x");
  EXPECT_EQ(doc->Content().Text(), "abcx\r");
  Range after = doc->Content();
  after.Collapse(wdCollapseEnd);
  after.InsertAfter("y");
  EXPECT_EQ(after.Text(), "y");
  Range set = doc->Content();
  set.Collapse(wdCollapseEnd);
  set.SetText("z");
  EXPECT_EQ(set.Text(), "z");
  EXPECT_EQ(doc->Content().Text(), "abcxyz\r");
}

TEST(Edits, InsertedTextTakesTheFormattingOfTheCharacterBefore) {
  auto doc = openBody(para(run("bold", "<w:b/>") + run(" plain")) + para("", "<w:rPr><w:i/></w:rPr>"));
  doc->Range(4, 4).InsertAfter("ER");
  EXPECT_EQ(doc->Range(4, 6).Bold(), kTrue);
  doc->Range(6, 6).InsertAfter("x");  // after "ER": still bold
  EXPECT_EQ(doc->Range(6, 7).Bold(), kTrue);
  doc->Range(8, 8).InsertAfter("y");  // after the space of " plain"
  EXPECT_EQ(doc->Range(8, 9).Bold(), kFalse);
  long empty = doc->Content().End() - 1;
  doc->Range(empty, empty).InsertAfter("it");  // an empty paragraph: its mark's formatting
  EXPECT_NE(paragraphsXml(*doc, "word/document.xml")[1].find("<w:r><w:rPr><w:i/></w:rPr><w:t"), std::string::npos);
}

TEST(Edits, ParagraphBreakKeepsParagraphPropertiesAndSectionBreakOnTheSecondHalf) {
  auto doc = openBody(
      para(run("onetwo"), "<w:pStyle w:val=\"Heading1\"/><w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>") +
      para(run("next")));
  doc->Range(3, 3).InsertParagraphAfter();
  auto paragraphs = paragraphsXml(*doc, "word/document.xml");
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_NE(paragraphs[0].find("Heading1"), std::string::npos);
  EXPECT_EQ(paragraphs[0].find("sectPr"), std::string::npos);
  EXPECT_NE(paragraphs[1].find("Heading1"), std::string::npos);
  EXPECT_NE(paragraphs[1].find("sectPr"), std::string::npos);
  EXPECT_EQ(doc->Sections().Count(), 2);
  EXPECT_EQ(doc->Sections().Item(1).Range().Text(), "one\rtwo\r");
}

TEST(Edits, SplittingATrackedChangeGivesEachHalfAnIdOfItsOwn) {
  // A tracked insertion, inside a paragraph whose own mark was inserted too, with a bookmark
  // holding the largest id so far.
  auto doc = openBody(para("<w:bookmarkStart w:id=\"7\" w:name=\"b\"/><w:bookmarkEnd w:id=\"7\"/>" + run("ab") +
                               "<w:ins w:id=\"3\" w:author=\"A\"><w:r><w:t>cdef</w:t></w:r></w:ins>",
                           "<w:rPr><w:ins w:id=\"4\" w:author=\"A\"/></w:rPr>"));
  doc->Range(4, 4).InsertAfter("\r");
  EXPECT_EQ(doc->Content().Text(), "abcd\ref\r");
  std::vector<std::string> ids;
  pugi::xml_node body = doc->package().xml("word/document.xml").document_element().child("w:body");
  for (pugi::xml_node p : body.children("w:p")) {
    if (pugi::xml_node mark = p.child("w:pPr").child("w:rPr").child("w:ins"))
      ids.push_back(mark.attribute("w:id").value());
    for (pugi::xml_node ins : p.children("w:ins")) ids.push_back(ins.attribute("w:id").value());
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<std::string>{"3", "4", "8", "9"}));
}

TEST(Edits, InsertingIntoAHyperlinkSplitsNothingElse) {
  auto doc = openBody(para(run("see ") + "<w:hyperlink r:id=\"rId9\">" + run("link") + "</w:hyperlink>" + run(" end")));
  doc->Range(6, 6).InsertAfter("\r");
  EXPECT_EQ(doc->Content().Text(), "see li\rnk end\r");
  std::string body = bodyXml(*doc);
  // Each half of the link stays a link to the same target.
  EXPECT_EQ(body.find("<w:hyperlink r:id=\"rId9\">"), body.find("<w:hyperlink"));
  EXPECT_NE(body.rfind("<w:hyperlink r:id=\"rId9\">"), body.find("<w:hyperlink r:id=\"rId9\">"));
}

TEST(Edits, ATableRowEndTakesNoText) {
  auto doc = openBody(table({{"a"}}) + para(""));
  try {
    doc->Range(2, 2).InsertBefore("x");
    ADD_FAILURE() << "text went after a row";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrOutOfRange);
  }
  EXPECT_EQ(doc->Content().Characters16(), u"a\a\a\r");
}

// ---- live ranges ----

TEST(LiveRanges, AnEditBeforeARangeShiftsIt) {
  auto doc = openBody(para(run("The quick brown fox")));
  Range brown = doc->Range(10, 15);
  doc->Range(0, 0).InsertBefore("A ");
  EXPECT_EQ(span(brown), std::make_pair(12L, 17L));
  doc->Range(0, 6).Delete();
  EXPECT_EQ(span(brown), std::make_pair(6L, 11L));
  EXPECT_EQ(brown.Text(), "brown");
}

TEST(LiveRanges, AnEditInsideARangeGrowsOrShrinksIt) {
  auto doc = openBody(para(run("The quick brown fox")));
  Range middle = doc->Range(4, 15);
  doc->Range(10, 10).InsertBefore("dark ");
  EXPECT_EQ(middle.Text(), "quick dark brown");
  doc->Range(4, 10).Delete();
  EXPECT_EQ(middle.Text(), "dark brown");
  doc->Range(2, 6).Delete();  // overlaps the start
  EXPECT_EQ(span(middle), std::make_pair(2L, 10L));
  EXPECT_EQ(middle.Text(), "rk brown");
  doc->Range(0, 12).Delete();  // swallows it
  EXPECT_EQ(span(middle), std::make_pair(0L, 0L));
}

TEST(LiveRanges, ACollapsedRangeAtTheInsertionPointStaysBeforeTheText) {
  auto doc = openBody(para(run("ab")));
  Range point = doc->Range(1, 1);
  Range ends = doc->Range(0, 1);
  doc->Range(1, 1).InsertBefore("XYZ");
  EXPECT_EQ(span(point), std::make_pair(1L, 1L));
  EXPECT_EQ(span(ends), std::make_pair(0L, 1L));  // ends at the point: does not grow
  EXPECT_EQ(ends.Text(), "a");
}

TEST(LiveRanges, RangesInOtherStoriesDoNotMove) {
  DocParts parts;
  parts.body = para(run("main") + elementRun("<w:footnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(run("note text"))};
  auto doc = openDocument(parts);
  Range note = doc->StoryRanges().Item(wdFootnotesStory);
  note.SetRange(5, 9);
  doc->Range(0, 0).InsertBefore("more ");
  EXPECT_EQ(note.Text(), "text");
  note.InsertBefore("the ");
  EXPECT_EQ(doc->StoryRanges().Item(wdFootnotesStory).Text(), "note the text\r");
  EXPECT_EQ(doc->Content().Text(), "more main\x02\r");
}

// ---- fidelity ----

// Paragraphs full of things the model does not touch: revision ids, proofing marks,
// bookmarks, foreign elements and attributes.
std::string oddBody() {
  return "<w:p w:rsidR=\"00A1\" w:rsidRDefault=\"00A1\"><w:pPr><w:spacing w:after=\"0\"/></w:pPr>"
         "<w:proofErr w:type=\"spellStart\"/><w:r w:rsidR=\"00B2\"><w:t>Frist</w:t></w:r><w:proofErr w:type=\"spellEnd\"/>"
         "</w:p>"
         "<w:p><w:bookmarkStart w:id=\"7\" w:name=\"keep\"/><w:r><w:rPr><w:i/></w:rPr><w:t xml:space=\"preserve\">middle "
         "text </w:t></w:r><w:bookmarkEnd w:id=\"7\"/><w:r><w:t>here</w:t></w:r></w:p>"
         "<w:p><w:r><w:rPr><w:lang w:val=\"fr-FR\"/></w:rPr><w:t>dernier</w:t></w:r>"
         "<w:customXml w:element=\"x\"><w:r><w:t>tag</w:t></w:r></w:customXml></w:p>";
}

TEST(Fidelity, InsertingAndDeletingLeaveEveryOtherParagraphUnchanged) {
  for (int op = 0; op < 3; ++op) {
    SCOPED_TRACE(op);
    auto doc = openBody(oddBody());
    auto before = paragraphsXml(*doc, "word/document.xml");
    Range middle = doc->Range(8, 8);  // inside "middle"
    if (op == 0) middle.InsertAfter("inserted ");
    if (op == 1) doc->Range(8, 14).Delete();
    if (op == 2) doc->Range(8, 14).SetBold(kTrue);
    auto again = reopen(*doc);
    auto after = paragraphsXml(*again, "word/document.xml");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[2], before[2]);
    EXPECT_NE(after[1], before[1]);
    // The bookmark around the edit keeps its elements.
    EXPECT_NE(after[1].find("<w:bookmarkStart w:id=\"7\" w:name=\"keep\"/>"), std::string::npos);
    EXPECT_TRUE(again->Bookmarks().Exists("keep"));
  }
}

TEST(Fidelity, PartsThatWereNotEditedStayByteIdentical) {
  DocParts parts;
  parts.body = para(run("main") + elementRun("<w:footnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(run("note"))};
  parts.headers = {{"header1.xml", "rIdH1", false, para(run("head"))}};
  parts.body += "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH1\"/></w:sectPr>";
  std::string original = makeDocx(parts);
  auto doc = Document::FromBytes(original, "test.docx");
  doc->StoryRanges().Item(wdFootnotesStory).InsertBefore("edited ");
  auto source = Package::fromBytes(original, "original");
  auto saved = Package::fromBytes(doc->package().toBytes(), "saved");
  EXPECT_EQ(saved->partNames(), source->partNames());
  for (const std::string& part : source->partNames()) {
    if (part == "word/footnotes.xml") {
      EXPECT_NE(saved->bytes(part), source->bytes(part));
    } else {
      EXPECT_EQ(saved->bytes(part), source->bytes(part)) << part;
    }
  }
}

TEST(Fidelity, AnUneditedDocumentSavesByteIdentical) {
  DocParts parts;
  parts.body = oddBody();
  std::string original = makeDocx(parts);
  auto doc = Document::FromBytes(original, "test.docx");
  doc->Content().Text();
  doc->Content().Bold();
  doc->Bookmarks().Exists("keep");
  auto source = Package::fromBytes(original, "original");
  auto saved = Package::fromBytes(doc->package().toBytes(), "saved");
  for (const std::string& part : source->partNames()) EXPECT_EQ(saved->bytes(part), source->bytes(part)) << part;
  EXPECT_TRUE(doc->Saved());
}

}  // namespace
}  // namespace host
