// Formatting read through the style chain and written as direct formatting.

#include <cstdint>

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/model/range.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

// Styles: Base (bold, centred, 6 pt before), Derived based on it, Caps (all caps), the
// character style Strong (bold, red).
DocParts styledSpec(const std::string& body) {
  DocParts parts;
  parts.body = body;
  parts.styles = paragraphStyle("Base", "", "<w:spacing w:before=\"120\"/><w:jc w:val=\"center\"/>", "<w:b/>") +
                 paragraphStyle("Derived", "Base", "<w:spacing w:after=\"60\"/>", "<w:color w:val=\"00FF00\"/>") +
                 paragraphStyle("Caps", "", "", "<w:caps/>") +
                 characterStyle("Strong", "<w:b/><w:color w:val=\"FF0000\"/>");
  return parts;
}

struct ReadCase {
  const char* name;
  std::string paragraph;
  long start, end;
  long bold, color, caps, highlight;
};

TEST(FormatRead, CharacterFormattingComesThroughTheStyleChain) {
  const long kRed = 255, kGreen = 0x00FF00, kBlue = 0xFF0000;
  const long U = kUndefined, T = kTrue, F = kFalse, A = kColorAutomatic;
  const std::vector<ReadCase> cases = {
      {"defaults", para(run("abcd")), 0, 4, F, A, F, 0},
      {"direct", para(run("abcd", "<w:b/><w:caps/><w:color w:val=\"0000FF\"/><w:highlight w:val=\"yellow\"/>")), 0, 4,
       T, kBlue, T, 7},
      {"paragraph style", para(run("abcd"), "<w:pStyle w:val=\"Base\"/>"), 0, 4, T, A, F, 0},
      {"based-on chain", para(run("abcd"), "<w:pStyle w:val=\"Derived\"/>"), 0, 4, T, kGreen, F, 0},
      {"character style over paragraph style",
       para(run("abcd", "<w:rStyle w:val=\"Strong\"/>"), "<w:pStyle w:val=\"Caps\"/>"), 0, 4, T, kRed, T, 0},
      {"direct over character style", para(run("abcd", "<w:rStyle w:val=\"Strong\"/><w:b w:val=\"false\"/>")), 0, 4, F,
       kRed, F, 0},
      {"direct over a character style named after it",
       para(run("abcd", "<w:b w:val=\"0\"/><w:rStyle w:val=\"Strong\"/>")), 0, 4, F, kRed, F, 0},
      {"style caps", para(run("abcd"), "<w:pStyle w:val=\"Caps\"/>"), 0, 4, F, A, T, 0},
      {"mixed runs", para(run("ab", "<w:b/>") + run("cd", "<w:color w:val=\"FF0000\"/>")), 0, 4, U, U, F, 0},
      {"one run of several", para(run("ab", "<w:b/>") + run("cd")), 0, 2, T, A, F, 0},
      {"empty range reads the character before", para(run("ab", "<w:b/>") + run("cd")), 2, 2, T, A, F, 0},
      {"empty range at the start reads the first character", para(run("ab", "<w:b/>") + run("cd")), 0, 0, T, A, F, 0},
      {"the paragraph mark's own formatting", para(run("ab", "<w:b/>"), "<w:rPr><w:b/></w:rPr>"), 0, 3, T, A, F, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = openDocument(styledSpec(c.paragraph));
    Range range = doc->Range(c.start, c.end);
    EXPECT_EQ(range.Bold(), c.bold);
    EXPECT_EQ(range.Font().Bold(), c.bold);
    EXPECT_EQ(range.Font().Color(), c.color);
    EXPECT_EQ(range.Font().AllCaps(), c.caps);
    EXPECT_EQ(range.HighlightColorIndex(), c.highlight);
  }
}

TEST(FormatRead, SimpleFieldMarksAndRowEndsDoNotMakeFormattingMixed) {
  auto doc = openBody(para(run("ab", "<w:b/>") + "<w:fldSimple w:instr=\" PAGE \">" + run("1", "<w:b/>") +
                           "</w:fldSimple>" + run("cd", "<w:b/>")) +
                      table({{"x"}}) + para(""));
  EXPECT_EQ(doc->Range(0, 14).Bold(), kTrue);  // "ab{ PAGE |1}cd"
  EXPECT_EQ(doc->Range(2, 9).Bold(), kFalse);  // only the field's begin and code: the style's
  Range cell = doc->Range(15, 18);             // "x", its cell mark and the row end
  cell.SetBold(kTrue);
  EXPECT_EQ(cell.Bold(), kTrue);
}

TEST(FormatRead, DocumentDefaultsStartTheChain) {
  DocParts parts = styledSpec(para(run("ab")));
  parts.docDefaults =
      "<w:docDefaults><w:rPrDefault><w:rPr><w:b/><w:caps/></w:rPr></w:rPrDefault>"
      "<w:pPrDefault><w:pPr><w:spacing w:before=\"40\"/></w:pPr></w:pPrDefault></w:docDefaults>";
  auto doc = openDocument(parts);
  EXPECT_EQ(doc->Content().Bold(), kTrue);
  EXPECT_EQ(doc->Content().Font().AllCaps(), kTrue);
  EXPECT_EQ(doc->Content().ParagraphFormat().SpaceBefore(), 2.0);
}

TEST(FormatWrite, SettingBoldSplitsRunsAtTheRangeEnds) {
  auto doc = openDocument(styledSpec(para(run("abcdef", "<w:i/>"))));
  doc->Range(2, 4).SetBold(kTrue);
  EXPECT_EQ(doc->Content().Text(), "abcdef\r");
  EXPECT_EQ(doc->Range(2, 4).Bold(), kTrue);
  EXPECT_EQ(doc->Range(0, 2).Bold(), kFalse);
  EXPECT_EQ(doc->Range(4, 6).Bold(), kFalse);
  EXPECT_EQ(doc->Range(0, 6).Bold(), kUndefined);
  pugi::xml_node para = doc->package().xml("word/document.xml").document_element().child("w:body").child("w:p");
  std::vector<std::string> runs;
  for (pugi::xml_node run : para.children("w:r")) runs.push_back(xmlOf(run));
  EXPECT_EQ(runs,
            (std::vector<std::string>{"<w:r><w:rPr><w:i/></w:rPr><w:t xml:space=\"preserve\">ab</w:t></w:r>",
                                      "<w:r><w:rPr><w:b/><w:i/></w:rPr><w:t xml:space=\"preserve\">cd</w:t></w:r>",
                                      "<w:r><w:rPr><w:i/></w:rPr><w:t xml:space=\"preserve\">ef</w:t></w:r>"}));
  auto again = reopen(*doc);
  EXPECT_EQ(again->Range(2, 4).Bold(), kTrue);
  EXPECT_EQ(again->Range(0, 2).Bold(), kFalse);
}

TEST(FormatWrite, SplitsFallBetweenTheRightCharactersOfAnyText) {
  // Curly quotes and dashes (three bytes each), a character outside the basic plane (two
  // units), and an accented letter (two bytes); a part that is not UTF-8 is refused on opening.
  const std::string text = "\u201CA\u201D \u2013 \U0001D49C x \u00E9( end";
  auto doc = openDocument(styledSpec(para(run(text))));
  const std::string before = doc->Content().Text();
  const long length = doc->Content().End() - 1;
  for (long at = 1; at < length; at += 2) {
    Range r = doc->Range(at, at + 1);
    r.SetBold(kTrue);
    EXPECT_EQ(r.Bold(), kTrue) << at;
  }
  EXPECT_EQ(doc->Content().Text(), before);
  auto again = reopen(*doc);
  EXPECT_EQ(again->Content().Text(), before);
  const long pair = 6;  // the two units of the character outside the basic plane, formatted as one
  for (long at = 0; at < length; ++at) {
    if (at == pair || at == pair + 1) continue;
    EXPECT_EQ(again->Range(at, at + 1).Bold(), at % 2 ? kTrue : kFalse) << at;
  }
  EXPECT_EQ(again->Range(pair, pair + 2).Bold(), kTrue);
}

TEST(FormatWrite, DirectFormattingIsOnlyWrittenWhereTheStylesDisagree) {
  auto doc = openDocument(styledSpec(para(run("ab"), "<w:pStyle w:val=\"Base\"/>") + para(run("cd"))));
  doc->Content().SetBold(kTrue);
  EXPECT_EQ(doc->Content().Bold(), kTrue);
  std::vector<std::string> paragraphs = paragraphsXml(*doc, "word/document.xml");
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_EQ(paragraphs[0].find("<w:b"), std::string::npos);  // bold by its style already
  EXPECT_NE(paragraphs[1].find("<w:b/>"), std::string::npos);
  doc->Content().SetBold(kFalse);
  EXPECT_EQ(doc->Content().Bold(), kFalse);
  paragraphs = paragraphsXml(*doc, "word/document.xml");
  EXPECT_NE(paragraphs[0].find("<w:b w:val=\"0\"/>"), std::string::npos);
  EXPECT_EQ(paragraphs[1].find("<w:b"), std::string::npos);
}

TEST(FormatWrite, WritingWhatTheTextAlreadyHasLeavesTheXmlAlone) {
  auto doc = openDocument(
      styledSpec(para(run("plain") + run("bold", "<w:b/>"), "<w:pStyle w:val=\"Base\"/>") + para(run("more"))));
  std::string before = bodyXml(*doc);
  doc->Range(0, 5).SetBold(kTrue);
  doc->Range(10, 14).SetBold(kFalse);
  doc->Range(10, 14).SetHighlightColorIndex(wdNoHighlight);
  EXPECT_EQ(bodyXml(*doc), before);
}

TEST(FormatWrite, ColorHighlightAndCapsReadBackAsWritten) {
  auto doc = openDocument(styledSpec(para(run("one two three"))));
  Range two = doc->Range(4, 7);
  two.Font().SetColor(0x0000FF);
  two.SetHighlightColorIndex(wdRed);
  two.Font().SetAllCaps(kTrue);
  auto again = reopen(*doc);
  Range back = again->Range(4, 7);
  EXPECT_EQ(back.Font().Color(), 0x0000FF);
  EXPECT_EQ(back.HighlightColorIndex(), wdRed);
  EXPECT_EQ(back.Font().AllCaps(), kTrue);
  EXPECT_EQ(again->Range(0, 3).HighlightColorIndex(), wdNoHighlight);
  EXPECT_EQ(again->Range(0, 7).HighlightColorIndex(), kUndefined);
  std::string body = bodyXml(*again);
  EXPECT_NE(body.find("<w:color w:val=\"FF0000\"/>"), std::string::npos);
  EXPECT_NE(body.find("<w:highlight w:val=\"red\"/>"), std::string::npos);
  // Schema order inside w:rPr: caps before color before highlight.
  EXPECT_LT(body.find("<w:caps"), body.find("<w:color"));
  EXPECT_LT(body.find("<w:color"), body.find("<w:highlight"));
  back.SetHighlightColorIndex(wdNoHighlight);
  EXPECT_EQ(bodyXml(*again).find("<w:highlight"), std::string::npos);
}

TEST(FormatWrite, ThemeColourIsReplacedNotCombined) {
  auto doc = openBody(para(run("ab", "<w:color w:val=\"FF0000\" w:themeColor=\"accent1\"/>")));
  doc->Content().Font().SetColor(0x00FF00);
  EXPECT_NE(bodyXml(*doc).find("<w:color w:val=\"00FF00\"/>"), std::string::npos);
}

struct CaseCase {
  const char* text;
  long expected;
};

TEST(FormatCase, ReadsUpperWhenEveryCasedLetterIsUpper) {
  const std::vector<CaseCase> cases = {{"ABC", wdUpperCase},
                                       {"A1 B2-C", wdUpperCase},
                                       {"abc", wdLowerCase},
                                       {"\xC3\x89T\xC3\x89", wdUpperCase},
                                       {"\xC3\xA9t\xC3\xA9", wdLowerCase}};
  for (const auto& c : cases) {
    auto doc = openBody(para(run(c.text)));
    Range range = doc->Content();
    range.MoveEnd(wdCharacter, -1);
    EXPECT_EQ(range.Case(), c.expected) << c.text;
  }
}

TEST(FormatCase, HiddenFieldCodesDoNotCount) {
  auto doc = openBody(para(run("DEFINED TERMS")));
  doc->Indexes().MarkEntry(doc->Range(0, 7), "Defined");
  Range heading = doc->Content();
  heading.MoveEnd(wdCharacter, -1);
  EXPECT_EQ(heading.Case(), wdUpperCase);
  heading.SetCase(wdLowerCase);
  EXPECT_EQ(heading.Text(), "defined terms");
  EXPECT_EQ(doc->Fields().Item(1).Code().Text(), " XE \"Defined\" ");  // codes keep their case
}

TEST(FormatCase, WritingUpperCaseChangesOnlyTheRangeAndKeepsPositions) {
  auto doc = openBody(para(run("the ") +
                           run("stra\xC3\x9F"
                               "e",
                               "<w:b/>") +
                           run(" end")));
  Range tail = doc->Range(10, 14);
  doc->Range(0, 10).SetCase(wdUpperCase);
  EXPECT_EQ(doc->Content().Text(),
            "THE STRA\xC3\x9F"
            "E end\r");  // sharp s has no one-letter capital
  EXPECT_EQ(tail.Text(), " end");
  EXPECT_EQ(doc->Range(4, 10).Bold(), kTrue);
  EXPECT_EQ(doc->Range(0, 3).Case(), wdUpperCase);
  EXPECT_THROW(doc->Content().SetCase(wdTitleWord), Error);
}

TEST(ParagraphFormatting, SpacingAndAlignmentReadThroughTheStyles) {
  auto doc = openDocument(styledSpec(para(run("a"), "<w:pStyle w:val=\"Derived\"/>") +
                                     para(run("b"), "<w:jc w:val=\"right\"/>") +
                                     para(run("c"), "<w:pStyle w:val=\"Base\"/><w:spacing w:before=\"0\"/>")));
  Range first = doc->Range(0, 1), second = doc->Range(2, 3), third = doc->Range(4, 5);
  EXPECT_EQ(first.ParagraphFormat().SpaceBefore(), 6.0);
  EXPECT_EQ(first.ParagraphFormat().SpaceAfter(), 3.0);
  EXPECT_EQ(first.ParagraphFormat().Alignment(), wdAlignParagraphCenter);
  EXPECT_EQ(second.ParagraphFormat().SpaceAfter(), 10.0);  // the builder's Normal style: 10 pt after
  EXPECT_EQ(second.ParagraphFormat().Alignment(), wdAlignParagraphRight);
  EXPECT_EQ(third.ParagraphFormat().SpaceBefore(), 0.0);
  Range all = doc->Content();
  EXPECT_EQ(all.ParagraphFormat().SpaceBefore(), kUndefined);
  EXPECT_EQ(all.ParagraphFormat().Alignment(), kUndefined);
}

TEST(ParagraphFormatting, WritingTouchesEveryParagraphOfTheRangeInSchemaOrder) {
  auto doc = openDocument(
      styledSpec(para(run("a"), "<w:pStyle w:val=\"Base\"/><w:jc w:val=\"left\"/>") + para(run("b")) + para(run("c"))));
  Range two = doc->Range(1, 3);  // from the end of the first paragraph into the second
  two.ParagraphFormat().SetSpaceBefore(12);
  two.ParagraphFormat().SetSpaceAfter(4.5);
  two.ParagraphFormat().SetAlignment(wdAlignParagraphJustify);
  auto again = reopen(*doc);
  Range both = again->Range(0, 4);
  EXPECT_EQ(both.ParagraphFormat().SpaceBefore(), 12.0);
  EXPECT_EQ(both.ParagraphFormat().SpaceAfter(), 4.5);
  EXPECT_EQ(both.ParagraphFormat().Alignment(), wdAlignParagraphJustify);
  EXPECT_EQ(again->Range(4, 5).ParagraphFormat().Alignment(), wdAlignParagraphLeft);
  std::vector<std::string> paragraphs = paragraphsXml(*again, "word/document.xml");
  EXPECT_NE(
      paragraphs[0].find(
          "<w:pPr><w:pStyle w:val=\"Base\"/><w:spacing w:before=\"240\" w:after=\"90\"/><w:jc w:val=\"both\"/></w:pPr>"),
      std::string::npos)
      << paragraphs[0];
  EXPECT_THROW(both.ParagraphFormat().SetAlignment(9), Error);
}

TEST(ParagraphFormatting, StyleOfParagraphsAndOfCharacters) {
  auto doc = openDocument(styledSpec(
      para(run("ab") + run("cd", "<w:rStyle w:val=\"Strong\"/>"), "<w:pStyle w:val=\"Base\"/>") + para(run("e"))));
  ASSERT_TRUE(doc->Range(0, 1).ParagraphFormat().Style());
  EXPECT_EQ(doc->Range(0, 1).ParagraphFormat().Style()->Id(), "Base");
  EXPECT_EQ(doc->Range(5, 6).ParagraphFormat().Style()->NameLocal(), "Normal");
  EXPECT_FALSE(doc->Content().ParagraphFormat().Style());  // two different styles
  EXPECT_EQ(doc->Range(2, 4).Style()->Id(), "Strong");
  EXPECT_EQ(doc->Range(1, 3).Style()->Id(), "Base");  // mixed characters: the paragraph style

  doc->Content().ParagraphFormat().SetStyle("Derived");
  EXPECT_EQ(doc->Content().ParagraphFormat().Style()->Id(), "Derived");
  EXPECT_EQ(doc->Range(5, 6).Font().Color(), 0x00FF00);  // the new style's formatting applies at once
  try {
    doc->Content().ParagraphFormat().SetStyle("NoSuchStyle");
    ADD_FAILURE() << "a missing style was applied";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrNoSuchMember);
  }
}

TEST(StyleCaps, AParagraphStylesCapsCanBeReadSwitchedOffAndBackOn) {
  auto doc = openDocument(styledSpec(para(run("Heading"), "<w:pStyle w:val=\"Caps\"/>") + para(run("body"))));
  Style caps = *doc->Range(0, 1).ParagraphFormat().Style();
  EXPECT_EQ(caps.Font().AllCaps(), kTrue);
  caps.Font().SetAllCaps(kFalse);
  EXPECT_EQ(caps.Font().AllCaps(), kFalse);
  EXPECT_EQ(doc->Range(0, 7).Font().AllCaps(), kFalse);
  EXPECT_FALSE(doc->Saved());
  auto off = reopen(*doc);
  EXPECT_EQ(off->Range(0, 7).Font().AllCaps(), kFalse);
  Style(off.get(), "Caps").Font().SetAllCaps(kTrue);
  auto on = reopen(*off);
  EXPECT_EQ(on->Range(0, 7).Font().AllCaps(), kTrue);
  EXPECT_EQ(on->Range(8, 12).Font().AllCaps(), kFalse);
  // Switching on a style that is not capitalised yet writes the property into the style.
  Style plain(on.get(), "Base");
  plain.Font().SetAllCaps(kTrue);
  EXPECT_EQ(plain.Font().AllCaps(), kTrue);
  EXPECT_THROW(Style(on.get(), "Missing").Font().SetAllCaps(kTrue), Error);
}

TEST(StyleCaps, SettingCapsToWhatTheStyleHasIsNoChange) {
  auto doc = openDocument(styledSpec(para(run("Heading"), "<w:pStyle w:val=\"Caps\"/>")));
  Style(doc.get(), "Caps").Font().SetAllCaps(kTrue);
  EXPECT_TRUE(doc->Saved());
}

TEST(StyleCaps, AStyleEditGoesThroughTheEditProtocolAndIsSaved) {
  auto doc = openDocument(styledSpec(para(run("Heading"), "<w:pStyle w:val=\"Caps\"/>")));
  const std::uint64_t stamp = doc->editStamp();
  Style(doc.get(), "Caps").Font().SetAllCaps(kFalse);
  EXPECT_FALSE(doc->Saved());
  EXPECT_GT(doc->editStamp(), stamp);  // what compares the edit count (pages, shown text) sees it
  EXPECT_EQ(doc->verifyDerivedState(), "");
  EXPECT_EQ(reopen(*doc)->Range(0, 7).Font().AllCaps(), kFalse);
}

TEST(StyleCaps, AStylesFontOutlivesTheStyleItCameFrom) {
  auto doc = openDocument(styledSpec(para(run("Heading"), "<w:pStyle w:val=\"Caps\"/>")));
  // The Style is a temporary inside the optional; the font must not refer to it.
  Style::StyleFont font = doc->Range(0, 1).ParagraphFormat().Style()->Font();
  EXPECT_EQ(font.AllCaps(), kTrue);
  font.SetAllCaps(kFalse);
  EXPECT_EQ(doc->Range(0, 7).Font().AllCaps(), kFalse);
}

TEST(StyleCaps, CapsOnATableStyleGoesBeforeItsTableProperties) {
  DocParts parts = styledSpec(para(run("text")));
  parts.styles +=
      "<w:style w:type=\"table\" w:styleId=\"Grid\"><w:name w:val=\"Grid\"/><w:pPr/><w:tblPr/><w:tcPr/>"
      "</w:style>";
  auto doc = openDocument(parts);
  Style(doc.get(), "Grid").Font().SetAllCaps(kTrue);
  EXPECT_EQ(Style(doc.get(), "Grid").Font().AllCaps(), kTrue);
  pugi::xml_node grid = doc->package().xml("word/styles.xml").select_node("//w:style[@w:styleId='Grid']").node();
  EXPECT_EQ(xmlOf(grid),
            "<w:style w:type=\"table\" w:styleId=\"Grid\"><w:name w:val=\"Grid\"/><w:pPr/><w:rPr><w:caps/></w:rPr>"
            "<w:tblPr/><w:tcPr/></w:style>");
}

TEST(ListFormat, RemoveNumbersTakesParagraphsOutOfDirectAndStyleListsAndLeavesTheRest) {
  const std::string numbered = "<w:numPr><w:ilvl w:val=\"1\"/><w:numId w:val=\"3\"/></w:numPr>";
  DocParts parts;
  parts.styles = paragraphStyle("Clause", "", numbered, "") + paragraphStyle("SubClause", "Clause", "", "");
  parts.body = para(run("a"), numbered) + para(run("b"), "<w:pStyle w:val=\"SubClause\"/>") + para(run("c")) +
               para(run("d"), numbered);
  auto doc = openDocument(parts);
  doc->Range(0, 5).ListFormat().RemoveNumbers();  // the first three paragraphs
  std::vector<std::string> paragraphs = paragraphsXml(*reopen(*doc), "word/document.xml");
  ASSERT_EQ(paragraphs.size(), 4u);
  EXPECT_EQ(paragraphs[0].find("numPr"), std::string::npos) << paragraphs[0];
  // Numbered by its style's parent: switched off by a list of id 0, in schema order.
  EXPECT_NE(paragraphs[1].find("<w:pStyle w:val=\"SubClause\"/><w:numPr><w:numId w:val=\"0\"/></w:numPr>"),
            std::string::npos)
      << paragraphs[1];
  EXPECT_EQ(paragraphs[2].find("numPr"), std::string::npos) << paragraphs[2];
  EXPECT_NE(paragraphs[3].find(numbered), std::string::npos) << paragraphs[3];
}

}  // namespace
}  // namespace host
