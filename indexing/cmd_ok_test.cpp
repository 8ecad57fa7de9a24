#include "indexing/cmd_ok.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "host/testing/test_documents.h"
#include "indexing/test_support.h"

namespace indexing {
namespace {

using host::testing::elementRun;
using host::testing::endnoteRef;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::paragraphsXml;
using host::testing::resultLines;
using host::testing::run;
using testing::bookmarkText;
using testing::entryCode;
using testing::fieldCodes;
using testing::indexFields;
using testing::mainParagraphs;
using testing::markedTexts;

const std::string kPageBreak = elementRun("<w:br w:type=\"page\"/>");
const std::string kIndexCode = " INDEX \\c2 \\e\", \" \\f \"VellandexIndex\" ";
const std::string kNotUsedBlock =
    "\rDEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)\rGoods\r\r";
const std::string kNotFoundBlock = "\rNOT FOUND\rPrice\r\r";

// A contract of two pages: the definitions, a use of each term with a footnote and an
// endnote, a paragraph without terms ending page 1, the empty paragraph where the index goes
// (number 4) and a last line.
host::testing::DocParts contract() {
  host::testing::DocParts parts;
  parts.body = para(run("Sale contract")) + para(run("This contract is between the \"Buyer\" and the \"Seller\".")) +
               para(run("The Buyer pays the Seller for the Goods.") + footnoteRef(1) + endnoteRef(1)) +
               para(run("Nothing to index here.") + kPageBreak) + "<w:p/>" + para(run("Signed."));
  parts.footnotes = {para(run("The Buyer may inspect."))};
  parts.endnotes = {para(run("The Seller warrants title."))};
  parts.lastSection = host::testing::LastSection::NewDocument;
  return parts;
}

class CmdOkTest : public testing::RunTest {
 protected:
  // Opens the contract with the index place marked, the dialog filled with its terms.
  host::Document& openContract(const std::vector<std::string>& found = {"Buyer", "Seller", "Goods", "Price"}) {
    host::Document& doc = openRun(contract());
    markIndexPlace(doc, 4);
    fillDialog(form_, found);
    return doc;
  }

  bool iniWritten() const { return std::filesystem::exists(settings::Location().strIniPath()); }

  dialogs::frmVLX_COM form_;
};

TEST_F(CmdOkTest, IndexesEveryStoryAndAddsTheIndexAndBothLists) {
  openContract();
  form_.chkIncludeNotUsed.SetValue(ui::vbChecked);
  form_.chkIncludeNotFound.SetValue(ui::vbChecked);

  cmdOK_Click(form_);

  EXPECT_TRUE(backend_.Messages().empty());
  auto doc = saved();
  EXPECT_EQ(fieldCodes(*doc, host::wdMainTextStory),
            (std::vector<std::string>{entryCode("Buyer"), entryCode("Seller"), entryCode("Buyer"), entryCode("Seller"),
                                      entryCode("Goods"), kIndexCode}));
  EXPECT_EQ(fieldCodes(*doc, host::wdFootnotesStory), std::vector<std::string>{entryCode("Buyer")});
  EXPECT_EQ(fieldCodes(*doc, host::wdEndnotesStory), std::vector<std::string>{entryCode("Seller")});
  // The endnote stands after the text, on page 2; the footnote on its reference's page 1.
  ASSERT_EQ(indexFields(*doc).size(), 1u);
  EXPECT_EQ(resultLines(indexFields(*doc)[0]), (std::vector<std::string>{"Buyer, 1", "Goods, 1", "Seller, 1, 2"}));

  EXPECT_EQ(mainParagraphs(*doc),
            (std::vector<std::string>{"Sale contract",
                                      "This contract is between the \"Buyer\" and the \"Seller\".",
                                      "The Buyer pays the Seller for the Goods.\x02\x02",
                                      "Nothing to index here.\f",
                                      "INDEX OF DEFINED TERMS",
                                      "",
                                      "",
                                      "Buyer, 1",
                                      "Goods, 1",
                                      "Seller, 1, 2",
                                      "",
                                      "",
                                      "",
                                      "DEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)",
                                      "Goods",
                                      "",
                                      "",
                                      "NOT FOUND",
                                      "Price",
                                      "",
                                      "",
                                      "Signed."}));
  host::Range index = doc->Bookmarks().Item("VellandexIndex").Range();
  // The index ends with its field's paragraph; the lists after it are outside it.
  EXPECT_EQ(index.Text(), "INDEX OF DEFINED TERMS\r\r\rBuyer, 1\rGoods, 1\rSeller, 1, 2\r\r\r");
  EXPECT_EQ(doc->Range(index.Start(), index.Start() + 22).Bold(), host::kTrue);
  EXPECT_EQ(bookmarkText(*doc, "VellandexIndexNotUsedList"), kNotUsedBlock);
  EXPECT_EQ(bookmarkText(*doc, "VellandexIndexNotFoundList"), kNotFoundBlock);
  host::Range notUsed = doc->Bookmarks().Item("VellandexIndexNotUsedList").Range();
  EXPECT_EQ(doc->Range(notUsed.Start() + 1, notUsed.Start() + 38).Bold(), host::kTrue);  // the heading
  EXPECT_EQ(doc->Range(notUsed.Start() + 38, notUsed.End()).Bold(), host::kFalse);       // the rest
  EXPECT_FALSE(doc->Bookmarks().Exists("IndexBKStart"));

  // Highlighting was not asked for: no marking colours stay.
  for (const char* part : {"word/document.xml", "word/footnotes.xml", "word/endnotes.xml"})
    EXPECT_TRUE(markedTexts(*doc, part).empty()) << part;
  // Paragraphs without terms, and every other part, are as they were.
  std::vector<std::string> before = paragraphsXml(*input(), "word/document.xml");
  std::vector<std::string> after = paragraphsXml(*doc, "word/document.xml");
  for (std::size_t p : {0u, 3u, 5u}) EXPECT_NE(std::find(after.begin(), after.end(), before[p]), after.end()) << p;
  expectOtherPartsUnchanged({"word/document.xml", "word/footnotes.xml", "word/endnotes.xml", "word/settings.xml"});

  // The cursor is on the first page, the dialog hidden, Cancel kept disabled, options saved.
  EXPECT_EQ(app_.Selection().Start(), 0);
  EXPECT_FALSE(form_.Visible());
  EXPECT_FALSE(form_.cmdCancel.Enabled());
  EXPECT_TRUE(app_.ScreenUpdating());
  EXPECT_TRUE(iniWritten());
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
}

TEST_F(CmdOkTest, WithHighlightingTheMarksStayAndTheCursorIsAtTheIndex) {
  host::Document& doc = openContract();
  form_.chkHighlight.SetValue(ui::vbChecked);

  cmdOK_Click(form_);

  EXPECT_EQ(app_.Selection().Start(), doc.Bookmarks().Item("VellandexIndex").Start());
  auto out = saved();
  EXPECT_EQ(markedTexts(*out, "word/document.xml"),
            (std::vector<std::string>{"Buyer", "Seller", "Buyer", "Seller", "Goods"}));
  EXPECT_EQ(markedTexts(*out, "word/footnotes.xml"), std::vector<std::string>{"Buyer"});
  EXPECT_EQ(markedTexts(*out, "word/endnotes.xml"), std::vector<std::string>{"Seller"});
  // Neither list was asked for.
  EXPECT_FALSE(out->Bookmarks().Exists("VellandexIndexNotUsedList"));
  EXPECT_FALSE(out->Bookmarks().Exists("VellandexIndexNotFoundList"));
}

TEST_F(CmdOkTest, DefinitionsOnlyIndexesTheQuotedTermsAndStillCountsEveryUse) {
  openContract();
  form_.optIndexWhat(1).SetValue(true);
  form_.chkTabSep.SetValue(ui::vbUnchecked);  // choosing definitions only ticks it; keep the separator of the others
  form_.chkIncludeNotUsed.SetValue(ui::vbChecked);

  cmdOK_Click(form_);

  auto doc = saved();
  EXPECT_EQ(fieldCodes(*doc, host::wdMainTextStory),
            (std::vector<std::string>{entryCode("Buyer"), entryCode("Seller"), kIndexCode}));
  EXPECT_TRUE(fieldCodes(*doc, host::wdFootnotesStory).empty());
  EXPECT_TRUE(fieldCodes(*doc, host::wdEndnotesStory).empty());
  EXPECT_EQ(resultLines(indexFields(*doc)[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1"}));
  EXPECT_EQ(bookmarkText(*doc, "VellandexIndexNotUsedList"), kNotUsedBlock);  // Goods: used once, never quoted
}

TEST_F(CmdOkTest, APendingTermIsAddedSelectedAndIndexedOnYes) {
  openContract({"Buyer", "Seller"});
  form_.txtAddTerm.SetText("Goods");
  backend_.Answer("Add term?", ui::vbYes);

  cmdOK_Click(form_);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  const ui::Message& asked = backend_.Messages()[0];
  EXPECT_EQ(asked.prompt, "Do you want to add \"Goods\" to the list of terms for indexing?");
  EXPECT_EQ(asked.style, ui::vbYesNo + ui::vbQuestion);
  ASSERT_EQ(form_.lstAddTerms.ListCount(), 1);
  EXPECT_EQ(form_.lstAddTerms.List(0), "Goods");
  EXPECT_TRUE(form_.lstAddTerms.Selected(0));
  EXPECT_EQ(form_.txtAddTerm.Text(), "");
  EXPECT_EQ(resultLines(indexFields(*saved())[0]), (std::vector<std::string>{"Buyer, 1", "Goods, 1", "Seller, 1, 2"}));
}

TEST_F(CmdOkTest, APendingTermIsLeftInItsBoxAndIgnoredOnNo) {
  openContract({"Buyer", "Seller"});
  form_.txtAddTerm.SetText("Goods");
  backend_.Answer("Add term?", ui::vbNo);

  cmdOK_Click(form_);

  EXPECT_EQ(form_.lstAddTerms.ListCount(), 0);
  EXPECT_EQ(form_.txtAddTerm.Text(), "Goods");
  EXPECT_EQ(resultLines(indexFields(*saved())[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1, 2"}));
}

TEST_F(CmdOkTest, NothingSelectedOrNoTermsAtAllLeavesTheDocumentAndTheDialogAsTheyWere) {
  openContract();
  for (int i = 0; i < form_.lstTermsInDoc.ListCount(); ++i) form_.lstTermsInDoc.SetSelected(i, false);
  rememberDocument();
  backend_.Answer("Nothing selected", ui::vbOK);

  cmdOK_Click(form_);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "No terms were selected for indexing.");
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly);
  EXPECT_TRUE(form_.cmdCancel.Enabled());
  expectUnchangedSinceRemembered();

  // With both lists empty OK does nothing and says nothing.
  form_.lstTermsInDoc.Clear();
  cmdOK_Click(form_);
  EXPECT_EQ(backend_.Messages().size(), 1u);
  expectUnchangedSinceRemembered();
}

TEST_F(CmdOkTest, AColumnsValueOutsideOneToFourIsRefusedBeforeAnythingChanges) {
  openContract();
  rememberDocument();
  backend_.Answer("Number of columns", ui::vbOK);
  // Pasted text escapes the keystroke filter of the box.
  for (const char* columns : {"", "  ", "abc", "0", "5", "12", "-1", "2.5", "3x", "\xEF\xBC\x93"}) {
    backend_.ClearRecords();
    form_.txtCols.SetText(columns);
    cmdOK_Click(form_);
    ASSERT_EQ(backend_.Messages().size(), 1u) << columns;
    EXPECT_EQ(backend_.Messages()[0].prompt,
              "The number of columns must be a whole number from 1 to 4.  Please correct it on the Index tab.");
    EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly + ui::vbExclamation);
    EXPECT_TRUE(form_.cmdCancel.Enabled());
  }
  expectUnchangedSinceRemembered();
  EXPECT_FALSE(iniWritten());  // not even the options were saved

  // Spaces around a good number are no reason to refuse it.
  backend_.ClearRecords();
  form_.txtCols.SetText(" 3 ");
  cmdOK_Click(form_);
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_EQ(fieldCodes(*saved(), host::wdMainTextStory).back(), " INDEX \\c3 \\e\", \" \\f \"VellandexIndex\" ");
}

TEST_F(CmdOkTest, AFailureIsReportedClosesTheProgressWindowAndEnablesCancelAgain) {
  openContract();
  auto engine = std::make_shared<testing::RecordingEngine>();
  engine->throwingTerm = "Goods";
  state::pubEngine = engine;
  backend_.Answer("Vellandex", ui::vbOK);

  cmdOK_Click(form_);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "Error: 4605 This method or property is not available.");
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly);
  EXPECT_TRUE(form_.cmdCancel.Enabled());
  EXPECT_TRUE(app_.ScreenUpdating());
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
}

TEST_F(CmdOkTest, WithoutAnEngineTheRunReportsTheMissingObject) {
  openContract();
  state::pubEngine.reset();
  backend_.Answer("Vellandex", ui::vbOK);

  cmdOK_Click(form_);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "Error: 91 Object variable or With block variable not set");
  EXPECT_TRUE(form_.cmdCancel.Enabled());
}

}  // namespace
}  // namespace indexing
