// The whole "Find and index" road, started from the add-in's menu as a user's click starts it,
// with the scripted user answering the dialogs: each road's saved file is checked.
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "addin/connect.h"
#include "host/testing/temp_folder.h"
#include "indexing/test_support.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/locations.h"
#include "ui/script/user.h"

namespace addin {
namespace {

using host::testing::EnvGuard;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::resultLines;
using host::testing::run;
using indexing::testing::bookmarkText;
using indexing::testing::entryCode;
using indexing::testing::fieldCodes;
using indexing::testing::indexFields;
using indexing::testing::mainParagraphs;
using indexing::testing::markedTexts;

const std::string kBold = "<w:b/>";

// A contract that defines Seller and Buyer in the main text and Deposit in a footnote; Deposit
// is never used again.
host::testing::DocParts contract(const std::string& open = "\u201C", const std::string& close = "\u201D") {
  host::testing::DocParts parts;
  parts.body = para(run("This agreement is between the seller (the " + open + "Seller" + close +
                        ") and the buyer (the " + open + "Buyer" + close + ").") +
                    footnoteRef(1)) +
               para(run("The Seller sells and the Buyer buys.")) + para(run("The Buyer pays the Seller."));
  parts.footnotes = {para(run("The Buyer pays a deposit (the " + open + "Deposit" + close + ")."))};
  return parts;
}

// A part's XML as written out afresh, so that two packages compare by content, not by how
// their writers spaced the declaration.
std::string xmlOf(host::Document& doc, const std::string& part) {
  std::ostringstream out;
  doc.package().xml(part).save(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

class FindAndIndexTest : public indexing::testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    state::pubWdApp = nullptr;
    state::blnOptionsAccepted = false;
    connect_.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom_);
    backend_.OnModal("frmVLXOptions", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdOK")); });
    backend_.OnModal("frmVLX_COM", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdOK")); });
  }
  void TearDown() override {
    connect_.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom_);
    RunTest::TearDown();
  }

  // Writes settings the run will read, over the first-run defaults.
  void setting(const char* key, const std::string& value) {
    settings::SetSettingsFolder(settings::kSettingsSubPath);
    settings::SetIniPath(settings::Location().strSettingsFolder());
    if (settings::fncReadIni(settings::kSection, settings::kSearchType) == "Null")
      for (const settings::Setting& s : settings::kFirstRunDefaults)
        settings::fncWriteIni(settings::kSection, s.key, s.value);
    settings::fncWriteIni(settings::kSection, key, value);
  }

  host::Document& open(const host::testing::DocParts& parts, long cursor = -1) {
    host::Document& doc = openRun(parts);
    state::pubWdDoc = nullptr;
    const long at = cursor >= 0 ? cursor : doc.Content().End() - 1;
    doc.Select(doc.Range(at, at));
    return doc;
  }

  // Clicks a button of the add-in's menu. The run lets go of its document when it ends; the
  // fixture's readers of the saved file look at the active one.
  void click(const char* tag) {
    host::CommandBarControl popup = app_.CommandBars().Item("Tools").FindControl(host::msoControlPopup, 0, "VLXMenu");
    bool clicked = false;
    for (long i = 1; i <= popup.Controls().Count() && !clicked; ++i) {
      if (popup.Controls().Item(i).Tag() != tag) continue;
      popup.Controls().Item(i).Execute();
      clicked = true;
    }
    EXPECT_TRUE(clicked) << "no button " << tag;
    state::pubWdDoc = app_.Documents().Count() > 0 ? &app_.ActiveDocument() : nullptr;
  }

  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (const ui::Message& m : backend_.Messages()) out.push_back(m.title);
    return out;
  }

  // Expects no run bookmark to be left and every part but the text stories' (and the settings
  // part, which asks word processors to refresh the fields) to be the input's.
  void expectOnlyTheTextStoriesChanged() {
    auto saved = this->saved();
    for (const char* name : {"ReturnHereBK", "IndexBKStart"}) EXPECT_FALSE(saved->Bookmarks().Exists(name)) << name;
    expectOtherPartsUnchanged({"word/document.xml", "word/footnotes.xml", "word/settings.xml"});
  }

  EnvGuard config_{"XDG_CONFIG_HOME", folder_.path().string()};
  Connect connect_{[] { return 1L; }};
  host::AddInInstance instance_{Connect::kProgId, ""};
  host::CustomArray custom_{host::kStartedByUser};
};

TEST_F(FindAndIndexTest, QuotedTermsWithTheDefaultsMarkEveryOccurrenceAndEndWithTheIndexAndBothLists) {
  host::Document& doc = open(contract());
  click("VLXIndexTag");
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_TRUE(connect_.FormDisplayed());

  auto saved = this->saved();
  // Every occurrence, in the main text and the footnote, defined or not, carries its entry.
  EXPECT_EQ(fieldCodes(*saved, host::wdFootnotesStory),
            (std::vector<std::string>{entryCode("Buyer"), entryCode("Deposit")}));
  std::vector<std::string> mainCodes = fieldCodes(*saved, host::wdMainTextStory);
  EXPECT_EQ(std::count(mainCodes.begin(), mainCodes.end(), entryCode("Seller")), 3);
  EXPECT_EQ(std::count(mainCodes.begin(), mainCodes.end(), entryCode("Buyer")), 3);
  EXPECT_EQ(mainCodes.back(), " INDEX \\c2 \\e\":  \t\" \\f \"VellandexIndex\" ");
  std::vector<host::Field> index = indexFields(*saved);
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(resultLines(index[0]), (std::vector<std::string>{"Buyer:  \t1", "Deposit:  \t1", "Seller:  \t1"}));

  // The text reads as before, then the index and the two lists.
  EXPECT_EQ(
      mainParagraphs(*saved),
      (std::vector<std::string>{
          "This agreement is between the seller (the \u201CSeller\u201D) and the buyer (the \u201CBuyer\u201D).\x02",
          // The index's two columns stand in a section of their own, with a break on each side.
          "The Seller sells and the Buyer buys.", "The Buyer pays the Seller.", "INDEX OF DEFINED TERMS", "", "",
          "Buyer:  \t1", "Deposit:  \t1", "Seller:  \t1", "", "", "",
          "DEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)", "Deposit", "", "", "NOT FOUND",
          "None", "", ""}));
  EXPECT_EQ(bookmarkText(*saved, "VellandexIndexNotUsedList").substr(0, 40),
            "\rDEFINED BUT NOT USED / USED ONLY ONCE (");
  EXPECT_EQ(bookmarkText(*saved, "VellandexIndexNotFoundList"), "\rNOT FOUND\rNone\r\r");
  EXPECT_EQ(doc.SelectionRange().Start(), doc.Bookmarks().Item("VellandexIndex").Start());  // the cursor at the index
  // Occurrences are highlighted, quotes keep the document's own curly form.
  EXPECT_EQ(markedTexts(*saved, "word/footnotes.xml"), (std::vector<std::string>{"Buyer", "Deposit"}));
  EXPECT_EQ(markedTexts(*saved, "word/document.xml").size(), 6u);
  expectOnlyTheTextStoriesChanged();
}

TEST_F(FindAndIndexTest, DefinitionsOnlyMarksEachTermWhereItIsDefined) {
  setting(settings::kIndexWhat, "IndexDefs");
  setting(settings::kHighlight, "False");
  open(contract());
  click("VLXIndexTag");
  auto saved = this->saved();
  std::vector<std::string> codes = fieldCodes(*saved, host::wdMainTextStory);
  codes.pop_back();  // the index
  EXPECT_EQ(codes, (std::vector<std::string>{entryCode("Seller"), entryCode("Buyer")}));
  EXPECT_EQ(fieldCodes(*saved, host::wdFootnotesStory), (std::vector<std::string>{entryCode("Deposit")}));
  EXPECT_TRUE(markedTexts(*saved, "word/document.xml").empty());  // highlighting was not asked for
}

TEST_F(FindAndIndexTest, CapitalisedWordsIndexTheCapitalisedPhrasesOfTheText) {
  setting(settings::kSearchType, "SearchInitCaps");
  host::testing::DocParts parts;
  parts.body = para(run("The Purchase Price is paid by the Buyer to the Bank of England.")) +
               para(run("The Buyer pays the Purchase Price."));
  open(parts);
  click("VLXIndexTag");
  auto saved = this->saved();
  std::vector<host::Field> index = indexFields(*saved);
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(resultLines(index[0]),
            (std::vector<std::string>{"Bank of England:  \t1", "Buyer:  \t1", "Purchase Price:  \t1"}));
  expectOnlyTheTextStoriesChanged();
}

TEST_F(FindAndIndexTest, AnExistingIndexIsRebuiltWhereItStandsWhereverTheCursorIs) {
  host::testing::DocParts parts = contract();
  parts.body += host::testing::table({{"cell"}}) + para(run("Last."));
  host::Document& doc = open(parts);
  click("VLXIndexTag");
  const long indexAt = doc.Bookmarks().Item("VellandexIndex").Start();
  // The cursor in a table, then in a footnote: neither stops the second run.
  host::Range cell = doc.Content();
  cell.Find().SetText("cell");
  ASSERT_TRUE(cell.Find().Execute());
  cell.Collapse(host::wdCollapseStart);
  cell.Select();
  ASSERT_GE(app_.Selection().TablesCount(), 1);
  click("VLXIndexTag");
  host::Range note = doc.StoryRanges().Item(host::wdFootnotesStory);
  note.Collapse(host::wdCollapseStart);
  note.Select();
  click("VLXIndexTag");
  EXPECT_TRUE(backend_.Messages().empty());
  auto saved = this->saved();
  EXPECT_EQ(indexFields(*saved).size(), 1u);
  EXPECT_EQ(saved->Bookmarks().Item("VellandexIndex").Start(), indexAt);
  std::vector<std::string> codes = fieldCodes(*saved, host::wdMainTextStory);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), entryCode("Seller")), 3);  // entries are not doubled
}

TEST_F(FindAndIndexTest, CancelInEitherDialogLeavesTheDocumentAsItWas) {
  host::Document& doc = open(contract());
  backend_.OnModalOnce("frmVLXOptions", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdCancel")); });
  click("VLXIndexTag");
  EXPECT_FALSE(connect_.FormDisplayed());
  EXPECT_FALSE(doc.Bookmarks().Exists("ReturnHereBK"));
  expectOtherPartsUnchanged({});

  backend_.OnModalOnce("frmVLX_COM", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdCancel")); });
  click("VLXIndexTag");
  EXPECT_TRUE(connect_.FormDisplayed());
  EXPECT_EQ(doc.SelectionRange().Start(), doc.Content().End() - 1);  // back where it was
  auto saved = this->saved();
  for (const char* name : {"ReturnHereBK", "IndexBKStart", "VellandexIndex"})
    EXPECT_FALSE(saved->Bookmarks().Exists(name));
  EXPECT_EQ(mainParagraphs(*saved), mainParagraphs(*input()));
  EXPECT_TRUE(fieldCodes(*saved, host::wdMainTextStory).empty());
}

TEST_F(FindAndIndexTest, MismatchedQuotesStopTheRunBeforeTheMainDialog) {
  host::testing::DocParts parts = contract();
  parts.footnotes = {para(run("A stray \u201Cquote."))};
  open(parts);
  backend_.Answer("Mis-matched double quotes", ui::vbNo);
  backend_.Answer("Do you want to change which kind of double quotes VLX should search for?", ui::vbNo);
  backend_.Answer("Cannot index", ui::vbOK);
  click("VLXIndexTag");
  EXPECT_EQ(titles(), (std::vector<std::string>{"Mis-matched double quotes", "Vellandex", "Cannot index"}));
  EXPECT_NE(backend_.Messages()[0].prompt.find("your document's footnotes."), std::string::npos);
  EXPECT_FALSE(connect_.FormDisplayed());
  EXPECT_FALSE(state::blnOptionsAccepted);
  // The run's place marks came and went: the main text's XML is the input's, the rest untouched.
  EXPECT_EQ(xmlOf(*saved(), "word/document.xml"), xmlOf(*input(), "word/document.xml"));
  expectOtherPartsUnchanged({"word/document.xml"});
}

TEST_F(FindAndIndexTest, WithoutADocumentOnlyTheUserIsTold) {
  backend_.Answer("No document to index", ui::vbOK);
  click("VLXIndexTag");
  EXPECT_EQ(titles(), (std::vector<std::string>{"No document to index"}));
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKOnly + ui::vbInformation);
}

TEST_F(FindAndIndexTest, RemovingTwiceAndRemovingHighlightingFromTheMenu) {
  host::Document& doc = open(contract());
  click("VLXIndexTag");
  rememberDocument();
  backend_.Answer("Done", ui::vbOK);
  click("RemoveHighlightTag");
  EXPECT_EQ(titles(), (std::vector<std::string>{"Done"}));
  auto unhighlighted = saved();
  EXPECT_TRUE(markedTexts(*unhighlighted, "word/document.xml").empty());
  EXPECT_EQ(indexFields(*unhighlighted).size(), 1u);

  click("RemoveIndexTag");
  const std::string once = doc.package().toBytes();
  click("RemoveIndexTag");
  auto removed = saved();
  EXPECT_EQ(mainParagraphs(*removed), mainParagraphs(*input()));
  EXPECT_TRUE(fieldCodes(*removed, host::wdMainTextStory).empty());
  EXPECT_TRUE(fieldCodes(*removed, host::wdFootnotesStory).empty());
  expectOtherPartsUnchanged({"word/settings.xml"}, once);
}

TEST_F(FindAndIndexTest, UpdateFromTheMenuWithAndWithoutAnIndex) {
  open(contract());
  backend_.Answer("Update only?", ui::vbYes);
  backend_.Answer("No defined terms index found", ui::vbOK);
  backend_.Answer("Done", ui::vbOK);
  click("UpdateTag");
  EXPECT_EQ(titles(), (std::vector<std::string>{"Update only?", "No defined terms index found"}));
  click("VLXIndexTag");
  backend_.ClearRecords();
  click("UpdateTag");
  EXPECT_EQ(titles(), (std::vector<std::string>{"Update only?", "Done"}));
  EXPECT_EQ(backend_.Messages()[1].prompt, "Defined terms index updated.");
}

TEST_F(FindAndIndexTest, IndexingThenRemovingGivesEveryQuoteItsOwnFormBackCurlyStraightOrMixed) {
  host::testing::DocParts mixed = contract();
  mixed.body += para(run("A straight \"quote\" stays straight among curly ones."));
  for (const host::testing::DocParts& parts : {contract(), contract("\"", "\""), mixed}) {
    if (app_.Documents().Count() > 0) app_.Documents().Close(app_.ActiveDocument());
    host::Document& doc = this->open(parts);
    const std::string open = parts.body.substr(0, 80);
    click("VLXIndexTag");
    ASSERT_TRUE(doc.Bookmarks().Exists("VellandexIndex")) << open;
    click("RemoveIndexTag");
    EXPECT_EQ(mainParagraphs(*saved()), mainParagraphs(*input())) << open;
    EXPECT_EQ(doc.StoryRanges().Item(host::wdFootnotesStory).Text(),
              input()->StoryRanges().Item(host::wdFootnotesStory).Text())
        << open;
  }
}

}  // namespace
}  // namespace addin
