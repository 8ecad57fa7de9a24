#include "host/model/range.h"

#include <algorithm>
#include <cctype>
#include <random>

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/errors.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

// "The quick brown fox\r": words start at 0, 4, 10, 16; the mark is at 19.
std::unique_ptr<Document> foxDoc() { return openBody(para(run("The quick ") + run("brown fox"))); }

std::pair<long, long> span(const Range& r) { return {r.Start(), r.End()}; }

TEST(RangeEnds, SettingOneEndPastTheOtherDragsItAlong) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  r.SetStart(12);
  EXPECT_EQ(span(r), std::make_pair(12L, 12L));
  r.SetEnd(2);
  EXPECT_EQ(span(r), std::make_pair(2L, 2L));
  r.SetRange(10, 4);
  EXPECT_EQ(span(r), std::make_pair(4L, 10L));
  EXPECT_EQ(r.Text(), "quick ");
}

TEST(RangeIdentity, CopiesShareOneRangeAndDuplicateIsIndependent) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  Range same = r;
  Range dup = r.Duplicate();
  same.SetStart(0);
  EXPECT_EQ(r.Start(), 0);
  EXPECT_TRUE(same.Is(r));
  EXPECT_FALSE(dup.Is(r));
  EXPECT_EQ(span(dup), std::make_pair(4L, 9L));
  dup.SetEnd(19);
  EXPECT_EQ(r.End(), 9);
}

TEST(RangeCollapse, CollapsesToStartByDefaultOrToEnd) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  r.Collapse(wdCollapseEnd);
  EXPECT_EQ(span(r), std::make_pair(9L, 9L));
  Range s = doc->Range(4, 9);
  s.Collapse();
  EXPECT_EQ(span(s), std::make_pair(4L, 4L));
  Range t = doc->Range(4, 9);
  t.Collapse(wdCollapseStart);
  EXPECT_EQ(span(t), std::make_pair(4L, 4L));
}

struct MoveCase {
  const char* name;
  long start, end;
  bool moveStart;  // else MoveEnd
  int unit;
  long count;
  long expectStart, expectEnd, expectMoved;
};

TEST(RangeMove, MovesEitherEndByUnitsOfEitherSign) {
  // "The quick brown fox\r" + "second para\r" + "third\r": paragraphs start at 0, 20, 32.
  auto doc = openBody(para(run("The quick brown fox")) + para(run("second para")) + para(run("third")));
  const std::vector<MoveCase> cases = {
      {"end by one character", 0, 0, false, wdCharacter, 1, 0, 1, 1},
      {"end back past start drags start", 4, 6, false, wdCharacter, -3, 3, 3, -3},
      {"start by characters clipped at the story end", 30, 30, true, wdCharacter, 100, 38, 38, 8},
      {"start by characters clipped at zero", 2, 5, true, wdCharacter, -5, 0, 5, -2},
      {"end by one word", 0, 0, false, wdWord, 1, 0, 4, 1},
      {"end by two words from inside a word", 5, 5, false, wdWord, 2, 5, 16, 2},
      {"end back one word from a word start", 0, 16, false, wdWord, -1, 0, 10, -1},
      {"end back one word from inside a word", 0, 12, false, wdWord, -1, 0, 10, -1},
      {"start forward over the paragraph mark", 16, 16, true, wdWord, 2, 20, 20, 2},
      {"start back a word into the previous paragraph", 20, 25, true, wdWord, -1, 19, 25, -1},
      {"end by one paragraph", 5, 5, false, wdParagraph, 1, 5, 20, 1},
      {"end by two paragraphs", 0, 0, false, wdParagraph, 2, 0, 32, 2},
      {"start back one paragraph from inside", 25, 25, true, wdParagraph, -1, 20, 25, -1},
      {"start back two paragraphs", 25, 25, true, wdParagraph, -2, 0, 25, -2},
      {"end by more paragraphs than there are", 0, 0, false, wdParagraph, 10, 0, 38, 3},
      {"start back at the story start moves nothing", 0, 3, true, wdParagraph, -1, 0, 3, 0},
      {"end to the story end", 2, 3, false, wdStory, 1, 2, 38, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Range r = doc->Range(c.start, c.end);
    long moved = c.moveStart ? r.MoveStart(c.unit, c.count) : r.MoveEnd(c.unit, c.count);
    EXPECT_EQ(span(r), std::make_pair(c.expectStart, c.expectEnd));
    EXPECT_EQ(moved, c.expectMoved);
  }
}

struct ExpandCase {
  const char* name;
  long start, end;
  int unit;
  long expectStart, expectEnd;
  std::string text;
};

TEST(RangeExpand, WidensToWholeUnits) {
  auto doc = openBody(para(run("The quick brown fox")) + para(run("second para")));
  const std::vector<ExpandCase> cases = {
      {"word from inside it, with its trailing space", 5, 6, wdWord, 4, 10, "quick "},
      {"word from an empty range inside it", 6, 6, wdWord, 4, 10, "quick "},
      {"word from an empty range at its start", 4, 4, wdWord, 4, 10, "quick "},
      {"last word before the mark", 17, 18, wdWord, 16, 19, "fox"},
      {"words across two words", 5, 12, wdWord, 4, 16, "quick brown "},
      {"paragraph from inside", 5, 6, wdParagraph, 0, 20, "The quick brown fox\r"},
      {"paragraph from an empty range at its start", 20, 20, wdParagraph, 20, 32, "second para\r"},
      {"paragraphs across a mark", 18, 22, wdParagraph, 0, 32, "The quick brown fox\rsecond para\r"},
      {"story", 5, 6, wdStory, 0, 32, "The quick brown fox\rsecond para\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Range r = doc->Range(c.start, c.end);
    long added = r.Expand(c.unit);
    EXPECT_EQ(span(r), std::make_pair(c.expectStart, c.expectEnd));
    EXPECT_EQ(r.Text(), c.text);
    EXPECT_EQ(added, (c.expectEnd - c.expectStart) - (c.end - c.start));
  }
  Range whole = doc->Range(4, 10);
  EXPECT_EQ(whole.Expand(wdWord), 0);
  EXPECT_THROW(whole.Expand(99), Error);
}

// Words found by reading the paragraph from its start: a run of word characters or one other
// character, with the spaces after it.
std::vector<long> wordStartsFromTheStart(const std::string& text) {
  auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '\'' || c == '_'; };
  std::vector<long> starts;
  for (std::size_t i = 0; i < text.size();) {
    starts.push_back(static_cast<long>(i));
    if (word(text[i])) {
      while (i < text.size() && word(text[i])) ++i;
    } else {
      ++i;
    }
    while (i < text.size() && text[i] == ' ') ++i;
  }
  return starts;
}

TEST(RangeExpand, WordsFoundAroundAPlaceAreThoseReadFromTheParagraphStart) {
  std::mt19937 rng(5);
  const std::string alphabet = "ab1 .,'_";
  for (int round = 0; round < 200; ++round) {
    std::string text;
    int length = std::uniform_int_distribution<int>(1, 12)(rng);
    for (int i = 0; i < length; ++i)
      text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    auto doc = openBody(para(run(text)));
    std::vector<long> starts = wordStartsFromTheStart(text + "\r");
    for (long at = 0; at < static_cast<long>(text.size()); ++at) {
      auto after = std::upper_bound(starts.begin(), starts.end(), at);
      Range range = doc->Range(at, at);
      range.Expand(wdWord);
      ASSERT_EQ(span(range),
                std::make_pair(*(after - 1), after == starts.end() ? static_cast<long>(text.size()) + 1 : *after))
          << "\"" << text << "\" at " << at;
    }
  }
}

TEST(RangeCharacters, FirstAndLastAreOneCharacterRanges) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  EXPECT_EQ(r.Characters().First().Text(), "q");
  EXPECT_EQ(r.Characters().Last().Text(), "k");
  EXPECT_EQ(r.Characters().Count(), 5);
  EXPECT_EQ(span(r.Characters().Last()), std::make_pair(8L, 9L));
  // The last character of the story is its final paragraph mark.
  EXPECT_EQ(doc->Content().Characters().Last().Text(), "\r");
}

// What a call on a handle of a closed document fails with.
const Failure kClosed{kErrNoSuchMember, "The range's document has been closed."};

TEST(RangeLifetime, ARangeOfAClosedDocumentReportsItInsteadOfReadingFreedMemory) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  Range selection = doc->SelectionRange();
  Font font = r.Font();
  host::ParagraphFormat format = r.ParagraphFormat();
  doc.reset();
  EXPECT_EQ(failureOf([&] { r.Start(); }), kClosed) << "Start";
  EXPECT_EQ(failureOf([&] { r.Text(); }), kClosed) << "Text";
  EXPECT_EQ(failureOf([&] { r.SetText("x"); }), kClosed) << "SetText";
  EXPECT_EQ(failureOf([&] { r.Characters().Count(); }), kClosed) << "Characters";
  EXPECT_EQ(failureOf([&] { selection.End(); }), kClosed) << "the selection";
  EXPECT_EQ(failureOf([&] { font.Bold(); }), kClosed) << "Font.Bold";
  EXPECT_EQ(failureOf([&] { font.SetBold(kTrue); }), kClosed) << "Font.SetBold";
  EXPECT_EQ(failureOf([&] { format.SpaceBefore(); }), kClosed) << "ParagraphFormat.SpaceBefore";
  EXPECT_EQ(failureOf([&] { format.SetStyle("Normal"); }), kClosed) << "ParagraphFormat.SetStyle";
}

TEST(RangeLifetime, EveryOtherHandleOfAClosedDocumentReportsItAsARangeDoes) {
  auto doc = foxDoc();
  Field field = doc->Indexes().MarkEntry(doc->Range(4, 9), "Quick");
  host::Fields fields = doc->Fields();
  Bookmark bookmark = doc->Bookmarks().Add("Fox", doc->Range(16, 19));
  host::Indexes indexes = doc->Indexes();
  host::Style style(doc.get(), "Normal");
  Style::StyleFont styleFont = style.Font();
  Section section = doc->Sections().Item(1);
  Section::PageSetupView pageSetup = section.PageSetup();
  Window window = doc->ActiveWindow();
  View view = window.View();
  Range r = doc->Range(0, 3);
  doc.reset();
  EXPECT_EQ(failureOf([&] { field.Code(); }), kClosed) << "Field.Code";
  EXPECT_EQ(failureOf([&] { field.ShowCodes(); }), kClosed) << "Field.ShowCodes";
  EXPECT_EQ(failureOf([&] { field.SetShowCodes(true); }), kClosed) << "Field.SetShowCodes";
  EXPECT_EQ(failureOf([&] { field.GetStory(); }), kClosed) << "Field.GetStory";
  EXPECT_EQ(failureOf([&] { fields.Item(1).Span(); }), kClosed) << "Fields.Item";
  EXPECT_EQ(failureOf([&] { fields.Add(r, wdFieldEmpty, "PAGE"); }), kClosed) << "Fields.Add";
  EXPECT_EQ(failureOf([&] { bookmark.Name(); }), kClosed) << "Bookmark.Name";
  EXPECT_EQ(failureOf([&] { bookmark.Start(); }), kClosed) << "Bookmark.Start";
  EXPECT_EQ(failureOf([&] { bookmark.Delete(); }), kClosed) << "Bookmark.Delete";
  EXPECT_EQ(failureOf([&] { indexes.MarkEntry(r, "The"); }), kClosed) << "Indexes.MarkEntry";
  EXPECT_EQ(failureOf([&] { style.NameLocal(); }), kClosed) << "Style.NameLocal";
  EXPECT_EQ(failureOf([&] { styleFont.SetAllCaps(kTrue); }), kClosed) << "Style.Font.SetAllCaps";
  EXPECT_EQ(failureOf([&] { section.Range(); }), kClosed) << "Section.Range";
  EXPECT_EQ(failureOf([&] { pageSetup.SectionStart(); }), kClosed) << "PageSetup.SectionStart";
  EXPECT_EQ(failureOf([&] { pageSetup.SetStartingNumber(3); }), kClosed) << "PageSetup.SetStartingNumber";
  EXPECT_EQ(failureOf([&] { window.PanesCount(); }), kClosed) << "Window.PanesCount";
  EXPECT_EQ(failureOf([&] { window.GetDocument(); }), kClosed) << "Window.GetDocument";
  EXPECT_EQ(failureOf([&] { view.SetShowFieldCodes(true); }), kClosed) << "View.SetShowFieldCodes";
  EXPECT_EQ(failureOf([&] { window.ActivePane().View().Type(); }), kClosed) << "Pane.View.Type";
}

TEST(RangeLifetime, CharactersOfATemporaryRangeStayValid) {
  auto doc = foxDoc();
  Range::CharactersView chars = doc->Range(4, 9).Characters();
  EXPECT_EQ(chars.Count(), 5);
  EXPECT_EQ(chars.First().Text(), "q");
  EXPECT_EQ(chars.Last().Text(), "k");
}

TEST(RangeWords, WordsAreClippedToTheRange) {
  auto doc = foxDoc();
  Range r = doc->Range(5, 12);
  EXPECT_EQ(r.Words(1).Text(), "uick ");
  EXPECT_EQ(r.Words(2).Text(), "br");
  try {
    r.Words(3);
    ADD_FAILURE() << "a third word was found";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrNoSuchMember);
  }
  EXPECT_EQ(doc->Range(6, 6).Words(1).Text(), "quick ");  // an empty range gives its whole word
  EXPECT_EQ(doc->Content().Words(1).Text(), "The ");
}

TEST(RangeText, WritingReplacesTheContentAndTheRangeCoversTheNewText) {
  auto doc = foxDoc();
  Range r = doc->Range(4, 9);
  r.SetText("slow");
  EXPECT_EQ(span(r), std::make_pair(4L, 8L));
  EXPECT_EQ(r.Text(), "slow");
  EXPECT_EQ(doc->Content().Text(), "The slow brown fox\r");
  r.SetText("");
  EXPECT_EQ(span(r), std::make_pair(4L, 4L));
  EXPECT_EQ(doc->Content().Text(), "The  brown fox\r");
  r.SetText("a\rb");
  EXPECT_EQ(doc->Content().Text(), "The a\rb brown fox\r");
  EXPECT_EQ(r.Text(), "a\rb");
  EXPECT_EQ(doc->mainStory().blocks().size(), 2u);
}

TEST(RangeText, WritingAsManyPlainCharactersKeepsTheirElementsAndFormatting) {
  auto doc = openBody(para(run("The \"quick\" ", "<w:b/>") + "<w:del w:id=\"1\" w:author=\"A\">" +
                           "<w:r><w:delText>\"old\"</w:delText></w:r></w:del>" + run("x\ty")));
  const auto paragraph = [&] { return xmlOf(doc->mainStory().blocks()[0].node); };
  // Over a stretch of two runs, one of them deleted text: each character stays in its own.
  Range quotes = doc->Range(10, 16);
  quotes.SetText("\u201D \u201Cold");
  EXPECT_EQ(span(quotes), std::make_pair(10L, 16L));
  EXPECT_EQ(doc->Content().Text(), "The \"quick\u201D \u201Cold\"x\ty\r");
  EXPECT_NE(paragraph().find("<w:b/></w:rPr><w:t xml:space=\"preserve\">The \"quick\u201D </w:t>"), std::string::npos)
      << paragraph();
  EXPECT_NE(paragraph().find("<w:delText xml:space=\"preserve\">\u201Cold\"</w:delText>"), std::string::npos)
      << paragraph();
  EXPECT_EQ(doc->verifyDerivedState(), "");
  // A tab is an element of its own: writing over it replaces it as ever.
  Range tab = doc->Range(18, 19);
  tab.SetText("-");
  EXPECT_EQ(doc->Content().Text(), "The \"quick\u201D \u201Cold\"x-y\r");
  EXPECT_EQ(paragraph().find("<w:tab"), std::string::npos) << paragraph();
  EXPECT_EQ(doc->verifyDerivedState(), "");
}

TEST(RangeText, WritingTheWholeStoryKeepsItsFinalParagraphMark) {
  auto doc = openBody(para(run("one")) + para(run("two")));
  Range all = doc->Content();
  all.SetText("new");
  EXPECT_EQ(doc->Content().Text(), "new\r");
  EXPECT_EQ(all.Text().substr(0, 3), "new");
}

TEST(RangeSelect, SelectMovesTheDocumentSelection) {
  auto doc = foxDoc();
  doc->Range(4, 9).Select();
  Range sel = doc->SelectionRange();
  EXPECT_EQ(span(sel), std::make_pair(4L, 9L));
  EXPECT_EQ(sel.Text(), "quick");
  // The selection is live: an edit before it moves it.
  doc->Range(0, 0).InsertBefore("AB");
  EXPECT_EQ(span(doc->SelectionRange()), std::make_pair(6L, 11L));
}

TEST(RangeStory, StoryTypeAndLengthOfEachStory) {
  DocParts parts;
  parts.body = para(run("main") + elementRun("<w:footnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(run("note"))};
  auto doc = openDocument(parts);
  EXPECT_EQ(doc->Content().StoryType(), wdMainTextStory);
  EXPECT_EQ(doc->Range(1, 2).StoryLength(), 6);
  Range notes = doc->StoryRanges().Item(wdFootnotesStory);
  EXPECT_EQ(notes.StoryType(), wdFootnotesStory);
  EXPECT_EQ(notes.StoryLength(), 5);
}

TEST(RangeInformation, InsideAFieldsCodeOrItsResult) {
  auto doc = openBody(para(run("a") + fieldChar("begin") + fieldCode(" TOC ") + fieldChar("separate") + run("res") +
                           fieldChar("end") + run("b")) +
                      para(fieldChar("begin") + fieldCode(" XE \"x\" ") + fieldChar("end")));
  const auto where = [&](long at) {
    host::Range r = doc->Range(at, at);
    return std::pair{r.Information(wdInFieldCode), r.Information(wdInFieldResult)};
  };
  std::vector<FieldSpan> spans;
  for (Field field : doc->Fields()) spans.push_back(field.Span());
  ASSERT_EQ(spans.size(), 2u);
  const FieldSpan toc = spans[0], entry = spans[1];
  EXPECT_EQ(where(toc.begin), std::pair(kFalse, kFalse));  // before the begin mark
  EXPECT_EQ(where(toc.begin + 1), std::pair(kTrue, kFalse));
  EXPECT_EQ(where(toc.separator), std::pair(kTrue, kFalse));
  EXPECT_EQ(where(toc.separator + 1), std::pair(kFalse, kTrue));
  EXPECT_EQ(where(toc.end), std::pair(kFalse, kTrue));
  EXPECT_EQ(where(toc.end + 1), std::pair(kFalse, kFalse));  // after the end mark
  EXPECT_EQ(where(entry.end), std::pair(kTrue, kFalse));     // no separator: all code
  EXPECT_THROW(doc->Range(0, 0).Information(99), Error);
}

TEST(RangeTables, CountsTheOutermostTablesTheRangeTouches) {
  std::string nested = "<w:tbl><w:tr><w:tc>" + para(run("outer")) + table({{"inner"}}) + para("") +
                       "</w:tc></w:tr></w:tbl>";
  auto doc = openBody(para(run("before")) + table({{"a", "b"}}) + para(run("between")) + nested + para(run("after")));
  EXPECT_EQ(doc->Content().TablesCount(), 2);
  EXPECT_EQ(doc->Range(0, 3).TablesCount(), 0);
  EXPECT_EQ(doc->Range(7, 7).TablesCount(), 1);  // an empty range inside the first table
  long inner = static_cast<long>(doc->Content().Characters16().find(u"inner"));
  ASSERT_GT(inner, 0);
  EXPECT_EQ(doc->Range(inner, inner + 1).TablesCount(), 1);  // inside the nested table
}

TEST(RangeSections, SectionsAndTheirStartTypes) {
  auto doc = openBody(para(run("one"), "<w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>") + para(run("two")) +
                      "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr>");
  auto all = doc->Content().Sections();
  ASSERT_EQ(all.Count(), 2);
  EXPECT_EQ(all.Item(1).PageSetup().SectionStart(), wdSectionContinuous);
  EXPECT_EQ(all.Item(2).PageSetup().SectionStart(), wdSectionNewPage);
  EXPECT_EQ(span(all.Item(1).Range()), std::make_pair(0L, 4L));
  EXPECT_EQ(span(all.Item(2).Range()), std::make_pair(4L, 8L));
  EXPECT_EQ(doc->Range(5, 6).Sections().Count(), 1);
  EXPECT_EQ(doc->Range(5, 6).Sections().Item(1).Range().Start(), 4);
  EXPECT_THROW(all.Item(3), Error);
  EXPECT_THROW(all.Item(0), Error);

  all.Item(2).PageSetup().SetSectionStart(wdSectionOddPage);
  all.Item(1).PageSetup().SetSectionStart(wdSectionNewPage);
  auto again = reopen(*doc);
  EXPECT_EQ(again->Sections().Item(1).PageSetup().SectionStart(), wdSectionNewPage);
  EXPECT_EQ(again->Sections().Item(2).PageSetup().SectionStart(), wdSectionOddPage);
  // The type element goes where the schema wants it: before the page size.
  std::string body = bodyXml(*again);
  EXPECT_LT(body.find("<w:type w:val=\"oddPage\""), body.find("<w:pgSz"));
  EXPECT_THROW(all.Item(1).PageSetup().SetSectionStart(7), Error);
}

TEST(RangeSections, PageNumberRestartAndStartingNumber) {
  auto doc = openBody(para(run("one"), "<w:sectPr><w:pgNumType w:fmt=\"lowerRoman\" w:start=\"5\"/></w:sectPr>") +
                      para(run("two"), "<w:sectPr><w:pgNumType w:fmt=\"upperRoman\"/></w:sectPr>") +
                      para(run("three")));
  Section::PageSetupView first = doc->Sections().Item(1).PageSetup();
  Section::PageSetupView second = doc->Sections().Item(2).PageSetup();
  Section::PageSetupView last = doc->Sections().Item(3).PageSetup();  // the body's, which may be missing
  EXPECT_TRUE(first.RestartNumberingAtSection());
  EXPECT_EQ(first.StartingNumber(), 5);
  EXPECT_FALSE(second.RestartNumberingAtSection());
  EXPECT_EQ(second.StartingNumber(), 0);
  EXPECT_FALSE(last.RestartNumberingAtSection());

  // A number set while the numbering goes on is not kept; restarting starts from 1.
  second.SetStartingNumber(9);
  EXPECT_FALSE(second.RestartNumberingAtSection());
  second.SetRestartNumberingAtSection(true);
  EXPECT_EQ(second.StartingNumber(), 1);
  second.SetStartingNumber(0);
  last.SetRestartNumberingAtSection(true);
  last.SetStartingNumber(12);
  first.SetRestartNumberingAtSection(false);
  first.SetRestartNumberingAtSection(false);  // again, with nothing left to drop
  EXPECT_THROW(first.SetStartingNumber(-1), Error);

  auto again = reopen(*doc);
  EXPECT_FALSE(again->Sections().Item(1).PageSetup().RestartNumberingAtSection());
  EXPECT_TRUE(again->Sections().Item(2).PageSetup().RestartNumberingAtSection());
  EXPECT_EQ(again->Sections().Item(2).PageSetup().StartingNumber(), 0);
  EXPECT_EQ(again->Sections().Item(3).PageSetup().StartingNumber(), 12);
  // The number format stays when the restart goes.
  std::string body = bodyXml(*again);
  EXPECT_NE(body.find("<w:pgNumType w:fmt=\"lowerRoman\"/>"), std::string::npos);
  EXPECT_NE(body.find("<w:pgNumType w:fmt=\"upperRoman\" w:start=\"0\"/>"), std::string::npos);
}

TEST(RangeSections, AnEmptyRangeAtTheStoryEndIsInTheLastSection) {
  auto doc = openBody(para(run("one"), "<w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>") + para(run("two")));
  Range end = doc->Content();
  end.Collapse(wdCollapseEnd);
  ASSERT_EQ(end.Sections().Count(), 1);
  EXPECT_EQ(end.Sections().Item(1).Range().Start(), 4);
  Range start = doc->Content();
  start.Collapse(wdCollapseStart);
  ASSERT_EQ(start.Sections().Count(), 1);
  EXPECT_EQ(start.Sections().Item(1).PageSetup().SectionStart(), wdSectionContinuous);
}

TEST(RangeSections, NotesHaveNoSections) {
  DocParts parts;
  parts.body = para(run("a") + elementRun("<w:footnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(run("note"))};
  auto doc = openDocument(parts);
  EXPECT_EQ(doc->StoryRanges().Item(wdFootnotesStory).Sections().Count(), 0);
}

}  // namespace
}  // namespace host
