#include "indexing/search_list.h"

#include <sstream>

#include <gtest/gtest.h>

#include "indexing/test_support.h"
#include "ui/console_progress.h"

namespace indexing {
namespace {

class SearchListTest : public testing::RunTest {
 protected:
  void TearDown() override {
    ui::SetConsoleProgress(ui::ConsoleMode::Off);
    RunTest::TearDown();
  }
  dialogs::frmVLX_COM form_;
};

TEST_F(SearchListTest, SelectedFoundThenAddedTermsLongestFirst) {
  fillDialog(form_, {"Term", "Unchosen", "Agreed Term"}, {"Terms", "Buyer"});
  form_.lstTermsInDoc.SetSelected(1, false);
  form_.lstAddTerms.SetSelected(1, false);
  EXPECT_EQ(fncBuildSearchList(form_), (std::vector<std::string>{"Agreed Term", "Terms", "Term"}));
}

TEST_F(SearchListTest, DuplicatesStayAndNothingSelectedGivesAnEmptyList) {
  fillDialog(form_, {"Buyer"}, {"Buyer"});
  EXPECT_EQ(fncBuildSearchList(form_), (std::vector<std::string>{"Buyer", "Buyer"}));
  form_.lstTermsInDoc.SetSelected(0, false);
  form_.lstAddTerms.SetSelected(0, false);
  EXPECT_TRUE(fncBuildSearchList(form_).empty());
}

TEST_F(SearchListTest, HidesTheDialogAndShowsItsStepWhileBuilding) {
  std::ostringstream console;
  ui::SetConsoleProgress(ui::ConsoleMode::Always, &console, false);
  fillDialog(form_, {"Buyer"});
  form_.Show(ui::vbModeless);
  ASSERT_TRUE(form_.Visible());

  fncBuildSearchList(form_);

  EXPECT_FALSE(form_.Visible());
  EXPECT_EQ(console.str(), "Building search list\n");
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
  form_.Unload();
}

}  // namespace
}  // namespace indexing
