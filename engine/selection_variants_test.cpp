#include <gtest/gtest.h>

#include "engine/cls_osvlx_lib.h"
#include "host/model/window.h"
#include "host/platform/error.h"
#include "host/shell/application.h"
#include "host/testing/test_documents.h"

namespace engine {
namespace {

using host::testing::DocParts;
using host::testing::elementRun;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;

const std::string kMarked = "<w:color w:val=\"F3F3F3\"/><w:highlight w:val=\"red\"/>";

// Main text with a footnote and an endnote, each holding the given runs after its own text.
DocParts notedDocument(const std::string& runs) {
  DocParts parts;
  parts.body = para(run("Main ") + runs + footnoteRef(1) + elementRun("<w:endnoteReference w:id=\"1\"/>"));
  parts.footnotes = {para(run("Foot ") + runs)};
  parts.endnotes = {para(run("End ") + runs)};
  parts.lastSection = host::testing::LastSection::NewDocument;
  return parts;
}

std::string storyText(host::Document& doc, int storyType) { return doc.StoryRanges().Item(storyType).Text(); }

class SelectionVariants : public ::testing::Test {
 protected:
  host::Document& open(const DocParts& parts) { return app_.Documents().Add(host::testing::openDocument(parts)); }

  clsOSVLXLib engine_;
  host::Application app_;
};

TEST_F(SelectionVariants, QuoteToggleRewritesTheQuotesOfMainTextFootnotesAndEndnotes) {
  for (int viewType : {host::wdPrintView, host::wdNormalView}) {
    host::Document& doc = open(notedDocument(run("\"Buyer\"")));
    doc.ActiveWindow().ActivePane().View().SetType(viewType);
    app_.Options().AutoFormatAsYouTypeReplaceQuotes = true;
    engine_.xSmartQuoteToggleNEW(app_, doc);
    EXPECT_EQ(doc.Content().Text(),
              "Main \xE2\x80\x9C"
              "Buyer\xE2\x80\x9D\x02\x02\r")
        << viewType;
    EXPECT_EQ(storyText(doc, host::wdFootnotesStory),
              "Foot \xE2\x80\x9C"
              "Buyer\xE2\x80\x9D\r")
        << viewType;
    EXPECT_EQ(storyText(doc, host::wdEndnotesStory),
              "End \xE2\x80\x9C"
              "Buyer\xE2\x80\x9D\r")
        << viewType;
    EXPECT_FALSE(app_.Options().Pagination) << viewType;  // stays off

    // Back to straight quotes; the window ends on the main text with no pane open.
    app_.Options().AutoFormatAsYouTypeReplaceQuotes = false;
    engine_.xSmartQuoteToggleNEW(app_, doc);
    EXPECT_EQ(storyText(doc, host::wdFootnotesStory), "Foot \"Buyer\"\r") << viewType;
    EXPECT_EQ(storyText(doc, host::wdEndnotesStory), "End \"Buyer\"\r") << viewType;
    EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdMainTextStory) << viewType;
    EXPECT_EQ(doc.ActiveWindow().View().SeekView(), host::wdSeekMainDocument) << viewType;
    EXPECT_EQ(doc.ActiveWindow().View().SplitSpecial(), host::wdPaneNone) << viewType;
    EXPECT_EQ(doc.ActiveWindow().PanesCount(), 1) << viewType;
    app_.Documents().Close(doc);
  }
}

TEST_F(SelectionVariants, QuoteToggleBringsAWindowLookingAtANoteBackToTheMainText) {
  host::Document& doc = open(notedDocument(run("\"x\"")));
  doc.ActiveWindow().View().SetSeekView(host::wdSeekEndnotes);
  app_.Options().AutoFormatAsYouTypeReplaceQuotes = true;
  engine_.xSmartQuoteToggleNEW(app_, doc);
  EXPECT_EQ(doc.Content().Text(), "Main \xE2\x80\x9Cx\xE2\x80\x9D\x02\x02\r");
  EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdMainTextStory);
  EXPECT_EQ(doc.ActiveWindow().View().SeekView(), host::wdSeekMainDocument);
}

TEST_F(SelectionVariants, QuoteToggleWithoutNotesStaysInTheMainText) {
  DocParts parts;
  parts.body = para(run("a \"b\" c"));
  host::Document& doc = open(parts);
  doc.ActiveWindow().ActivePane().View().SetType(host::wdNormalView);
  app_.Options().AutoFormatAsYouTypeReplaceQuotes = true;
  engine_.xSmartQuoteToggleNEW(app_, doc);
  EXPECT_EQ(doc.Content().Text(),
            "a \xE2\x80\x9C"
            "b\xE2\x80\x9D c\r");
  EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdMainTextStory);
  EXPECT_EQ(doc.ActiveWindow().PanesCount(), 1);
}

TEST_F(SelectionVariants, QuoteToggleEndsQuietlyOnAFailureAndTurnsPaginationBackOn) {
  // The document is not open in the application, so there is no selection to work through.
  auto doc = host::testing::openDocument(notedDocument(run("\"x\"")));
  app_.Options().Pagination = true;
  EXPECT_NO_THROW(engine_.xSmartQuoteToggleNEW(app_, *doc));
  EXPECT_TRUE(app_.Options().Pagination);
  EXPECT_EQ(doc->Content().Text(), "Main \"x\"\x02\x02\r");
}

TEST_F(SelectionVariants, ColourRestoreClearsTheMarksOfEveryTextStory) {
  for (int viewType : {host::wdPrintView, host::wdNormalView}) {
    host::Document& doc = open(notedDocument(run("Marked", kMarked) + run("Grey", "<w:color w:val=\"F3F3F3\"/>")));
    doc.ActiveWindow().ActivePane().View().SetType(viewType);
    app_.Options().Pagination = true;
    engine_.RestoreTextColorNEW(app_, doc);
    EXPECT_EQ(doc.Range(5, 11).Font().Color(), host::kColorAutomatic) << viewType;
    EXPECT_EQ(doc.Range(5, 11).HighlightColorIndex(), 0) << viewType;
    EXPECT_EQ(doc.Range(11, 15).Font().Color(), kMarkColor) << viewType;  // grey without highlight stays
    for (int story : {host::wdFootnotesStory, host::wdEndnotesStory}) {
      host::Range notes = doc.StoryRanges().Item(story);
      EXPECT_EQ(notes.HighlightColorIndex(), 0) << viewType << " " << story;
      const long at = notes.Start() + static_cast<long>(notes.Text().find("Marked"));
      host::Range marked = doc.makeRange(notes.GetStory(), at, at + 6);
      EXPECT_EQ(marked.Font().Color(), host::kColorAutomatic) << viewType << " " << story;
    }
    EXPECT_TRUE(app_.Options().Pagination) << viewType;  // not touched
    EXPECT_EQ(doc.SelectionRange().StoryType(), host::wdMainTextStory) << viewType;
    EXPECT_EQ(doc.ActiveWindow().PanesCount(), 1) << viewType;
    app_.Documents().Close(doc);
  }
}

TEST_F(SelectionVariants, ColourRestoreReportsAFailure) {
  auto doc = host::testing::openDocument(notedDocument(run("Marked", kMarked)));
  EXPECT_THROW(engine_.RestoreTextColorNEW(app_, *doc), host::Error);
}

}  // namespace
}  // namespace engine
