#include "addin/remove_commands.h"

#include <sstream>

#include <gtest/gtest.h>

#include "host/testing/test_documents.h"
#include "indexing/cmd_ok.h"
#include "indexing/test_support.h"
#include "ui/console_progress.h"

namespace addin {
namespace {

using host::testing::endnoteRef;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;
using indexing::testing::fieldCodes;
using indexing::testing::mainParagraphs;
using indexing::testing::markedTexts;

// Definitions, uses in the text and both kinds of note, a bookmark of the user's, and the
// empty paragraph (number 3) where the index goes.
host::testing::DocParts contract() {
  host::testing::DocParts parts;
  parts.body = para(run("This contract is between the \"Buyer\" and the \"Seller\".")) +
               para("<w:bookmarkStart w:id=\"7\" w:name=\"Mine\"/>" + run("The Buyer pays the Seller.") +
                    "<w:bookmarkEnd w:id=\"7\"/>" + footnoteRef(1) + endnoteRef(1)) +
               para(run("Unrelated.")) + "<w:p/>" + para(run("Signed."));
  parts.footnotes = {para(run("The Buyer may inspect."))};
  parts.endnotes = {para(run("The Seller warrants title."))};
  parts.lastSection = host::testing::LastSection::NewDocument;
  return parts;
}

// The names of a document's bookmarks, in document order.
std::vector<std::string> bookmarkNames(host::Document& doc) {
  std::vector<std::string> out;
  for (pugi::xpath_node n : doc.package().xml("word/document.xml").select_nodes("//w:bookmarkStart"))
    out.push_back(n.node().attribute("w:name").value());
  return out;
}

class RemoveCommandsTest : public indexing::testing::RunTest {
 protected:
  void TearDown() override {
    ui::SetConsoleProgress(ui::ConsoleMode::Off);
    RunTest::TearDown();
  }

  // Indexes the contract as a run does: both lists, the marking colours kept.
  host::Document& indexContract() {
    host::Document& doc = openRun(contract());
    markIndexPlace(doc, 3);
    dialogs::frmVLX_COM form;
    fillDialog(form, {"Buyer", "Seller", "Price"});
    form.chkHighlight.SetValue(ui::vbChecked);
    form.chkIncludeNotUsed.SetValue(ui::vbChecked);
    form.chkIncludeNotFound.SetValue(ui::vbChecked);
    indexing::cmdOK_Click(form);
    EXPECT_TRUE(doc.Bookmarks().Exists("VellandexIndex"));
    return doc;
  }

  // Records the progress steps shown from now on.
  void recordProgress() { ui::SetConsoleProgress(ui::ConsoleMode::Always, &console_, false); }

  std::ostringstream console_;
};

TEST_F(RemoveCommandsTest, RemovingIndexingGivesBackTheTextFieldsAndBookmarksAndASecondTimeChangesNothing) {
  host::Document& doc = indexContract();
  auto before = input();
  recordProgress();

  RemoveIndexing(app_, &doc);

  auto after = saved();
  EXPECT_EQ(mainParagraphs(*after), mainParagraphs(*before));
  for (int story : {host::wdMainTextStory, host::wdFootnotesStory, host::wdEndnotesStory})
    EXPECT_EQ(fieldCodes(*after, story), fieldCodes(*before, story)) << story;
  EXPECT_EQ(bookmarkNames(*after), bookmarkNames(*before));
  EXPECT_EQ(after->Bookmarks().Item("Mine").Range().Text(), "The Buyer pays the Seller.");
  for (const char* part : {"word/document.xml", "word/footnotes.xml", "word/endnotes.xml"})
    EXPECT_TRUE(markedTexts(*after, part).empty()) << part;
  EXPECT_EQ(console_.str(), "Removing index entries\nRemoving index\nRemoving highlighting from indexed terms\n");
  EXPECT_EQ(app_.Selection().Start(), 0);
  EXPECT_TRUE(app_.ScreenUpdating());
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);

  rememberDocument();
  console_.str("");
  RemoveIndexing(app_, &doc);
  expectUnchangedSinceRemembered();
  EXPECT_EQ(console_.str(), "Removing index entries\nRemoving index\nRemoving highlighting from indexed terms\n");
}

TEST_F(RemoveCommandsTest, TheIndexPlaceGoesEvenWhenNoRunConfirmedItsOptions) {
  // A document indexed earlier and opened again: this process never ran the options dialog.
  host::Document& doc = indexContract();
  state::blnOptionsAccepted = false;
  doc.Bookmarks().Add("IndexPageStart", doc.Range(0, 0));
  recordProgress();

  RemoveIndexing(app_, &doc);

  EXPECT_FALSE(doc.Bookmarks().Exists("IndexBKStart"));
  EXPECT_FALSE(doc.Bookmarks().Exists("IndexPageStart"));
  EXPECT_EQ(console_.str(),
            "Removing index entries\nRemoving index\nRemoving highlighting from indexed terms\nFinishing\n");
  EXPECT_EQ(bookmarkNames(*saved()), bookmarkNames(*input()));
}

TEST_F(RemoveCommandsTest, RemovingHighlightingKeepsTheEntriesAndTheIndex) {
  host::Document& doc = indexContract();
  const std::vector<std::string> entries = fieldCodes(doc, host::wdMainTextStory);
  int repaints = 0;
  app_.setRepaint([&] { ++repaints; });
  backend_.Answer("Done", ui::vbOK);

  RemoveHighlighting(app_, &doc);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "Highlighting removed from indexed terms.");
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbInformation + ui::vbOKOnly);
  auto after = saved();
  for (const char* part : {"word/document.xml", "word/footnotes.xml", "word/endnotes.xml"})
    EXPECT_TRUE(markedTexts(*after, part).empty()) << part;
  EXPECT_EQ(fieldCodes(*after, host::wdMainTextStory), entries);
  EXPECT_TRUE(after->Bookmarks().Exists("VellandexIndexNotFoundList"));
  EXPECT_EQ(app_.Selection().Start(), 0);
  EXPECT_TRUE(app_.ScreenUpdating());
  EXPECT_EQ(repaints, 1);
}

TEST_F(RemoveCommandsTest, ScreenUpdatingAlreadyOffStaysOffWithoutARepaint) {
  host::Document& doc = indexContract();
  app_.SetScreenUpdating(false);
  int repaints = 0;
  app_.setRepaint([&] { ++repaints; });
  backend_.Answer("Done", ui::vbOK);

  RemoveHighlighting(app_, &doc);
  RemoveIndexing(app_, &doc);

  EXPECT_FALSE(app_.ScreenUpdating());
  EXPECT_EQ(repaints, 0);
}

TEST_F(RemoveCommandsTest, WithNoDocumentOpenTheCommandsDoNothing) {
  recordProgress();
  RemoveIndexing(app_, nullptr);
  RemoveHighlighting(app_, nullptr);
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_EQ(console_.str(), "");
  EXPECT_TRUE(app_.ScreenUpdating());
}

}  // namespace
}  // namespace addin
