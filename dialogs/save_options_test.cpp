#include "dialogs/save_options.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "dialogs/frm_vlx_options.h"
#include "host/testing/temp_folder.h"
#include "settings/locations.h"
#include "state/run_state.h"
#include "ui/script/backend.h"

namespace dialogs {
namespace {

class SaveOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { settings::SetIniPath(folder_.path().string()); }
  void TearDown() override { settings::SetIniPath(""); }

  std::string iniText() const {
    std::ifstream in(settings::Location().strIniPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void fillQuotes(ui::ComboBox& list, int selected) {
    for (int code : {147, 148, 132, 171, 187}) {
      list.AddItem(std::to_string(code));
      list.SetItemData(list.NewIndex(), code);
    }
    list.SetListIndex(selected);
  }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
};

TEST_F(SaveOptionsTest, WritesEveryKeyInItsOrderWithItsValueFormat) {
  frmVLXOptions form;
  form.chkBold.SetValue(ui::vbChecked);
  form.chkCaseSensitive.SetValue(ui::vbUnchecked);
  form.chkIndexCaps.SetValue(ui::vbChecked);
  form.txtCols.SetText("3");
  form.txtSep.SetText(",  ");
  form.chkTabSep.SetValue(ui::vbChecked);
  fillQuotes(form.cmbOpenQuote, 2);
  fillQuotes(form.cmbCloseQuote, 1);
  form.optSearchType(1).SetValue(true);
  form.optIndexWhat(1).SetValue(true);

  SaveOptions(form);

  EXPECT_EQ(iniText(),
            "[Defaults]\nBold=True\nCaseSensitive=False\nIndexAllCaps=True\nHighlight=False\n"
            "IgnoreWordsWithNums=False\nIncludeNotFound=False\nIncludeNotUsed=False\nIndexCols=3\n"
            "IndexSep=\",  {TAB}\"\nOpenQuote=132\nCloseQuote=148\nSearchType=SearchInitCaps\n"
            "IndexWhat=IndexDefs\n");
  // Capitalised words take the quote lists and the index-what buttons away.
  EXPECT_FALSE(form.cmbOpenQuote.Enabled());
  EXPECT_FALSE(form.lblCloseQuote.Enabled());
  EXPECT_FALSE(form.optIndexWhat(0).Enabled());
  EXPECT_FALSE(state::blnLoadingOptions);
}

TEST_F(SaveOptionsTest, AFailingStepIsReportedAndTheRestIsStillWritten) {
  frmVLX_COM form;                  // quote lists left empty: nothing is selected in them
  state::blnLoadingOptions = true;  // set as the settings loader does, without the main dialog's reminder
  form.optSearchType(0).SetValue(true);
  form.optIndexWhat(0).SetValue(true);
  state::blnLoadingOptions = false;
  backend_.Answer("Error setting defaults", ui::vbOK);

  SaveOptions(form);

  ASSERT_EQ(backend_.Messages().size(), 2u);  // one for each quote list
  EXPECT_EQ(backend_.Messages()[0].prompt, "Error: 9 Subscript out of range");
  const std::string text = iniText();
  EXPECT_NE(text.find("IndexCols=\n"), std::string::npos);
  EXPECT_EQ(text.find("OpenQuote"), std::string::npos);
  EXPECT_NE(text.find("SearchType=SearchFlagged\nIndexWhat=IndexAll\n"), std::string::npos);
  EXPECT_TRUE(form.cmbCloseQuote.Enabled());
}

}  // namespace
}  // namespace dialogs
