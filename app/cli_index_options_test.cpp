// `vellandex index` with option flags and --at, from the outside: the flags reach the document
// through the options dialog, stay out of the settings file unless --save-defaults asks, and
// flags the dialog cannot take are refused before anything is written.
#include <map>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/testing/program.h"
#include "host/model/document.h"

namespace app {
namespace {

using namespace app::testing;
using host::testing::para;
using host::testing::run;

// The code of the document's index field ("" when it has none).
std::string indexCode(const fs::path& file) {
  auto doc = host::Document::Open(file.string());
  for (host::Field field : doc->Fields())
    if (field.Code().Text().find("INDEX") != std::string::npos) return field.Code().Text();
  return "";
}

// The main text before and after the index, as the document reads.
std::pair<std::string, std::string> aroundIndex(const fs::path& file) {
  auto doc = host::Document::Open(file.string());
  if (!doc->Bookmarks().Exists("VellandexIndex")) return {};
  host::Bookmark index = doc->Bookmarks().Item("VellandexIndex");
  return {doc->Range(0, index.Start()).Text(), doc->Range(index.End(), doc->Content().End()).Text()};
}

TEST(IndexOptions, FlagsShapeTheIndexAndStayOutOfTheSettingsFileUnlessSavedAsDefaults) {
  TempFolder tmp;
  const std::string io = "index " + shellArg(kSample) + " -o " + shellArg(tmp / "out.docx");
  Outcome plain = vellandex(tmp, io);
  ASSERT_EQ(plain.exitCode, 0) << plain.all();
  const std::size_t marked = countOf(mainPartXml(tmp / "out.docx"), "<w:highlight ");
  EXPECT_GT(marked, 0u) << "the indexed terms are highlighted by default";
  EXPECT_FALSE(fs::exists(settingsFile(tmp))) << "a run keeps no settings of its own";

  Outcome shaped = vellandex(tmp, io + " --cols 3 --sep ' - ' --no-tab --no-not-used --no-highlight");
  ASSERT_EQ(shaped.exitCode, 0) << shaped.all();
  EXPECT_NE(indexCode(tmp / "out.docx").find("\\c3 \\e\" - \""), std::string::npos) << indexCode(tmp / "out.docx");
  auto doc = host::Document::Open((tmp / "out.docx").string());
  EXPECT_FALSE(doc->Bookmarks().Exists("VellandexIndexNotUsedList"));
  EXPECT_TRUE(doc->Bookmarks().Exists("VellandexIndexNotFoundList"));
  EXPECT_LT(countOf(mainPartXml(tmp / "out.docx"), "<w:highlight "), marked);
  EXPECT_FALSE(fs::exists(settingsFile(tmp)));

  // The user's own settings are read, and stay as they were.
  fs::create_directories(settingsFile(tmp).parent_path());
  writeFile(settingsFile(tmp),
            "[Defaults]\r\nSearchType=SearchFlagged\r\nCaseSensitive=True\r\nHighlight=True\r\n"
            "IndexCols=4\r\nIndexSep=\"; {TAB}\"\r\nIncludeNotUsed=True\r\n");
  const std::string mine = bytesOf(settingsFile(tmp));
  Outcome fromFile = vellandex(tmp, io);
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.all();
  EXPECT_NE(indexCode(tmp / "out.docx").find("\\c4 \\e\"; \t\""), std::string::npos) << indexCode(tmp / "out.docx");
  Outcome overridden = vellandex(tmp, io + " --cols 1");
  ASSERT_EQ(overridden.exitCode, 0) << overridden.all();
  EXPECT_NE(indexCode(tmp / "out.docx").find("\\c1 "), std::string::npos);
  EXPECT_EQ(bytesOf(settingsFile(tmp)), mine);

  Outcome saved = vellandex(tmp, io + " --cols 2 --sep ';' --no-tab --save-defaults");
  ASSERT_EQ(saved.exitCode, 0) << saved.all();
  const std::string after = bytesOf(settingsFile(tmp));
  EXPECT_NE(after.find("IndexCols=2"), std::string::npos) << after;
  EXPECT_NE(after.find("IndexSep=\";\""), std::string::npos) << after;
  Outcome again = vellandex(tmp, io);
  ASSERT_EQ(again.exitCode, 0) << again.all();
  EXPECT_NE(indexCode(tmp / "out.docx").find("\\c2 \\e\";\""), std::string::npos) << indexCode(tmp / "out.docx");
}

TEST(IndexOptions, FlagsTheDialogCannotTakeAreRefusedBeforeAnythingIsWritten) {
  TempFolder tmp;
  const std::string io = "index " + shellArg(kSample) + " -o " + shellArg(tmp / "out.docx") + " ";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--cols 7", "--cols"},
      {"--cols 0", "--cols"},
      {"--cols two", "--cols"},
      {"--search both", "--search"},
      {"--bold --no-bold", "excludes"},
      {"--frobnicate", "frobnicate"},
      {"--at middle", "--at takes start, end, bookmark:NAME or after:TEXT"},
      {"--open-quote X",
       "--open-quote X is not one of the quotes offered: \u201C (147), \u201D (148), \u201E (132), "
       "\u00AB (171), \u00BB (187)"},
      {"--search caps --close-quote \u00BB", "--close-quote applies only to a search for terms in quotes"},
      {"--search caps --definitions-only", "--definitions-only applies only to a search for terms in quotes"},
      {"--no-case-sensitive --full-caps", "--full-caps needs a case-sensitive search (--case-sensitive)"},
  };
  for (const auto& [flags, says] : cases) {
    Outcome run = vellandex(tmp, io + flags);
    EXPECT_EQ(run.exitCode, 1) << flags << "\n" << run.all();
    EXPECT_NE(run.errors.find(says), std::string::npos) << flags << "\n" << run.errors;
    EXPECT_FALSE(fs::exists(tmp / "out.docx")) << flags;
    EXPECT_FALSE(fs::exists(settingsFile(tmp))) << flags;
  }
}

TEST(IndexOptions, QuotesByCharacterOrByCodeAndDefinitionsOnly) {
  TempFolder tmp;
  writeDocx(tmp / "guillemets.docx", paragraphs({"The \u00ABSeller\u00BB sells to the \u00ABBuyer\u00BB.",
                                                 "The Seller delivers; the Buyer pays the Seller."}));
  const auto counts = [&](const std::string& input, const std::string& flags) {
    Outcome run = vellandex(tmp, "index " + shellArg(tmp / input) + " -o " + shellArg(tmp / "out.docx") + " --report " +
                                     shellArg(tmp / "report.json") + " " + flags);
    EXPECT_EQ(run.exitCode, 0) << flags << "\n" << run.all();
    std::map<std::string, long> out;
    const nlohmann::json report = nlohmann::json::parse(bytesOf(tmp / "report.json"));
    for (const auto& term : report["terms"]) out[term["term"].get<std::string>()] = term["count"].get<long>();
    return out;
  };
  const std::map<std::string, long> everyOccurrence{{"Buyer", 2}, {"Seller", 3}};
  EXPECT_EQ(counts("guillemets.docx", "--open-quote \u00AB --close-quote \u00BB"), everyOccurrence);
  EXPECT_EQ(counts("guillemets.docx", "--open-quote 171 --close-quote 187"), everyOccurrence);

  writeDocx(tmp / "curly.docx", paragraphs({"The \u201CSeller\u201D sells to the \u201CBuyer\u201D.",
                                            "The Seller delivers; the Buyer pays the Seller."}));
  EXPECT_EQ(counts("curly.docx", ""), everyOccurrence);
  EXPECT_EQ(counts("curly.docx", "--definitions-only"), (std::map<std::string, long>{{"Buyer", 1}, {"Seller", 1}}))
      << "only the definitions are indexed";
}

TEST(IndexPlace, AtStartABookmarkAfterATextOrTheEnd) {
  TempFolder tmp;
  host::testing::DocParts parts;
  parts.body = para(run("Title")) + para(run("The \u201CSeller\u201D sells.")) +
               para("<w:bookmarkStart w:id=\"9\" w:name=\"IndexHere\"/><w:bookmarkEnd w:id=\"9\"/>" +
                    run("Schedule 1")) +
               "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr><w:tr><w:tc>" +
               para("<w:bookmarkStart w:id=\"10\" w:name=\"InTable\"/><w:bookmarkEnd w:id=\"10\"/>" + run("cell")) +
               "</w:tc></w:tr></w:tbl>" +
               para(
                   "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> TOC </w:instrText></w:r>"
                   "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:bookmarkStart w:id=\"11\" w:name=\"InField\"/>"
                   "<w:bookmarkEnd w:id=\"11\"/>" +
                   run("Contents") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>") +
               "<w:sdt><w:sdtPr><w:id w:val=\"5\"/></w:sdtPr><w:sdtContent>" +
               para("<w:bookmarkStart w:id=\"12\" w:name=\"InControl\"/><w:bookmarkEnd w:id=\"12\"/>" + run("Party")) +
               "</w:sdtContent></w:sdt>" + para(run("The Seller signs."));
  writeDocx(tmp / "places.docx", parts);
  const std::string io = "index " + shellArg(tmp / "places.docx") + " -o " + shellArg(tmp / "out.docx");

  ASSERT_EQ(vellandex(tmp, io + " --at start").exitCode, 0);
  EXPECT_EQ(aroundIndex(tmp / "out.docx").first, "");

  for (const char* at : {"bookmark:IndexHere", "'after:Seller\u201D sells'"}) {
    Outcome placed = vellandex(tmp, io + " --at " + at);
    ASSERT_EQ(placed.exitCode, 0) << at << "\n" << placed.all();
    const auto [before, after] = aroundIndex(tmp / "out.docx");
    EXPECT_NE(before.find("sells."), std::string::npos) << at;
    EXPECT_EQ(before.find("Schedule 1"), std::string::npos) << at;
    EXPECT_NE(after.find("Schedule 1"), std::string::npos) << at;
  }

  ASSERT_EQ(vellandex(tmp, io).exitCode, 0);
  EXPECT_NE(aroundIndex(tmp / "out.docx").first.find("The Seller signs."), std::string::npos)
      << "by default at the end";

  fs::remove(tmp / "out.docx");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"bookmark:Nowhere", "the document has no bookmark of that name"},
      {"after:Nowhere", "the text is not in the main text of the document"},
      {"bookmark:InTable", "the index cannot go inside a table"},
      {"bookmark:InField", "the index cannot go inside another field"},
      {"bookmark:InControl", "the index cannot go inside a content control"},
  };
  for (const auto& [at, says] : refused) {
    Outcome run = vellandex(tmp, io + " --at " + at);
    EXPECT_EQ(run.exitCode, 1) << at << "\n" << run.all();
    EXPECT_NE(run.errors.find(says), std::string::npos) << at << "\n" << run.errors;
    EXPECT_FALSE(fs::exists(tmp / "out.docx")) << at;
  }
}

TEST(IndexPlace, AfterAListItemTheListKeepsItsNumbersAndTheIndexTakesNone) {
  TempFolder tmp;
  const std::string numbered = "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>";
  host::testing::DocParts parts;
  for (const char* text : {"The \u201CSeller\u201D sells.", "Second, the Seller delivers.", "Third, the Seller signs."})
    parts.body += para(run(text), numbered);
  writeDocx(tmp / "list.docx", parts);
  for (const char* at : {"'after:Second'", "end"}) {
    Outcome run = vellandex(
        tmp, "index " + shellArg(tmp / "list.docx") + " -o " + shellArg(tmp / "out.docx") + " --at " + at);
    ASSERT_EQ(run.exitCode, 0) << at << "\n" << run.all();
    const std::string xml = mainPartXml(tmp / "out.docx");
    for (const char* ours : {"INDEX OF DEFINED TERMS", "DEFINED BUT NOT USED", "NOT FOUND"}) {
      const std::size_t p = xml.rfind("<w:p>", xml.find(ours));
      EXPECT_EQ(xml.substr(p, xml.find("</w:p>", p) - p).find("numPr"), std::string::npos) << at << ": " << ours;
    }
    // After a paragraph the index leaves it whole; at the end of the text it splits the last
    // one, whose mark (with its number) stays at the end.
    EXPECT_EQ(countOf(xml, numbered), std::string(at) == "end" ? 4u : 3u) << at;
  }
}

TEST(IndexPlace, AnExistingIndexIsRebuiltWhereItStands) {
  TempFolder tmp;
  writeDocx(tmp / "contract.docx", paragraphs({"The \u201CSeller\u201D sells.", "Schedule 1", "The Seller signs."}));
  ASSERT_EQ(vellandex(tmp, "index " + shellArg(tmp / "contract.docx") + " -o " + shellArg(tmp / "once.docx") +
                               " --at 'after:Seller\u201D sells'")
                .exitCode,
            0);
  Outcome again = vellandex(
      tmp, "index " + shellArg(tmp / "once.docx") + " -o " + shellArg(tmp / "twice.docx") + " --at end");
  ASSERT_EQ(again.exitCode, 0) << again.all();
  EXPECT_NE(again.errors.find("has an index already; it is rebuilt where it stands"), std::string::npos)
      << again.errors;
  EXPECT_NE(aroundIndex(tmp / "twice.docx").second.find("Schedule 1"), std::string::npos);
  auto doc = host::Document::Open((tmp / "twice.docx").string());
  long indexes = 0;
  for (host::Field field : doc->Fields()) indexes += field.Code().Text().find("INDEX ") != std::string::npos;
  EXPECT_EQ(indexes, 1);
}

}  // namespace
}  // namespace app
