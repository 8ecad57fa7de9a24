#include "host/builder/docx_builder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "host/package/package.h"
#include "host/platform/error.h"

namespace host {
namespace {

namespace fs = std::filesystem;
using Emphasis = DocxBuilder::Emphasis;

std::unique_ptr<Package> read(const DocxBuilder& builder) {
  return Package::fromBytes(builder.toBytes(), "built.docx");
}

// Text of a paragraph as a reader sees it: tabs and breaks as the characters they stand for.
std::string paragraphText(pugi::xml_node paragraph) {
  std::string text;
  for (pugi::xml_node run : paragraph.children("w:r")) {
    for (pugi::xml_node item : run.children()) {
      const std::string name = item.name();
      if (name == "w:t") text += item.text().get();
      if (name == "w:tab") text += '\t';
      if (name == "w:br") text += '\n';
    }
  }
  return text;
}

pugi::xml_node body(Package& package) { return package.xml("word/document.xml").child("w:document").child("w:body"); }

pugi::xml_node style(Package& package, const char* id) {
  return package.xml("word/styles.xml").child("w:styles").find_child_by_attribute("w:style", "w:styleId", id);
}

// A fresh empty folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "docx-builder-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  fs::path path() const { return path_; }

 private:
  fs::path path_;
};

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DocxBuilderPackage, AnEmptyDocumentIsAPackageWithEveryPartWellFormed) {
  DocxBuilder builder;
  auto package = read(builder);
  EXPECT_EQ(package->mainPartName(), "word/document.xml");
  for (const char* part : {"word/styles.xml", "word/settings.xml", "word/footnotes.xml", "word/endnotes.xml",
                           "docProps/core.xml", "docProps/app.xml"})
    EXPECT_TRUE(package->has(part)) << part;
  for (const std::string& name : package->partNames()) EXPECT_NO_THROW(package->xml(name)) << name;
  EXPECT_EQ(package->relatedPart("word/document.xml",
                                 "http://schemas.openxmlformats.org/officeDocument/2006/"
                                 "relationships/footnotes"),
            "word/footnotes.xml");
}

TEST(DocxBuilderPackage, TheSameCallsGiveTheSameBytesWhateverTheTimeZone) {
  const auto build = [] {
    DocxBuilder builder;
    builder.setTitle("Agreement");
    builder.addRun("Some text");
    builder.addFootnote({{"A note", {}}});
    return builder.toBytes();
  };
  const std::string first = build();
  const char* saved = std::getenv("TZ");
  const std::string savedZone = saved ? saved : "";
  ::setenv("TZ", "America/Los_Angeles", 1);
  ::tzset();
  const std::string second = build();
  if (saved) ::setenv("TZ", savedZone.c_str(), 1);
  else ::unsetenv("TZ");
  ::tzset();
  EXPECT_EQ(first, second);
}

TEST(DocxBuilderText, SpecialAndNonAsciiCharactersRoundTrip) {
  const std::string text = "Fish & chips <\"cheap\"> for the \u201Cbuyer\u201D, caf\u00E9 \u20AC5";
  DocxBuilder builder;
  builder.addRun(text);
  builder.setTitle("R&D <draft>");
  auto package = read(builder);
  EXPECT_EQ(paragraphText(body(*package).child("w:p")), text);
  EXPECT_STREQ(package->xml("docProps/core.xml").child("cp:coreProperties").child("dc:title").text().get(),
               "R&D <draft>");
}

TEST(DocxBuilderText, SpacesAtTheEndsTabsAndLineFeedsSurvive) {
  DocxBuilder builder;
  builder.addRun(" leading", Emphasis{.bold = true});
  builder.addRun("two  spaces\tand a tab\nand a break ");
  auto package = read(builder);
  const pugi::xml_node paragraph = body(*package).child("w:p");
  EXPECT_EQ(paragraphText(paragraph), " leadingtwo  spaces\tand a tab\nand a break ");
  const pugi::xml_node first = paragraph.child("w:r");
  EXPECT_TRUE(first.child("w:rPr").child("w:b"));
  EXPECT_FALSE(first.child("w:rPr").child("w:i"));
  EXPECT_STREQ(first.child("w:t").attribute("xml:space").value(), "preserve");
}

TEST(DocxBuilderText, TextADocumentCannotHoldIsRefusedWithItsPlace) {
  DocxBuilder builder;
  const auto refused = [&](const std::string& text, const std::string& message) {
    try {
      builder.addRun(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrBadArgument);
      EXPECT_EQ(e.description(), message);
    }
  };
  refused("ab\x01", "Text for the new document holds the control character U+0001 at byte 2.");
  refused("a\r\n", "Text for the new document holds the control character U+000D at byte 1.");
  refused("caf\xE9", "Text for the new document is not valid UTF-8 at byte 3.");
  refused("\xC0\xAF", "Text for the new document is not valid UTF-8 at byte 0.");      // overlong
  refused("\xED\xA0\x80", "Text for the new document is not valid UTF-8 at byte 0.");  // surrogate
  refused("\xEF\xBF\xBF", "Text for the new document holds the non-character U+FFFF at byte 0.");
  EXPECT_THROW(builder.addFootnote({{"note\x02", {}}}), Error);
  EXPECT_THROW(builder.addTable({{"cell\x03"}}), Error);
  // Nothing refused reached the document, not even a note reference.
  auto package = read(builder);
  EXPECT_FALSE(body(*package).child("w:p"));
  EXPECT_FALSE(body(*package).child("w:tbl"));
}

TEST(DocxBuilderParagraphs, StyleAndAlignmentAreWrittenOnlyWhenNotTheDefault) {
  DocxBuilder builder;
  builder.startParagraph(DocxBuilder::Style::Heading1, DocxBuilder::Align::Center);
  builder.addRun("Article 1");
  builder.startParagraph();
  builder.addRun("Body");
  builder.startParagraph(DocxBuilder::Style::Normal, DocxBuilder::Align::Justify);
  auto package = read(builder);
  const pugi::xml_node heading = body(*package).child("w:p");
  EXPECT_STREQ(heading.child("w:pPr").child("w:pStyle").attribute("w:val").value(), "Heading1");
  EXPECT_STREQ(heading.child("w:pPr").child("w:jc").attribute("w:val").value(), "center");
  const pugi::xml_node plain = heading.next_sibling("w:p");
  EXPECT_FALSE(plain.child("w:pPr"));
  const pugi::xml_node justified = plain.next_sibling("w:p");
  EXPECT_STREQ(justified.child("w:pPr").child("w:jc").attribute("w:val").value(), "both");
  EXPECT_FALSE(justified.child("w:pPr").child("w:pStyle"));
}

TEST(DocxBuilderParagraphs, APageBreakIsABreakOfTypePage) {
  DocxBuilder builder;
  builder.addPageBreak();
  auto package = read(builder);
  EXPECT_STREQ(body(*package).child("w:p").child("w:r").child("w:br").attribute("w:type").value(), "page");
}

TEST(DocxBuilderStyles, HeadingOneIsBoldCapitalsAndEveryStyleUsedIsDefined) {
  DocxBuilder builder;
  auto package = read(builder);
  const pugi::xml_node heading = style(*package, "Heading1");
  ASSERT_TRUE(heading);
  EXPECT_TRUE(heading.child("w:rPr").child("w:caps"));
  EXPECT_TRUE(heading.child("w:rPr").child("w:b"));
  EXPECT_STREQ(heading.child("w:name").attribute("w:val").value(), "heading 1");
  for (const char* id : {"Normal", "Title", "Heading2", "FootnoteText", "FootnoteReference", "EndnoteText",
                         "EndnoteReference", "TableGrid", "TableNormal", "DefaultParagraphFont"})
    EXPECT_TRUE(style(*package, id)) << id;
  EXPECT_FALSE(style(*package, "Heading2").child("w:rPr").child("w:caps"));
}

TEST(DocxBuilderNotes, EachReferenceLinksToANoteHoldingItsText) {
  DocxBuilder builder;
  builder.addRun("See");
  EXPECT_EQ(builder.addFootnote({{"The ", {}}, {"\u201CEscrow Agent\u201D", {.bold = true}}}), 1);
  EXPECT_EQ(builder.addFootnote({{"Second & last.", {}}}), 2);
  EXPECT_EQ(builder.addEndnote({{"Only endnote.", {.italic = true}}}), 1);
  auto package = read(builder);

  const pugi::xml_node footnotes = package->xml("word/footnotes.xml").child("w:footnotes");
  const pugi::xml_node paragraph = body(*package).child("w:p");
  std::vector<std::string> seen;
  for (pugi::xml_node run : paragraph.children("w:r")) {
    const pugi::xml_node ref = run.child("w:footnoteReference");
    if (!ref) continue;
    EXPECT_STREQ(run.child("w:rPr").child("w:rStyle").attribute("w:val").value(), "FootnoteReference");
    const pugi::xml_node note = footnotes.find_child_by_attribute("w:footnote", "w:id", ref.attribute("w:id").value());
    ASSERT_TRUE(note) << ref.attribute("w:id").value();
    EXPECT_FALSE(note.attribute("w:type"));
    EXPECT_TRUE(note.child("w:p").child("w:r").child("w:footnoteRef"));
    seen.push_back(paragraphText(note.child("w:p")));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{" The \u201CEscrow Agent\u201D", " Second & last."}));

  const pugi::xml_node endnoteRef = paragraph.find_node(
      [](pugi::xml_node n) { return std::string(n.name()) == "w:endnoteReference"; });
  ASSERT_TRUE(endnoteRef);
  const pugi::xml_node endnote = package->xml("word/endnotes.xml")
                                     .child("w:endnotes")
                                     .find_child_by_attribute("w:endnote", "w:id",
                                                              endnoteRef.attribute("w:id").value());
  ASSERT_TRUE(endnote);
  EXPECT_EQ(paragraphText(endnote.child("w:p")), " Only endnote.");
  EXPECT_TRUE(endnote.child("w:p").last_child().child("w:rPr").child("w:i"));
}

TEST(DocxBuilderNotes, SeparatorNotesComeFirstAndSettingsNameThem) {
  DocxBuilder builder;
  auto package = read(builder);
  for (const auto& [part, element] :
       {std::pair{"word/footnotes.xml", "w:footnote"}, std::pair{"word/endnotes.xml", "w:endnote"}}) {
    const pugi::xml_node first = package->xml(part).document_element().child(element);
    EXPECT_STREQ(first.attribute("w:id").value(), "-1") << part;
    EXPECT_STREQ(first.attribute("w:type").value(), "separator") << part;
    const pugi::xml_node second = first.next_sibling(element);
    EXPECT_STREQ(second.attribute("w:id").value(), "0") << part;
    EXPECT_STREQ(second.attribute("w:type").value(), "continuationSeparator") << part;
  }
  const pugi::xml_node settings = package->xml("word/settings.xml").child("w:settings");
  EXPECT_TRUE(settings.child("w:footnotePr").find_child_by_attribute("w:footnote", "w:id", "0"));
  EXPECT_TRUE(settings.child("w:endnotePr").find_child_by_attribute("w:endnote", "w:id", "-1"));
}

TEST(DocxBuilderTables, RowsAndCellsKeepTheirOrderAndTheHeaderRowIsBold) {
  DocxBuilder builder;
  builder.addTable({{"Instalment", "Amount"}, {"First", "$1,000"}, {"Second", "$2,000"}}, true);
  auto package = read(builder);
  const pugi::xml_node table = body(*package).child("w:tbl");
  ASSERT_TRUE(table);
  EXPECT_STREQ(table.child("w:tblPr").child("w:tblStyle").attribute("w:val").value(), "TableGrid");
  std::vector<std::vector<std::string>> cells;
  for (pugi::xml_node row : table.children("w:tr")) {
    cells.emplace_back();
    for (pugi::xml_node cell : row.children("w:tc")) cells.back().push_back(paragraphText(cell.child("w:p")));
  }
  EXPECT_EQ(cells, (std::vector<std::vector<std::string>>{
                       {"Instalment", "Amount"}, {"First", "$1,000"}, {"Second", "$2,000"}}));
  const pugi::xml_node header = table.child("w:tr");
  EXPECT_TRUE(header.child("w:tc").child("w:p").child("w:r").child("w:rPr").child("w:b"));
  EXPECT_FALSE(header.next_sibling("w:tr").child("w:tc").child("w:p").child("w:r").child("w:rPr"));
  // A document may not end with a table: a paragraph follows it before the section.
  EXPECT_STREQ(table.next_sibling().name(), "w:p");
}

TEST(DocxBuilderTables, RaggedOrEmptyTablesAreRefused) {
  DocxBuilder builder;
  EXPECT_THROW(builder.addTable({}), Error);
  EXPECT_THROW(builder.addTable({{}}), Error);
  try {
    builder.addTable({{"a", "b"}, {"c"}});
    ADD_FAILURE() << "a ragged table was accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.description(), "Every row of a table must have 2 cells, as its first row has.");
  }
}

TEST(DocxBuilderSection, PaperAndMarginsReachTheSectionAndImpossibleMarginsAreRefused) {
  DocxBuilder builder;
  builder.setPageSetup({.paper = DocxBuilder::Paper::Letter, .top = 720, .bottom = 1080, .left = 1800, .right = 1800});
  auto package = read(builder);
  const pugi::xml_node section = body(*package).last_child();
  ASSERT_STREQ(section.name(), "w:sectPr");
  EXPECT_STREQ(section.child("w:pgSz").attribute("w:w").value(), "12240");
  EXPECT_STREQ(section.child("w:pgSz").attribute("w:h").value(), "15840");
  EXPECT_STREQ(section.child("w:pgMar").attribute("w:top").value(), "720");
  EXPECT_STREQ(section.child("w:pgMar").attribute("w:left").value(), "1800");

  EXPECT_THROW(builder.setPageSetup({.left = -1}), Error);
  EXPECT_THROW(builder.setPageSetup({.left = 6000, .right = 6000}), Error);
  EXPECT_THROW(builder.setPageSetup({.top = 2147483647}), Error);
}

TEST(DocxBuilderSave, SavingReplacesTheTargetWithTheSameBytesAsToBytes) {
  TempFolder folder;
  const fs::path target = folder.path() / "out.docx";
  std::ofstream(target) << "old content";
  DocxBuilder builder;
  builder.addRun("New");
  builder.save(target.string());
  EXPECT_EQ(fileBytes(target), builder.toBytes());
  EXPECT_EQ(Package::open(target.string())->mainPartName(), "word/document.xml");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(DocxBuilderSave, AFailedSaveReportsTheFileAndLeavesNothingBehind) {
  TempFolder folder;
  DocxBuilder builder;
  try {
    builder.save((folder.path() / "missing" / "out.docx").string());
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrFileAccess);
    EXPECT_NE(e.description().find("out.docx"), std::string::npos) << e.description();
  }
  fs::create_directory(folder.path() / "taken.docx");
  EXPECT_THROW(builder.save((folder.path() / "taken.docx").string()), Error);
  EXPECT_THROW(builder.save(folder.path().string() + "/"), Error);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace host
