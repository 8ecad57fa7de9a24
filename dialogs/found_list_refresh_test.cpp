// The main dialog's "Find terms and refresh list" and "Set as defaults" buttons.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "dialogs/quote_lists.h"
#include "dialogs/testing/fake_addin.h"
#include "host/platform/error.h"
#include "host/testing/temp_folder.h"
#include "settings/ini_file.h"
#include "settings/locations.h"
#include "state/run_state.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"
#include "util/list_box_extent.h"

namespace dialogs {
namespace {

using Items = std::vector<std::string>;

class RefreshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetIniPath(folder_.path().string());
    state::blnLoadingOptions = true;
    FillQuoteLists(form_);
    form_.optSearchType(0).SetValue(true);
    form_.optIndexWhat(0).SetValue(true);
    state::blnLoadingOptions = false;
    for (const char* term : {"Old term", "Other old term"}) form_.lstTermsInDoc.AddItem(term);
    form_.lblTermsInDoc.SetCaption("The following defined terms were found in your document.");
    form_.SetVLXAddIn(&addIn_);
    addIn_.found = {"Agreement", "", "Completion Date"};
    form_.Show();
  }
  void TearDown() override {
    settings::SetIniPath("");
    state::arrFoundTerms.clear();
  }
  void store(const std::string& searchType, const std::string& indexWhat) {
    settings::fncWriteIni("Defaults", "SearchType", searchType);
    settings::fncWriteIni("Defaults", "IndexWhat", indexWhat);
  }
  std::string iniText() const {
    std::ifstream in(settings::Location().strIniPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void expectListUnchanged() const {
    EXPECT_EQ(util::ListItems(form_.lstTermsInDoc), (Items{"Old term", "Other old term"}));
    EXPECT_EQ(form_.lblTermsInDoc.Caption(), "The following defined terms were found in your document.")
        << "the explanation of the unchanged list is put back";
    EXPECT_FALSE(form_.lblLabel1.Visible());
    EXPECT_FALSE(form_.lblLabel2.Visible());
  }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
  testing::FakeAddIn addIn_;
  frmVLX_COM form_;
};

TEST_F(RefreshTest, TheStoredQuotedSearchRebuildsTheListAllSelectedWithTheFirstCurrent) {
  store("SearchFlagged", "IndexDefs");
  const std::string before = iniText();
  form_.cmdOK.SetEnabled(false);
  form_.cmdCancel.SetEnabled(false);
  ui::script::Click(form_.cmdRefresh);
  EXPECT_EQ(addIn_.calls, (Items{"SaveBeforeSearch SearchFlagged", "RefreshQuotedTerms IndexDefs"}));
  EXPECT_EQ(util::ListItems(form_.lstTermsInDoc), (Items{"Agreement", "Completion Date"})) << "empty terms skipped";
  EXPECT_EQ(form_.lstTermsInDoc.SelCount(), 2);
  EXPECT_EQ(form_.lstTermsInDoc.ListIndex(), 0);
  EXPECT_EQ(form_.lstTermsInDoc.HorizontalExtent(), form_.TextWidth("Completion Date") + form_.TextWidth("W"));
  EXPECT_TRUE(state::arrFoundTerms.empty());
  EXPECT_TRUE(form_.cmdOK.Enabled());
  EXPECT_TRUE(form_.cmdOK.Default());
  EXPECT_TRUE(form_.cmdCancel.Enabled());
  EXPECT_EQ(iniText(), before) << "refresh writes no settings";
  EXPECT_FALSE(form_.lblLabel1.Visible()) << "the progress lines go when the list is back";
}

TEST_F(RefreshTest, TheProgressLinesShowWhileTheSearchRuns) {
  store("SearchFlagged", "IndexAll");
  std::vector<std::string> seen;
  addIn_.duringSearch = [&](frmVLX_COM& form) {
    for (const ui::Label* label : {&form.lblLabel1, &form.lblLabel2, &form.lblLabel3})
      seen.push_back((label->Visible() ? "shown " : "hidden ") + label->Caption());
    seen.push_back("explanation: " + form.lblTermsInDoc.Caption());
  };
  ui::script::Click(form_.cmdRefresh);
  EXPECT_EQ(seen, (Items{"shown Please wait", "shown Refreshing list...", "hidden ", "explanation: "}));
}

TEST_F(RefreshTest, TheStoredSearchTypeDecidesAndTheOneOnScreenIsOnlyToldToTheSaveStep) {
  store("SearchInitCaps", "IndexAll");
  ui::script::Click(form_.cmdRefresh);
  EXPECT_EQ(addIn_.calls, (Items{"SaveBeforeSearch SearchFlagged", "RefreshCappedTerms"}));
  EXPECT_EQ(form_.lstTermsInDoc.ListCount(), 2);
  EXPECT_TRUE(form_.cmbOpenQuote.Enabled()) << "the rules follow the search type on screen";
}

TEST_F(RefreshTest, ARefusedSaveAFailedSearchAnUnknownTypeOrNothingFoundLeaveTheListAsItWas) {
  store("SearchFlagged", "IndexAll");
  addIn_.saveBeforeSearch = 2;
  ui::script::Click(form_.cmdRefresh);
  EXPECT_EQ(addIn_.calls, (Items{"SaveBeforeSearch SearchFlagged"}));
  expectListUnchanged();

  addIn_.saveBeforeSearch = 1;
  store("SearchInitCaps", "IndexAll");
  addIn_.cappedResult = false;
  ui::script::Click(form_.cmdRefresh);
  expectListUnchanged();

  store("SearchSomethingElse", "IndexAll");
  ui::script::Click(form_.cmdRefresh);
  expectListUnchanged();

  store("SearchFlagged", "IndexAll");
  addIn_.found = {""};
  ui::script::Click(form_.cmdRefresh);
  expectListUnchanged();
  EXPECT_EQ(addIn_.calls.back(), "RefreshQuotedTerms IndexAll");
}

TEST_F(RefreshTest, SetAsDefaultsWritesEveryOptionThenRebuildsWithTheNewSearchType) {
  store("SearchFlagged", "IndexAll");
  backend_.Answer("Refresh terms list", ui::vbOK);
  ui::script::Click(form_.optSearchType(1));
  ui::script::Click(form_.cmdSetDefaults);
  EXPECT_EQ(iniText(),
            "[Defaults]\nSearchType=SearchInitCaps\nIndexWhat=IndexAll\nBold=False\nCaseSensitive=False\n"
            "IndexAllCaps=False\nHighlight=False\nIgnoreWordsWithNums=False\nIncludeNotFound=False\n"
            "IncludeNotUsed=False\nIndexCols=\nIndexSep=\"\"\nOpenQuote=147\nCloseQuote=148\n");
  EXPECT_EQ(iniText().find("Show"), std::string::npos) << "the three reserved keys are not written";
  EXPECT_EQ(addIn_.calls, (Items{"SaveBeforeSearch SearchInitCaps", "RefreshCappedTerms"}));
  EXPECT_EQ(util::ListItems(form_.lstTermsInDoc), (Items{"Agreement", "Completion Date"}));
}

TEST_F(RefreshTest, AFailureEscapingTheSearchIsReportedAndTheDialogStays) {
  store("SearchFlagged", "IndexAll");
  addIn_.duringSearch = [](frmVLX_COM&) {
    throw host::Error(host::kErrNoSuchMember, "The requested member of the collection does not exist.");
  };
  backend_.Answer("Vellandex", ui::vbOK);
  ui::script::Click(form_.cmdRefresh);
  ASSERT_EQ(backend_.Messages().back().prompt, "Error: 5941 The requested member of the collection does not exist.");
  EXPECT_TRUE(form_.Visible());
  expectListUnchanged();
}

}  // namespace
}  // namespace dialogs
