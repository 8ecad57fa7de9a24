#include "host/model/window.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/shell/application.h"
#include "host/testing/errors.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

// A document with main text, one footnote and one endnote, open in an application.
struct WithNotes : ::testing::Test {
  void SetUp() override {
    DocParts parts;
    parts.body = para(run("Main text") + elementRun("<w:footnoteReference w:id=\"1\"/>") + run(" and more") +
                      elementRun("<w:endnoteReference w:id=\"1\"/>"));
    parts.footnotes = {para(run("Foot note"))};
    parts.endnotes = {para(run("End note"))};
    doc = &app.Documents().Add(openDocument(parts));
  }
  View view() { return app.ActiveWindow().ActivePane().View(); }

  Application app;
  Document* doc = nullptr;
};

TEST_F(WithNotes, AWindowStartsInPrintLayoutLookingAtTheMainText) {
  EXPECT_EQ(view().Type(), wdPrintView);
  EXPECT_EQ(view().SplitSpecial(), wdPaneNone);
  EXPECT_EQ(view().SeekView(), wdSeekMainDocument);
  EXPECT_EQ(app.ActiveWindow().SplitVertical(), 0);
  EXPECT_EQ(app.ActiveWindow().PanesCount(), 1);
  EXPECT_EQ(&app.ActiveWindow().GetDocument(), doc);
}

TEST_F(WithNotes, SeekViewMovesTheSelectionIntoTheNotesAndBack) {
  doc->Range(2, 6).Select();
  view().SetSeekView(wdSeekFootnotes);
  EXPECT_EQ(view().SeekView(), wdSeekFootnotes);
  EXPECT_EQ(app.Selection().StoryType(), wdFootnotesStory);
  EXPECT_EQ(app.Selection().Start(), 0);
  EXPECT_EQ(app.Selection().End(), 0);

  app.ActiveWindow().View().SetSeekView(wdSeekEndnotes);
  EXPECT_EQ(app.Selection().StoryType(), wdEndnotesStory);
  EXPECT_EQ(app.Selection().Start(), 0);

  view().SetSeekView(wdSeekMainDocument);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
  EXPECT_EQ(app.Selection().Start(), 2);  // where it was before it left the main text
  EXPECT_EQ(app.Selection().End(), 6);
}

TEST_F(WithNotes, TheMainTextSelectionToReturnToMovesWithEdits) {
  doc->Range(5, 9).Select();  // "text"
  view().SetSeekView(wdSeekFootnotes);
  doc->Range(0, 0).InsertBefore("The ");
  view().SetSeekView(wdSeekMainDocument);
  EXPECT_EQ(app.Selection().Range().Text(), "text");
}

TEST_F(WithNotes, HomeKeyGoesToTheStartOfTheNotesStory) {
  view().SetSeekView(wdSeekFootnotes);
  app.Selection().Range().SetRange(3, 5);
  app.Selection().HomeKey(wdStory);
  EXPECT_EQ(app.Selection().StoryType(), wdFootnotesStory);
  EXPECT_EQ(app.Selection().Start(), 0);
  EXPECT_EQ(app.Selection().End(), 0);
}

TEST_F(WithNotes, SeekViewWorksInTheLayoutViewsOnly) {
  for (int type : {wdPrintView, wdPrintPreview, wdWebView}) {
    view().SetType(type);
    view().SetSeekView(wdSeekFootnotes);
    view().SetSeekView(wdSeekMainDocument);
  }
  view().SetType(wdNormalView);
  EXPECT_EQ(errorOf([&] { view().SetSeekView(wdSeekFootnotes); }), kErrViewNotAvailable);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
}

TEST_F(WithNotes, SplitSpecialOpensAndClosesTheNotesPane) {
  view().SetType(wdNormalView);
  doc->Range(1, 3).Select();
  view().SetSplitSpecial(wdPaneFootnotes);
  EXPECT_EQ(view().SplitSpecial(), wdPaneFootnotes);
  EXPECT_EQ(app.ActiveWindow().PanesCount(), 2);
  EXPECT_EQ(app.Selection().StoryType(), wdFootnotesStory);

  view().SetSplitSpecial(wdPaneEndnotes);
  EXPECT_EQ(app.Selection().StoryType(), wdEndnotesStory);

  view().SetSplitSpecial(wdPaneNone);
  EXPECT_EQ(app.ActiveWindow().PanesCount(), 1);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
  EXPECT_EQ(app.Selection().Start(), 1);
  EXPECT_EQ(app.Selection().End(), 3);
}

TEST_F(WithNotes, RemovingTheSplitClosesTheSpecialPane) {
  view().SetType(wdNormalView);
  view().SetSplitSpecial(wdPaneFootnotes);
  app.ActiveWindow().SetSplitVertical(0);
  EXPECT_EQ(view().SplitSpecial(), wdPaneNone);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
  app.ActiveWindow().SetSplitVertical(30);
  EXPECT_EQ(app.ActiveWindow().PanesCount(), 2);
  EXPECT_EQ(errorOf([&] { app.ActiveWindow().SetSplitVertical(100); }), kErrOutOfRange);
  EXPECT_EQ(errorOf([&] { app.ActiveWindow().SetSplitVertical(-1); }), kErrOutOfRange);
}

TEST_F(WithNotes, ClosingAPaneThatIsNotOpenLeavesTheSelection) {
  view().SetSeekView(wdSeekFootnotes);
  view().SetSplitSpecial(wdPaneNone);
  EXPECT_EQ(app.Selection().StoryType(), wdFootnotesStory);
}

TEST_F(WithNotes, UnknownViewsAndPanesAreRefused) {
  EXPECT_EQ(errorOf([&] { view().SetType(0); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { view().SetType(8); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { view().SetSplitSpecial(99); }), kErrBadArgument);
  EXPECT_EQ(errorOf([&] { view().SetSeekView(15); }), kErrBadArgument);
  EXPECT_EQ(view().Type(), wdPrintView);
}

TEST(Window, AStoryTheDocumentLacksIsNotAvailableAndTheSelectionStays) {
  Application app;
  Document& doc = app.Documents().Add(openBody(para(run("No notes here"))));
  doc.Range(3, 5).Select();
  View view = doc.ActiveWindow().View();
  EXPECT_EQ(errorOf([&] { view.SetSeekView(wdSeekFootnotes); }), kErrViewNotAvailable);
  EXPECT_EQ(errorOf([&] { view.SetSplitSpecial(wdPaneEndnotes); }), kErrViewNotAvailable);
  EXPECT_EQ(errorOf([&] { view.SetSeekView(wdSeekPrimaryHeader); }), kErrViewNotAvailable);
  EXPECT_EQ(view.SeekView(), wdSeekMainDocument);
  EXPECT_EQ(view.SplitSpecial(), wdPaneNone);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
  EXPECT_EQ(app.Selection().Start(), 3);
}

TEST(Window, SeekViewReachesHeadersAndFooters) {
  DocParts parts;
  parts.body = para(run("Body")) +
               "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH1\"/><w:pgSz w:w=\"11906\" "
               "w:h=\"16838\"/></w:sectPr>";
  parts.headers = {{"header1.xml", "rIdH1", false, para(run("Header"))}};
  Application app;
  app.Documents().Add(openDocument(parts));
  app.ActiveWindow().View().SetSeekView(wdSeekPrimaryHeader);
  EXPECT_EQ(app.Selection().StoryType(), wdPrimaryHeaderStory);
  app.ActiveWindow().View().SetSeekView(wdSeekMainDocument);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
}

TEST(Window, TheCommentsPaneShowsTheComments) {
  DocParts parts;
  parts.body = para(run("Body"));
  parts.comments = {para(run("A remark"))};
  Application app;
  app.Documents().Add(openDocument(parts));
  app.ActiveWindow().View().SetSplitSpecial(wdPaneComments);
  EXPECT_EQ(app.Selection().StoryType(), wdCommentsStory);
  app.ActiveWindow().View().SetSplitSpecial(wdPaneNone);
  EXPECT_EQ(app.Selection().StoryType(), wdMainTextStory);
}

TEST(View, TheShowSettingsAreTheDocumentsAndFindObeysThem) {
  Application app;
  Document& doc = app.Documents().Add(openBody(para(run("Purch") + run("HIDDEN", "<w:vanish/>") + run("ase"))));
  View view = app.ActiveWindow().ActivePane().View();
  auto findsHidden = [&] {
    Find find = doc.Content().Find();
    find.SetText("HIDDEN");
    return find.Execute();
  };
  EXPECT_FALSE(findsHidden());
  view.SetShowHiddenText(true);
  EXPECT_TRUE(doc.View().showHiddenText);
  EXPECT_TRUE(findsHidden());
  view.SetShowHiddenText(false);
  view.SetShowAll(true);
  EXPECT_TRUE(doc.View().showAll);
  EXPECT_TRUE(findsHidden());
  view.SetShowAll(false);
  view.SetShowFieldCodes(true);
  EXPECT_TRUE(doc.View().showFieldCodes);
  doc.View().showFieldCodes = false;
  EXPECT_FALSE(view.ShowFieldCodes());
}

TEST(Window, EachDocumentHasItsOwnAndTheApplicationsIsTheActiveDocuments) {
  Application app;
  EXPECT_EQ(errorOf([&] { app.ActiveWindow(); }), kErrNoDocument);
  Document& first = app.Documents().Add(openBody(para(run("one"))));
  first.ActiveWindow().View().SetType(wdNormalView);
  Document& second = app.Documents().Add(openBody(para(run("two"))));
  EXPECT_EQ(&app.ActiveWindow().GetDocument(), &second);
  EXPECT_EQ(app.ActiveWindow().View().Type(), wdPrintView);
  EXPECT_EQ(first.ActiveWindow().View().Type(), wdNormalView);
}

}  // namespace
}  // namespace host
