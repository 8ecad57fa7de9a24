#include "host/shell/application.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/shell/options_store.h"
#include "host/testing/captured_warnings.h"
#include "host/testing/errors.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;
using testing::EnvGuard;
using testing::TempFolder;

TEST(Application, CommandsThatNeedADocumentFailWith5986WhenNoneIsOpen) {
  Application app;
  EXPECT_EQ(app.Documents().Count(), 0);
  EXPECT_EQ(errorOf([&] { app.ActiveDocument(); }), kErrNoDocument);
  EXPECT_EQ(errorOf([&] { app.Selection().Range(); }), kErrNoDocument);
  EXPECT_EQ(errorOf([&] { app.Selection().HomeKey(); }), kErrNoDocument);
  EXPECT_EQ(errorOf([&] { app.ActiveWindow(); }), kErrNoDocument);
  // What needs no document still works.
  app.CommandBars().Item("Tools").Controls().Add(msoControlPopup);
  app.CustomizationContext().Save();
  app.ScreenRefresh();

  Document& doc = app.Documents().Add(openBody(para(run("x"))));
  app.Documents().Close(doc);
  EXPECT_EQ(errorOf([&] { app.ActiveDocument(); }), kErrNoDocument);
}

std::unique_ptr<Document> named(const std::string& name) {
  DocParts parts;
  parts.body = para(run(name));
  return Document::FromBytes(makeDocx(parts), name);
}

TEST(Application, DocumentsAreFoundByNameAndTheLastOpenedIsActive) {
  Application app;
  Document& a = app.Documents().Add(named("a.docx"));
  Document& b = app.Documents().Add(named("b.docx"));
  EXPECT_EQ(app.Documents().Count(), 2);
  EXPECT_EQ(&app.Documents().Item("a.docx"), &a);
  EXPECT_EQ(&app.ActiveDocument(), &b);
  EXPECT_EQ(errorOf([&] { app.Documents().Item("c.docx"); }), kErrNoSuchMember);
  app.Documents().Close(b);
  EXPECT_EQ(&app.ActiveDocument(), &a);
}

TEST(Application, ScreenRefreshAsksTheDesktopHostToRepaint) {
  Application app;
  app.ScreenRefresh();  // batch use: nothing to repaint
  int repaints = 0;
  app.setRepaint([&] { ++repaints; });
  app.SetScreenUpdating(false);
  EXPECT_FALSE(app.ScreenUpdating());
  app.ScreenRefresh();
  EXPECT_EQ(repaints, 1);
}

TEST(Selection, GoToABookmarkOrTheFirstPageAndHomeKey) {
  Application app;
  Document& doc = app.Documents().Add(openBody(para(run("One two three"))));
  doc.Bookmarks().Add("Mark", doc.Range(4, 7));
  app.Selection().GoTo(wdGoToBookmark, wdGoToFirst, 1, "Mark");
  EXPECT_EQ(app.Selection().Start(), 4);
  EXPECT_EQ(app.Selection().End(), 4);
  EXPECT_EQ(errorOf([&] { app.Selection().GoTo(wdGoToBookmark, wdGoToFirst, 1, "Missing"); }), kErrNoSuchMember);
  app.Selection().GoTo(wdGoToPage, wdGoToFirst);
  EXPECT_EQ(app.Selection().Start(), 0);
  doc.Range(8, 13).Select();
  app.Selection().Collapse(wdCollapseEnd);
  EXPECT_EQ(app.Selection().Start(), 13);
  app.Selection().HomeKey(wdStory);
  EXPECT_EQ(app.Selection().End(), 0);
  EXPECT_EQ(errorOf([&] { app.Selection().HomeKey(wdParagraph); }), kErrBadArgument);
}

TEST(Options, AreKeptBetweenRunsInTheSettingsFolderAndSharedWithTheDocuments) {
  TempFolder tmp;
  {
    Application app(tmp.path());
    Document& doc = app.Documents().Add(openBody(para(run("x"))));
    EXPECT_EQ(&doc.options(), &app.Options());
    app.Options().AutoFormatAsYouTypeReplaceQuotes = false;
    app.Options().ReplaceQuotesChosen = true;
    app.Options().DefaultHighlightColorIndex = 3;
  }
  Application next(tmp.path());
  EXPECT_FALSE(next.Options().AutoFormatAsYouTypeReplaceQuotes);
  EXPECT_EQ(next.Options().DefaultHighlightColorIndex, 3);
  EXPECT_TRUE(next.Options().Pagination);
}

TEST(Options, AreWrittenOnlyWhenTheyChanged) {
  TempFolder tmp;
  { Application app(tmp.path()); }
  EXPECT_FALSE(std::filesystem::exists(tmp / kOptionsFileName));
  {
    Application app(tmp.path());
    app.Options().Pagination = false;
    app.SaveOptions();
    EXPECT_TRUE(std::filesystem::exists(tmp / kOptionsFileName));
  }
  std::filesystem::remove(tmp / kOptionsFileName);
  { Application app(tmp.path()); }  // read as saved; nothing changed, so nothing written
  EXPECT_FALSE(std::filesystem::exists(tmp / kOptionsFileName));
}

TEST(Options, AMalformedFileStartsWithTheDefaultsAndIsReplacedOnlyByAChange) {
  TempFolder tmp;
  WriteFileAtomically(tmp / kOptionsFileName, "{{{");
  {
    testing::CapturedWarnings warnings;
    {
      Application app(tmp.path());
      EXPECT_EQ(app.Options(), Options{});
    }
    EXPECT_NE(warnings.text().find("not a valid options file"), std::string::npos);
  }
  EXPECT_EQ(ReadWholeFile(tmp / kOptionsFileName), "{{{");
  {
    testing::CapturedWarnings warnings;
    Application app(tmp.path());
    app.Options().AllowFastSave = true;
  }
  EXPECT_TRUE(LoadOptions(tmp / kOptionsFileName).AllowFastSave);
}

TEST(Options, AFolderThatCannotBeWrittenIsAWarningWhenTheApplicationCloses) {
  TempFolder tmp;
  WriteFileAtomically(tmp / "blocker", "");
  testing::CapturedWarnings warnings;
  {
    Application app(tmp / "blocker");
    app.Options().Pagination = false;
    EXPECT_THROW(app.SaveOptions(), Error);
  }
  EXPECT_NE(warnings.text().find("The options are not kept"), std::string::npos);
}

TEST(Application, WithoutASettingsFolderTouchesNoFiles) {
  TempFolder tmp;
  EnvGuard xdg("XDG_CONFIG_HOME", tmp.path().string());
  EnvGuard home("HOME", tmp.path().string());
  {
    Application app;
    EXPECT_FALSE(app.settingsDir());
    app.Options().Pagination = false;
    app.SaveOptions();
    app.CommandBars().Item("Tools").Controls().Add(msoControlPopup);
    app.CustomizationContext().Save();
  }
  EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
  Application again;
  EXPECT_TRUE(again.Options().Pagination);
}

}  // namespace
}  // namespace host

namespace host {
namespace {

TEST(Options, UntilTheUserChoosesTheQuoteOptionItFollowsTheQuotesOfTheDocumentOpened) {
  TempFolder tmp;
  Application app(tmp.path());
  app.Documents().Add(openBody(para(run("the \u201CSeller\u201D and \"Buyer\" and \u201CGoods\u201D"))));
  EXPECT_TRUE(app.Options().AutoFormatAsYouTypeReplaceQuotes);
  // Straight quotes prevail; the curly ones of an index entry's field code do not count.
  app.Documents().Add(openBody(para(run("the \"Seller\" and the \"Buyer\"") +
                                    "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>"
                                    " XE \u201Ca\u201D \u201Cb\u201D \u201Cc\u201D </w:instrText></w:r>"
                                    "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>")));
  EXPECT_FALSE(app.Options().AutoFormatAsYouTypeReplaceQuotes);
  // A document without double quotes leaves the option as it was.
  app.Documents().Add(openBody(para(run("no quotes"))));
  EXPECT_FALSE(app.Options().AutoFormatAsYouTypeReplaceQuotes);
  // Following documents is no change of the user's options: nothing is written for it.
  EXPECT_FALSE(std::filesystem::exists(tmp / kOptionsFileName));
}

TEST(Options, AQuoteOptionTheUserChoseIsKeptWhateverTheDocument) {
  TempFolder tmp;
  {
    Application app(tmp.path());
    app.Options().AutoFormatAsYouTypeReplaceQuotes = true;
    app.Options().ReplaceQuotesChosen = true;
  }
  Application next(tmp.path());
  next.Documents().Add(openBody(para(run("the \"Seller\""))));
  EXPECT_TRUE(next.Options().AutoFormatAsYouTypeReplaceQuotes);
}

}  // namespace
}  // namespace host
