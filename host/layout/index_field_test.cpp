#include "host/layout/index_field.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "host/layout/index_lines.h"
#include "host/model/document.h"
#include "host/parse/field_code.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using testing::docWithBody;
using testing::footnoteRef;
using testing::para;
using testing::resultLines;
using testing::run;

// A complex field with the given code, as the word processor writes an index entry.
std::string xe(const std::string& code) {
  return "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText xml:space=\"preserve\"> " + code +
         " </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
}

const std::string kPageBreak = "<w:r><w:br w:type=\"page\"/></w:r>";

// Adds an INDEX field in the document's last (empty) paragraph, as the engine does.
Field addIndex(Document& doc, const std::string& code) {
  long at = doc.Content().End() - 1;
  return doc.Fields().Add(doc.Range(at, at), wdFieldEmpty, code, false);
}

TEST(IndexCodes, SwitchesTakeAttachedOrFollowingArguments) {
  IndexFieldCode c = parseIndexCode("INDEX \\c2 \\e\":  \t\" \\f \"VellandexIndex\"");
  EXPECT_EQ(c.columns, 2);
  EXPECT_EQ(c.entrySeparator, ":  \t");
  ASSERT_TRUE(c.identifier);
  EXPECT_EQ(*c.identifier, "VellandexIndex");

  c = parseIndexCode("INDEX \\c \"3\" \\h \"A\" \\r \\l \"; \" \\g \"-\" \\p \"a--m\" \\z \"1033\" \\q");
  EXPECT_EQ(c.columns, 3);
  EXPECT_EQ(*c.heading, "A");
  EXPECT_TRUE(c.runIn);
  EXPECT_EQ(c.pageSeparator, "; ");
  EXPECT_EQ(c.rangeSeparator, "-");
  EXPECT_EQ(c.letterRange, "a--m");
  EXPECT_EQ(c.entrySeparator, ", ");
  EXPECT_FALSE(c.identifier);

  EXPECT_EQ(parseIndexCode("INDEX \\c 9").columns, 4);
  EXPECT_EQ(parseIndexCode("INDEX \\c x").columns, 1);
  EXPECT_EQ(parseIndexCode("INDEX \\e \"\"").entrySeparator, "");
}

TEST(IndexCodes, EntryTextSplitsAtUnescapedColonsOnly) {
  auto e = parseEntryCode(" XE \"Main:Sub \\: part\" \\f V \\b \\i \\t \"See Other\" \\y \"sort\" ");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->levels, (std::vector<std::string>{"Main", "Sub : part"}));
  EXPECT_EQ(*e->identifier, "V");
  EXPECT_TRUE(e->bold);
  EXPECT_TRUE(e->italic);
  EXPECT_EQ(e->crossReference, "See Other");
  EXPECT_EQ(e->sortAs, "sort");

  e = parseEntryCode("xe \"Say \\\"Hi\\\" \\\\ now\"");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->levels, (std::vector<std::string>{"Say \"Hi\" \\ now"}));
  EXPECT_FALSE(e->identifier);

  EXPECT_FALSE(parseEntryCode("XE \"\""));
  EXPECT_FALSE(parseEntryCode("INDEX \"x\""));
  EXPECT_FALSE(parseEntryCode("XE"));
}

TEST(IndexCodes, IdentifiersCompareWholeWithoutCase) {
  EXPECT_TRUE(sameIndexIdentifier("VellandexIndex", "vellandexINDEX"));
  EXPECT_FALSE(sameIndexIdentifier("VellandexIndex", "V"));
  EXPECT_FALSE(sameIndexIdentifier("Vellandex", "VellandexIndex"));
}

TEST(IndexUpdate, MarkedEntriesReadBackAsTypedWithQuotesAndColons) {
  auto doc = docWithBody(para(run("Alpha beta")) + "<w:p/>");
  Indexes idx = doc->Indexes();
  idx.MarkEntry(doc->Range(0, 5), "Say \"Hi\": now");
  idx.MarkEntry(doc->Range(0, 5), "back\\slash");
  Field f = addIndex(*doc, "INDEX \\e \", \"");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"back\\slash, 1", "Say \"Hi\": now, 1"}));
}

TEST(IndexUpdate, PagesMergeAscendingAndEqualEntriesShareALine) {
  auto doc = docWithBody(para(run("one") + xe("XE \"Term\"") + xe("XE \"Term\"") + kPageBreak) +
                         para(run("two") + xe("XE \"Other\"") + kPageBreak) + para(run("three") + xe("XE \"Term\"")) +
                         "<w:p/>");
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Other, 2", "Term, 1, 3"}));
  EXPECT_EQ(doc->pagination().pageCount(), 3);
}

TEST(IndexUpdate, SubEntriesIndentUnderTheirMainEntry) {
  auto doc = docWithBody(para(run("x") + xe("XE \"Main:Sub\"") + xe("XE \"Main\"") + xe("XE \"Aaa\"")) + "<w:p/>");
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Aaa, 1", "Main, 1", "Sub, 1"}));
  // The sub-entry's paragraph is indented one level.
  pugi::xml_document& xml = doc->package().xml(doc->package().mainPartName());
  pugi::xpath_node sub = xml.select_node("//w:p[w:r/w:t='Sub, 1']");
  ASSERT_TRUE(sub);
  EXPECT_STREQ(sub.node().child("w:pPr").child("w:ind").attribute("w:left").value(), "240");
}

TEST(IndexUpdate, RunInHeadingsPageSeparatorAndLetterRange) {
  auto doc = docWithBody(para(run("x") + xe("XE \"Main:Sub\"") + xe("XE \"Main:Two\"") + xe("XE \"apple\"") +
                              kPageBreak + xe("XE \"apple\"") + xe("XE \"zed\"")) +
                         "<w:p/>");
  Field f = addIndex(*doc, "INDEX \\r \\h \"-A-\" \\l \"; \" \\p \"a--m\"");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"-A-", "apple, 1; 2", "-M-", "Main: Sub, 1; Two, 1"}));
}

TEST(IndexUpdate, TwoColumnsMakeAContinuousSectionInsideTheResult) {
  auto doc = docWithBody(para(run("x") + xe("XE \"Alpha\" \\f \"V\"")) + "<w:p/>");
  Field f = addIndex(*doc, "INDEX \\c2 \\e\", \" \\f \"V\"");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Alpha, 1"}));
  Story& main = doc->mainStory();
  FieldSpan span = f.Span();
  int columnSections = 0, sectionBreaks = 0;
  for (std::size_t b = 0; b < main.blocks().size(); ++b) {
    pugi::xml_node sect = main.blocks()[b].node.child("w:pPr").child("w:sectPr");
    if (!sect) continue;
    long mark = main.blockStart(b) + main.map(b).length() - 1;
    if (mark < span.separator || mark > span.end) continue;
    ++sectionBreaks;
    if (std::string(sect.child("w:cols").attribute("w:num").value()) != "2") continue;
    ++columnSections;
    EXPECT_STREQ(sect.child("w:type").attribute("w:val").value(), "continuous");
  }
  EXPECT_EQ(sectionBreaks, 2);  // before and after the index
  EXPECT_EQ(columnSections, 1);
  // The rest of the document goes on on the same page after the index.
  pugi::xml_node body = doc->package().xml(doc->package().mainPartName()).child("w:document").child("w:body");
  EXPECT_STREQ(body.child("w:sectPr").child("w:type").attribute("w:val").value(), "continuous");

  // Updating again replaces the result instead of adding sections.
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Alpha, 1"}));
  int count = 0;
  for (const Block& b : main.blocks()) count += b.node.child("w:pPr").child("w:sectPr") ? 1 : 0;
  EXPECT_EQ(count, 2);
}

TEST(IndexUpdate, AResultNoLongerInColumnsGivesTheSectionBackItsStartAndRestart) {
  auto doc = docWithBody(
      para(run("x") + xe("XE \"Alpha\" \\f \"V\"")) + "<w:p/>" +
      para(run("After."), "<w:sectPr><w:type w:val=\"oddPage\"/><w:pgNumType w:start=\"4\"/></w:sectPr>") +
      para(run("Last.")));
  long at = static_cast<long>(doc->Content().Text().find('\r')) + 1;
  Field f = doc->Fields().Add(doc->Range(at, at), wdFieldEmpty, "INDEX \\c2 \\f \"V\"", false);
  f.Update();
  ASSERT_EQ(doc->Sections().Count(), 4);
  ASSERT_EQ(doc->Sections().Item(1).PageSetup().SectionStart(), wdSectionOddPage);
  ASSERT_EQ(doc->Sections().Item(3).PageSetup().SectionStart(), wdSectionContinuous);

  // One column: the lines go on in the field's paragraphs and the breaks around them go.
  Range code = f.Code();
  code.SetText(" INDEX \\f \"V\" ");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Alpha, 4"}));  // the section numbers from 4
  ASSERT_EQ(doc->Sections().Count(), 2);
  Section::PageSetupView first = doc->Sections().Item(1).PageSetup();
  EXPECT_EQ(first.SectionStart(), wdSectionOddPage);
  EXPECT_TRUE(first.RestartNumberingAtSection());
  EXPECT_EQ(first.StartingNumber(), 4);
  std::string joined = doc->Sections().Item(1).Range().Text();
  EXPECT_EQ(joined.substr(joined.size() - 7), "After.\r");
}

TEST(IndexUpdate, IdentifierFilterIsWholeAndCaseInsensitive) {
  auto doc = docWithBody(para(run("x") + xe("XE \"Ours\" \\f \"vellandexindex\"") + xe("XE \"Theirs\" \\f \"Vell\"") +
                              xe("XE \"Plain\"") + xe("XE \"Also\" \\f VellandexIndex")) +
                         "<w:p/>");
  Field ours = addIndex(*doc, "INDEX \\f \"VellandexIndex\"");
  ours.Update();
  EXPECT_EQ(resultLines(ours), (std::vector<std::string>{"Also, 1", "Ours, 1"}));
  Field plain = addIndex(*doc, "INDEX");
  plain.Update();
  EXPECT_EQ(resultLines(plain), (std::vector<std::string>{"Plain, 1"}));
}

TEST(IndexUpdate, NoMatchingEntryGivesTheErrorInOneParagraph) {
  auto doc = docWithBody(para(run("x") + xe("XE \"Other\" \\f \"X\"")) + "<w:p/>");
  Field f = addIndex(*doc, "INDEX \\c2 \\f \"VellandexIndex\"");
  long paragraphs = static_cast<long>(doc->mainStory().blocks().size());
  f.Update();
  EXPECT_EQ(f.Result().Text(), kNoIndexEntries);
  EXPECT_EQ(static_cast<long>(doc->mainStory().blocks().size()), paragraphs);
  // The engine's replacement of an empty index works on it.
  f.Result().SetText("None\r\n");
  EXPECT_EQ(f.Result().Text(), "None\r");
}

TEST(IndexUpdate, SortsWithoutCaseFirstAndAccentsInPlace) {
  std::string entries;
  for (const char* e : {"zulu",
                        "\xC3\x89"
                        "clair",
                        "Banana", "eclair", "apple", "Zebra",
                        "\xC3\xA9"
                        "clair"})
    entries += xe(std::string("XE \"") + e + "\"");
  auto doc = docWithBody(para(run("x") + entries) + "<w:p/>");
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"apple, 1", "Banana, 1", "eclair, 1",
                                                      "\xC3\xA9"
                                                      "clair, 1",
                                                      "\xC3\x89"
                                                      "clair, 1",
                                                      "Zebra, 1", "zulu, 1"}));
}

TEST(IndexUpdate, FootnoteEntriesTakeTheirReferencesPage) {
  auto doc = docWithBody(para(run("one") + kPageBreak) + para(run("two") + footnoteRef(1)) + "<w:p/>",
                         {para(run("note") + xe("XE \"Noted\""))});
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Noted, 2"}));
}

TEST(IndexUpdate, EndnoteEntriesTakeThePageTheirEndnoteStandsOn) {
  // Endnotes stand after the text, on its last page; a footnote stays on its reference's.
  testing::DocParts parts;
  parts.body = para(run("one") + testing::endnoteRef(1) + footnoteRef(1) + kPageBreak) + para(run("two")) + "<w:p/>";
  parts.footnotes = {para(run("foot") + xe("XE \"Footed\""))};
  parts.endnotes = {para(run("end") + xe("XE \"Ended\""))};
  parts.lastSection = testing::LastSection::NewDocument;
  auto doc = testing::openDocument(parts);
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"Ended, 2", "Footed, 1"}));
}

TEST(IndexUpdate, AnIndexThatPushesTheEndOfTheTextOnMovesTheEndnotesWithIt) {
  // Forty entries fill most of page 1 before the index at the end; their index lines push the
  // end of the text, and the endnote after it, onto a later page.
  const std::string line = "<w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"exact\"/></w:pPr>";
  std::string body;
  for (int k = 0; k < 40; ++k)
    body += "<w:p>" + line + run("line") + xe("XE \"T" + std::to_string(100 + k) + "\"") +
            (k == 0 ? testing::endnoteRef(1) : "") + "</w:p>";
  testing::DocParts parts;
  parts.body = body + "<w:p/>";
  parts.endnotes = {para(run("end") + xe("XE \"Late\""))};
  parts.lastSection = testing::LastSection::NewDocument;
  auto doc = testing::openDocument(parts);
  Story& notes = *doc->story(wdEndnotesStory);
  EXPECT_EQ(doc->pagination().pageOf(notes, 0).physical, 1);
  Field f = addIndex(*doc, "INDEX");
  f.Update();
  const PageNumber moved = doc->pagination().pageOf(notes, 0);
  EXPECT_GT(moved.physical, 1);
  std::vector<std::string> lines = resultLines(f);
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[0], "Late, " + moved.label);
}

TEST(IndexUpdate, ReplacesAMultiParagraphResultAndKeepsRangesAfterIt) {
  auto doc = docWithBody(para(run("x") + xe("XE \"A\"") + xe("XE \"B\"") + xe("XE \"C\"")) + "<w:p/>" +
                         para(run("After")));
  long at = doc->mainStory().blockStart(1);
  Field f = doc->Fields().Add(doc->Range(at, at), wdFieldEmpty, "INDEX", false);
  long afterStart = doc->mainStory().blockStart(2);
  Range after = doc->Range(afterStart, afterStart + 5);
  f.Update();
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"A, 1", "B, 1", "C, 1"}));
  EXPECT_EQ(after.Text(), "After");
  EXPECT_EQ(doc->Content().Text().find("A, 1"), doc->Content().Text().rfind("A, 1"));
}

TEST(IndexUpdate, EntriesAfterTheIndexGetThePagesTheIndexPushesThemTo) {
  // In one column and in two (its own section), first written and then rewritten over its
  // old result: the pages match a fresh count of the document as the index leaves it.
  for (const char* code : {"INDEX", "INDEX \\c 2"}) {
    std::string body = "<w:p/>";
    for (int k = 0; k < 60; ++k) body += para(run("line") + xe("XE \"T" + std::to_string(100 + k) + "\""));
    auto doc = docWithBody(body);
    Field f = doc->Fields().Add(doc->Range(0, 0), wdFieldEmpty, code, false);
    for (int update = 1; update <= 2; ++update) {
      f.Update();
      std::vector<std::string> lines = resultLines(f);
      ASSERT_EQ(lines.size(), 60u) << code << ", update " << update;
      std::vector<FoundEntry> entries = collectIndexEntries(*doc);
      ASSERT_EQ(entries.size(), 60u);
      for (std::size_t k = 0; k < entries.size(); ++k) {
        PageNumber page = doc->pagination().pageOf(*entries[k].story, entries[k].position);
        EXPECT_EQ(lines[k], "T" + std::to_string(100 + k) + ", " + page.label) << code << ", update " << update;
      }
      EXPECT_NE(lines.back(), "T159, 1");  // sixty index lines and sixty more lines fill more than a page
    }
  }
}

TEST(IndexUpdate, AnEntryFieldATrackedChangeDeletedIsLeftOut) {
  const std::string deletedEntry =
      "<w:del w:id=\"1\" w:author=\"A\"><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:delInstrText "
      "xml:space=\"preserve\"> XE \"Gone\" </w:delInstrText></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:del>";
  auto doc = docWithBody(para(run("x") + xe("XE \"Kept\"") + deletedEntry) + "<w:p/>");
  std::vector<FoundEntry> entries = collectIndexEntries(*doc);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries.front().code.levels, std::vector<std::string>{"Kept"});
}

TEST(IndexUpdate, AFieldWhoseMarksSitInsideAHyperlinkGetsPlainText) {
  auto doc = docWithBody(
      para(run("x") + xe("XE \"A\"") + xe("XE \"B\"")) +
      para("<w:hyperlink w:anchor=\"x\"><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
           "<w:r><w:instrText> INDEX </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
           "<w:r><w:t>old</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:hyperlink>"));
  Field f = doc->Fields().Item(3);
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"A, 1", "B, 1"}));
}

TEST(IndexUpdate, SimpleIndexFieldsBecomeComplexOnes) {
  auto doc = docWithBody(para(run("x") + xe("XE \"A\"")) +
                         para("<w:fldSimple w:instr=\" INDEX \"><w:r><w:t>old</w:t></w:r></w:fldSimple>"));
  Field f = doc->Fields().Item(2);
  f.Update();
  EXPECT_EQ(resultLines(f), (std::vector<std::string>{"A, 1"}));
  EXPECT_STREQ(f.BeginNode().name(), "w:fldChar");
}

TEST(IndexUpdate, SavingMarksFieldsForRefreshAndAddsSettingsWhenMissing) {
  auto doc = docWithBody(para(run("x") + xe("XE \"A\"")) + "<w:p/>");
  Package& pkg = doc->package();
  // Drop the settings part's relationship, as some writers do.
  pugi::xml_document& rels = pkg.xml("word/_rels/document.xml.rels");
  for (pugi::xml_node r : rels.document_element().children())
    if (std::string(r.attribute("Type").value()).ends_with("/settings")) {
      rels.document_element().remove_child(r);
      break;
    }
  pkg.markDirty("word/_rels/document.xml.rels");
  addIndex(*doc, "INDEX").Update();
  std::string path =
      (std::filesystem::temp_directory_path() / ("vlx-index-" + std::to_string(::getpid()) + ".docx")).string();
  doc->SaveAs(path);
  auto reopened = Document::Open(path);
  Package& p2 = reopened->package();
  std::string settings = p2.relatedPart(p2.mainPartName(),
                                        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings");
  ASSERT_FALSE(settings.empty());
  EXPECT_NE(settings, "word/settings.xml");  // the old, unrelated part stays as it was
  EXPECT_STREQ(p2.xml(settings).child("w:settings").child("w:updateFields").attribute("w:val").value(), "true");
  EXPECT_NE(p2.bytes("[Content_Types].xml").find("/" + settings), std::string::npos);
  std::filesystem::remove(path);
}

TEST(IndexUpdate, ExistingSettingsGetTheFlagInSchemaOrder) {
  auto doc = docWithBody(para(run("x") + xe("XE \"A\"")) + "<w:p/>");
  addIndex(*doc, "INDEX").Update();
  std::string path =
      (std::filesystem::temp_directory_path() / ("vlx-index2-" + std::to_string(::getpid()) + ".docx")).string();
  doc->SaveAs(path);
  auto reopened = Document::Open(path);
  pugi::xml_node settings = reopened->package().xml("word/settings.xml").child("w:settings");
  pugi::xml_node flag = settings.child("w:updateFields");
  ASSERT_TRUE(flag);
  EXPECT_STREQ(flag.next_sibling().name(), "w:footnotePr");
  std::filesystem::remove(path);
}

TEST(IndexLines, CrossReferencesBoldPagesAndRanges) {
  IndexFieldCode code;
  std::vector<CollectedEntry> entries;
  IndexEntryCode bold;
  bold.levels = {"Term"};
  bold.bold = true;
  entries.push_back({bold, {3, "3"}, std::nullopt});
  IndexEntryCode ranged;
  ranged.levels = {"Term"};
  entries.push_back({ranged, {1, "i"}, PageNumber{4, "2"}});
  IndexEntryCode see;
  see.levels = {"Other"};
  see.crossReference = "See Term";
  entries.push_back({see, {1, "1"}, std::nullopt});
  auto lines = buildIndexLines(entries, code, "en-US");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text(), "Other, See Term");
  EXPECT_EQ(lines[1].text(),
            "Term, i\u2013"
            "2, 3");
  EXPECT_TRUE(lines[1].runs.back().bold);
}

}  // namespace
}  // namespace host
