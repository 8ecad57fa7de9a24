#include "addin/gathering.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialogs/frm_vlx_options.h"
#include "discovery/discovery_test_fixture.h"
#include "host/model/fields.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace addin {
namespace {

using namespace discovery::testing;
using Terms = std::vector<std::string>;

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> listed(const ui::ListBox& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
  return out;
}

class Gathering : public DiscoveryTest {
 protected:
  void write(const char* key, const std::string& value) { settings::fncWriteIni(settings::kSection, key, value); }
  std::string read(const char* key) { return settings::fncReadIni(settings::kSection, key); }
};

TEST_F(Gathering, AFirstRunWritesEveryDefaultAndLoadsThem) {
  dialogs::frmVLXOptions options;
  EXPECT_TRUE(fncLoadSettingsIntoForm(options));
  EXPECT_EQ(fileText(settings::Location().strIniPath()),
            "[Defaults]\nSearchType=SearchFlagged\nBold=False\nHighlight=True\nIgnoreWordsWithNums=True\n"
            "CaseSensitive=True\nIndexAllCaps=True\nOpenQuote=147\nCloseQuote=148\nIndexCols=2\n"
            "IndexSep=\":  {TAB}\"\nIncludeNotUsed=True\nIncludeNotFound=True\nShowFormatReminder=True\n"
            "ShowSearchChooser=True\nShowHelp=True\nIndexWhat=IndexAll\n");
  EXPECT_TRUE(options.optSearchType(0).Value());
  EXPECT_TRUE(options.optIndexWhat(0).Value());
  EXPECT_TRUE(options.cmbOpenQuote.Enabled());
  EXPECT_EQ(options.cmbOpenQuote.ListIndex(), 0);
  EXPECT_EQ(options.cmbCloseQuote.ListIndex(), 1);
  EXPECT_EQ(options.chkBold.Value(), ui::vbUnchecked);
  EXPECT_EQ(options.chkHighlight.Value(), ui::vbChecked);
  EXPECT_TRUE(options.chkIndexCaps.Enabled());
  EXPECT_EQ(options.txtCols.Text(), "2");
  EXPECT_EQ(options.txtSep.Text(), ":  ");
  EXPECT_EQ(options.chkTabSep.Value(), ui::vbChecked);
  EXPECT_FALSE(state::blnLoadingOptions);
}

TEST_F(Gathering, StoredValuesAreReadAsTheyStandAndBadQuoteCodesRepaired) {
  write(settings::kSearchType, "SearchInitCaps");
  write(settings::kIndexWhat, "Something");
  write(settings::kOpenQuote, "abc");
  write(settings::kCloseQuote, "");
  write(settings::kCaseSensitive, "true");  // only "True" is true
  write(settings::kIndexSep, "\", {TAB}dropped\"");
  dialogs::frmVLX_COM form;
  fncLoadSettingsIntoForm(form);
  EXPECT_TRUE(form.optSearchType(1).Value());
  EXPECT_FALSE(form.cmbOpenQuote.Enabled());
  EXPECT_FALSE(form.lblCloseQuote.Enabled());
  EXPECT_FALSE(form.optIndexWhat(0).Enabled());
  EXPECT_FALSE(form.optIndexWhat(0).Value());
  EXPECT_FALSE(form.optIndexWhat(1).Value());
  EXPECT_EQ(read(settings::kOpenQuote), "147");
  EXPECT_EQ(read(settings::kCloseQuote), "148");
  EXPECT_EQ(form.chkCaseSensitive.Value(), ui::vbUnchecked);
  EXPECT_FALSE(form.chkIndexCaps.Enabled());
  EXPECT_EQ(form.txtSep.Text(), ", ");
}

TEST_F(Gathering, EachDefaultThatCannotBeWrittenIsReported) {
  settings::SetIniPath((folder_ / "missing").string());
  ui_.Answer("Ini file problem", ui::vbOK);
  dialogs::frmVLXOptions options;
  fncLoadSettingsIntoForm(options);
  EXPECT_EQ(ui_.Messages().size(), 16u);
  EXPECT_EQ(ui_.Messages()[0].prompt,
            "There is a problem with the ini file. Please reinstall to try to fix the problem.");
  EXPECT_FALSE(options.optSearchType(0).Value());
  EXPECT_FALSE(options.optSearchType(1).Value());
}

TEST_F(Gathering, TheQuotedStageListsTheTermsOfEveryStoryAllSelected) {
  fncLoadSettingsIntoForm(form_);
  host::Document& doc = open(p("the \u201CSeller\u201D and the \u201C*Buyer*\u201D") + para(run("x") + footnoteRef(1)),
                             {p("the \u201CBusiness Day\u201D")});
  EXPECT_EQ(fncGatherFlaggedTerms(doc, form_), kStageGoOn);
  EXPECT_EQ(listed(form_.lstTermsInDoc), (Terms{"Seller", "Buyer", "Business Day"}));
  EXPECT_EQ(form_.lstTermsInDoc.SelCount(), 3);
  EXPECT_EQ(form_.lstTermsInDoc.ListIndex(), 0);
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
  EXPECT_TRUE(ui_.Messages().empty());

  write(settings::kBold, "True");
  dialogs::frmVLX_COM bold;
  EXPECT_EQ(fncGatherFlaggedTerms(doc, bold), kStageGoOn);
  EXPECT_EQ(listed(bold.lstTermsInDoc), (Terms{"Buyer"}));
  EXPECT_EQ(bold.chkBold.Value(), ui::vbChecked);
}

TEST_F(Gathering, MismatchedQuotesEndTheStageWithTheQuoteOptionAsRecorded) {
  fncLoadSettingsIntoForm(form_);
  state::blnSavedReplaceQuotes = false;
  host::Document& doc = open(p("the \"Seller\" and") + para(run("x") + footnoteRef(1)), {p("the \"Stray")});
  ui_.Answer("Mis-matched double quotes", ui::vbNo);
  ui_.Answer("Do you want to change", ui::vbNo);
  ui_.Answer("Cannot index", ui::vbOK);
  EXPECT_EQ(fncGatherFlaggedTerms(doc, form_), kStageStop);
  EXPECT_NE(ui_.Messages()[0].prompt.find("document's footnotes."), std::string::npos);
  EXPECT_FALSE(app_.Options().AutoFormatAsYouTypeReplaceQuotes);
  EXPECT_EQ(storyText(doc, host::wdMainTextStory), "the \"Seller\" and\rx\x02\r") << "quotes in the user's form";
  EXPECT_EQ(form_.lstTermsInDoc.ListCount(), 0);
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
}

TEST_F(Gathering, ATermHoldingATabIsListedAndWarnedAboutOnce) {
  fncLoadSettingsIntoForm(form_);
  host::Document& doc = open(p("the \"Tab\tOne\" and \"Tab\tTwo\" and \"Plain\""));
  ui_.Answer("Tabs/returns found in terms", ui::vbOK);
  EXPECT_EQ(fncGatherFlaggedTerms(doc, form_), kStageGoOn);
  EXPECT_EQ(listed(form_.lstTermsInDoc), (Terms{"Tab\tOne", "Tab\tTwo", "Plain"}));
  EXPECT_EQ(ui_.Messages().size(), 1u);
}

TEST_F(Gathering, NothingFoundLeavesTheListEmptyAndGoesOn) {
  fncLoadSettingsIntoForm(form_);
  host::Document& doc = open(p("no terms here"));
  EXPECT_EQ(fncGatherFlaggedTerms(doc, form_), kStageGoOn);
  EXPECT_EQ(form_.lstTermsInDoc.ListCount(), 0);
  EXPECT_FALSE(form_.lstTermsInDoc.Visible());
}

TEST_F(Gathering, TheCapitalisedStageNeverWritesTheUsersFile) {
  fncLoadSettingsIntoForm(form_);
  std::string body;
  for (int i = 0; i < 60; ++i) body += p("The Seller pays the Purchase Price to the Buyer and the Escrow Agent.");
  const std::string path = writeDocx("contract.docx", body);
  host::Document& doc = app_.Documents().Open(path);
  doc.Indexes().MarkEntry(doc.Range(4, 10), "Seller", "\\f \"VellandexIndex\"");  // an earlier run's entry
  doc.Save();
  const std::string indexed = fileText(path);
  EXPECT_EQ(fncGatherInitCapsTerms(doc, form_, "SearchInitCaps"), kStageGoOn);
  EXPECT_EQ(listed(form_.lstTermsInDoc), (Terms{"Buyer", "Escrow Agent", "Purchase Price", "Seller"}));
  EXPECT_EQ(doc.Content().Fields().Count(), 0) << "the earlier entry is stripped in memory";
  EXPECT_EQ(fileText(path), indexed) << "the file is left as it was";
  EXPECT_TRUE(ui_.Messages().empty()) << "a saved document meets no question";
  EXPECT_FALSE(state::blnInitCapsGathering);
  EXPECT_TRUE(form_.optSearchType(1).Value());
  EXPECT_FALSE(form_.optIndexWhat(0).Enabled());
}

TEST_F(Gathering, DecliningTheSaveQuestionStopsTheCapitalisedStage) {
  fncLoadSettingsIntoForm(form_);
  host::Document& doc = app_.Documents().Open(writeDocx("contract.docx", p("The Seller")));
  doc.Content().InsertAfter("x");
  ui_.Answer("Save document", ui::vbCancel);
  EXPECT_EQ(fncGatherInitCapsTerms(doc, form_, "SearchInitCaps"), kStageStop);
  EXPECT_FALSE(state::blnInitCapsGathering);
}

TEST_F(Gathering, AFailureIsReportedWithoutATitleAndFailsTheStage) {
  fncLoadSettingsIntoForm(form_);
  host::Document& doc = open(p("the \"Seller\""));
  state::pubEngine.reset();
  ui_.Answer("Vellandex", ui::vbOK);
  EXPECT_EQ(fncGatherFlaggedTerms(doc, form_), kStageFailed);
  EXPECT_EQ(ui_.Messages().back().prompt, "Error: 91 Object variable or With block variable not set");
  EXPECT_EQ(app_.Options().AutoFormatAsYouTypeReplaceQuotes, state::blnSavedReplaceQuotes);
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
  EXPECT_EQ(fncGatherInitCapsTerms(doc, form_, "SearchInitCaps"), kStageFailed);
  EXPECT_FALSE(state::blnInitCapsGathering);
}

}  // namespace
}  // namespace addin
