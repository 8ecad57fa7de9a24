#include "examples/sample_contract.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "host/package/package.h"

namespace examples {
namespace {

constexpr std::string_view kOpen = "\u201C";
constexpr std::string_view kClose = "\u201D";

// Text of one paragraph: w:t text, tabs and breaks as the characters they stand for.
std::string paragraphText(pugi::xml_node paragraph) {
  std::string text;
  for (pugi::xpath_node item : paragraph.select_nodes("w:r/w:t | w:r/w:tab | w:r/w:br")) {
    const std::string name = item.node().name();
    text += name == "w:t" ? item.node().text().get() : name == "w:tab" ? "\t" : "\n";
  }
  return text;
}

// Every paragraph of a part (table cells included), one per line.
std::string storyText(pugi::xml_document& part) {
  std::string text;
  for (pugi::xpath_node p : part.select_nodes("//w:p")) text += paragraphText(p.node()) + "\n";
  return text;
}

// The texts between curly quotes, in order of appearance.
std::vector<std::string> curlyQuoted(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t open = text.find(kOpen); open != std::string::npos; open = text.find(kOpen, open + 1)) {
    const std::size_t start = open + kOpen.size();
    const std::size_t close = text.find(kClose, start);
    if (close == std::string::npos) break;
    found.push_back(text.substr(start, close - start));
  }
  return found;
}

// Occurrences of a term as whole words.
int uses(const std::string& text, const std::string& term) {
  const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  int count = 0;
  for (std::size_t at = text.find(term); at != std::string::npos; at = text.find(term, at + 1)) {
    const bool before = at > 0 && letter(text[at - 1]);
    const bool after = at + term.size() < text.size() && letter(text[at + term.size()]);
    if (!before && !after) ++count;
  }
  return count;
}

class SampleContract : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    package_ = host::Package::fromBytes(buildSampleContract().toBytes(), "sample.docx").release();
    main_ = storyText(package_->xml("word/document.xml"));
    footnotes_ = storyText(package_->xml("word/footnotes.xml"));
    endnotes_ = storyText(package_->xml("word/endnotes.xml"));
    all_ = main_ + footnotes_ + endnotes_;
  }
  static void TearDownTestSuite() { delete package_; }

  static inline host::Package* package_ = nullptr;
  static inline std::string main_, footnotes_, endnotes_, all_;
};

TEST_F(SampleContract, BuildingItTwiceGivesTheSameBytes) {
  EXPECT_EQ(buildSampleContract().toBytes(), buildSampleContract().toBytes());
}

TEST_F(SampleContract, TheCommittedFileHoldsWhatTheProgramWrites) {
  const auto committed = host::Package::open(VLX_SOURCE_DIR "/examples/sample-contract.docx");
  std::vector<std::string> names;
  for (const auto& [name, content] : buildSampleContract().parts()) {
    names.push_back(name);
    ASSERT_TRUE(committed->has(name)) << name;
    EXPECT_EQ(committed->bytes(name), content)
        << name << " differs: run make-sample-contract -o examples/sample-contract.docx";
  }
  EXPECT_EQ(committed->partNames(), names);
}

TEST_F(SampleContract, EachCurlyQuotedTermIsDefinedOnceAndUsedSeveralTimes) {
  const std::vector<std::string> definitions = curlyQuoted(all_);
  const std::set<std::string> terms(definitions.begin(), definitions.end());
  EXPECT_EQ(terms.size(), definitions.size()) << "a term is defined twice";
  EXPECT_GE(terms.size(), 15u);
  EXPECT_LE(terms.size(), 25u);
  for (const std::string& term : terms) EXPECT_GE(uses(all_, term) - 1, 3) << term;
  EXPECT_TRUE(terms.count("Purchase Price"));
  EXPECT_TRUE(terms.count("Adjusted Purchase Price"));
  EXPECT_EQ(curlyQuoted(footnotes_).size(), 2u) << "terms defined in footnotes";
  EXPECT_EQ(curlyQuoted(endnotes_).size(), 0u);
}

TEST_F(SampleContract, SomeDefinitionsAreBoldInsideTheQuotesAndSomeAreNot) {
  std::map<std::string, bool> boldDefinition;
  for (const char* part : {"word/document.xml", "word/footnotes.xml"}) {
    for (pugi::xpath_node run : package_->xml(part).select_nodes("//w:r[w:rPr/w:b]")) {
      const std::string text = run.node().child("w:t").text().get();
      const pugi::xml_node before = run.node().previous_sibling("w:r").child("w:t");
      const std::string previous = before.text().get();
      if (previous.size() >= kOpen.size() && previous.ends_with(kOpen)) boldDefinition[text] = true;
    }
  }
  const std::vector<std::string> definitions = curlyQuoted(all_);
  EXPECT_GE(boldDefinition.size(), 5u);
  EXPECT_LE(boldDefinition.size(), definitions.size() - 5);
  for (const auto& [term, bold] : boldDefinition)
    EXPECT_NE(std::find(definitions.begin(), definitions.end(), term), definitions.end()) << term;
}

TEST_F(SampleContract, KnowsTheTermsItDefinesInTheOrderTheyStand) {
  const std::vector<std::string> terms = sampleDefinedTerms();
  std::vector<std::string> curly = curlyQuoted(main_);
  const std::vector<std::string> notes = curlyQuoted(footnotes_);
  // The straight-quoted term stands in the main text after every curly-quoted one.
  std::vector<std::string> expected = curly;
  expected.push_back("Confidential Information");
  expected.insert(expected.end(), notes.begin(), notes.end());
  EXPECT_EQ(terms, expected);
}

TEST_F(SampleContract, OneTermIsDefinedInStraightQuotes) {
  EXPECT_EQ(uses(main_, "\"Confidential Information\""), 1);
  EXPECT_GE(uses(main_, "Confidential Information"), 3);
}

TEST_F(SampleContract, HasFewFootnotesOneEndnoteOneTableAndCapitalisedHeadings) {
  const auto notes = [&](const char* part, const char* query) {
    return package_->xml(part).select_nodes(query).size();
  };
  const std::size_t footnotes = notes("word/footnotes.xml", "/w:footnotes/w:footnote[not(@w:type)]");
  EXPECT_GE(footnotes, 3u);
  EXPECT_LE(footnotes, 5u);
  EXPECT_EQ(notes("word/document.xml", "//w:footnoteReference"), footnotes);
  EXPECT_EQ(notes("word/endnotes.xml", "/w:endnotes/w:endnote[not(@w:type)]"), 1u);
  EXPECT_EQ(notes("word/document.xml", "//w:endnoteReference"), 1u);
  EXPECT_EQ(notes("word/document.xml", "//w:tbl"), 1u);

  const pugi::xpath_node_set headings =
      package_->xml("word/document.xml").select_nodes("//w:p[w:pPr/w:pStyle/@w:val='Heading1']");
  EXPECT_GE(headings.size(), 6u);
  bool termInHeading = false;
  for (pugi::xpath_node heading : headings) termInHeading |= uses(paragraphText(heading.node()), "Purchase Price") > 0;
  EXPECT_TRUE(termInHeading);
}

}  // namespace
}  // namespace examples
