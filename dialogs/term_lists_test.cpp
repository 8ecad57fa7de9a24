#include "dialogs/term_lists.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "host/testing/temp_folder.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"
#include "util/list_box_extent.h"

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

constexpr const char* kInUse = "The filename you specified is in use or not available.  Please try again.";

class TermListsTest : public ::testing::Test {
 protected:
  void SetUp() override { form_.Show(); }

  std::string write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // Loads the files through the button, then cancels the chooser.
  void load(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) backend_.AnswerFile(path);
    backend_.AnswerFile("");
    ui::script::Click(form_.cmdLoadSavedList);
  }
  static void fill(ui::ListBox& list, const Items& items, const std::vector<int>& selected) {
    for (const std::string& item : items) list.AddItem(item);
    for (int i : selected) list.SetSelected(i, true);
  }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
  frmVLX_COM form_;
};

TEST_F(TermListsTest, ATwoLineFileLoadsTwoTermsAndLoadingItAgainAddsNothing) {
  const std::string path = write("terms.txt", "Agreement\r\nPurchase Price\r\n");
  load({path});
  load({path});
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), (Items{"Agreement", "Purchase Price"}));
  const ui::FileRequest& request = backend_.FileRequests().at(0);
  EXPECT_TRUE(request.open);
  EXPECT_EQ(request.title, "Load terms list");
  EXPECT_EQ(request.fileName, "*.txt");
  EXPECT_EQ(request.filters, (std::vector<std::pair<std::string, std::string>>{{"Text file (.txt)", "*.txt"}}));
  EXPECT_EQ(request.owner, &form_);
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(TermListsTest, CommasSplitALineAndTermsAlreadyListedOrRepeatedAreSkipped) {
  form_.lstAddTerms.AddItem("Seller");
  load({write("terms.txt", "Buyer ,  Seller\r\nBuyer\r\nbuyer\r\n")});
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), (Items{"Seller", "Buyer", "buyer"})) << "exact, case-sensitive";
  EXPECT_EQ(form_.lstAddTerms.HorizontalExtent(), form_.TextWidth("Seller"))
      << "the longest loaded term can be scrolled to";
}

TEST_F(TermListsTest, AnUpperCaseExtensionLoadsAndAnyOtherIsRefusedWithTheChooserOfferedAgain) {
  backend_.Answer("Not a text file", ui::vbOK);
  load({write("terms.text", "Wrong\r\n"), write("TERMS.TXT", "Right\r\n")});
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), (Items{"Right"}));
  ASSERT_EQ(backend_.Messages().size(), 1u);
  const ui::Message& refused = backend_.Messages()[0];
  EXPECT_EQ(refused.prompt, "terms.text is not a text file (*.txt) and cannot be loaded.  Please try again.");
  EXPECT_EQ(refused.Icon(), ui::vbExclamation);
  EXPECT_EQ(refused.Buttons(), ui::vbOKOnly);
  EXPECT_EQ(backend_.FileRequests().size(), 2u) << "refused, then loaded: no third chooser";
}

TEST_F(TermListsTest, AFileSavedOnWindowsLoadsWithItsAccents) {
  load({write("windows.txt", "Caf\xE9 Society, \x93Na\xEFve\x94 Buyer\r\n")});
  EXPECT_EQ(util::ListItems(form_.lstAddTerms),
            (Items{"Caf\xC3\xA9 Society", "\xE2\x80\x9CNa\xC3\xAFve\xE2\x80\x9D Buyer"}));
}

TEST_F(TermListsTest, AFileThatCannotBeReadIsReportedWhicheverButtonIsPressed) {
  fs::create_directory(folder_ / "folder.txt");
  backend_.AnswerOnce("File in use/not available", ui::vbCancel);
  backend_.AnswerOnce("File in use/not available", ui::vbOK);
  load({(folder_ / "folder.txt").string(), (folder_ / "missing.txt").string()});
  ASSERT_EQ(backend_.Messages().size(), 2u) << "a missing file cannot be read either";
  EXPECT_EQ(backend_.Messages()[0].prompt, kInUse);
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbOKCancel + ui::vbInformation);
  EXPECT_EQ(backend_.FileRequests().size(), 3u) << "each time the chooser comes back, until cancelled";
  EXPECT_FALSE(fs::exists(folder_ / "missing.txt")) << "checking never creates the file";
}

TEST_F(TermListsTest, SavingSomeSelectedItemsAsksAndNoWritesAllYesOnlyTheSelected) {
  fill(form_.lstAddTerms, {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}, {3, 1});
  const fs::path all = folder_ / "all.txt", chosen = folder_ / "chosen.txt";
  backend_.AnswerOnce("Save all or selected?", ui::vbNo);
  backend_.AnswerFile(all.string());
  ui::script::Click(form_.cmdSaveList(1));
  backend_.AnswerOnce("Save all or selected?", ui::vbYes);
  backend_.AnswerFile(chosen.string());
  ui::script::Click(form_.cmdSaveList(1));
  EXPECT_EQ(read(all), "Alpha\r\nBeta\r\nGamma\r\nDelta\r\nEpsilon\r\n");
  EXPECT_EQ(read(chosen), "Beta\r\nDelta\r\n") << "in list order";
  const ui::Message& question = backend_.Messages().at(0);
  EXPECT_EQ(question.prompt,
            "Save selected items only?  Click Yes to save only the selected items, click No to save all items in the "
            "additional terms list.");
  EXPECT_EQ(question.style, ui::vbYesNoCancel + ui::vbQuestion);
  const ui::FileRequest& request = backend_.FileRequests().at(0);
  EXPECT_FALSE(request.open);
  EXPECT_EQ(request.title, "Save terms list");
  EXPECT_TRUE(request.confirmOverwrite);
}

TEST_F(TermListsTest, CancellingTheQuestionLeavesAnExistingFileUntouched) {
  fill(form_.lstAddTerms, {"Alpha", "Beta"}, {0});
  const std::string path = write("kept.txt", "Old\r\n");
  backend_.Answer("kept.txt already exists", ui::vbYes);
  backend_.Answer("Save all or selected?", ui::vbCancel);
  backend_.AnswerFile(path);
  ui::script::Click(form_.cmdSaveList(1));
  EXPECT_EQ(read(path), "Old\r\n");
}

TEST_F(TermListsTest, WithNoneOrAllSelectedEveryItemIsSavedWithoutAsking) {
  fill(form_.lstTermsInDoc, {"Agreement", "Buyer"}, {});
  backend_.AnswerFile((folder_ / "none.txt").string());
  ui::script::Click(form_.cmdSaveList(0));
  fill(form_.lstAddTerms, {"Seller"}, {0});
  backend_.AnswerFile((folder_ / "all").string());  // the chooser adds the extension
  ui::script::Click(form_.cmdSaveList(1));
  EXPECT_EQ(read(folder_ / "none.txt"), "Agreement\r\nBuyer\r\n");
  EXPECT_EQ(read(folder_ / "all.txt"), "Seller\r\n");
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_EQ(backend_.FileRequests().at(1).defaultExtension, "txt");
}

TEST_F(TermListsTest, TheFoundListIsAskedAboutInTheSameWords) {
  fill(form_.lstTermsInDoc, {"Agreement", "Buyer", "Seller"}, {1});
  backend_.Answer("Save all or selected?", ui::vbYes);
  backend_.AnswerFile((folder_ / "found.txt").string());
  ui::script::Click(form_.cmdSaveList(0));
  EXPECT_NE(backend_.Messages().at(0).prompt.find("all items in the additional terms list."), std::string::npos);
  EXPECT_EQ(read(folder_ / "found.txt"), "Buyer\r\n");
}

TEST_F(TermListsTest, TermsWithCommasOrLeadingQuotesComeBackWholeAndAMissingFolderIsMade) {
  const Items tricky{"Smith, Jones and Co", "\"Seller\"", "Agreed \"Term\""};
  fill(form_.lstTermsInDoc, tricky, {});
  const fs::path path = folder_ / "new" / "folder" / "tricky.txt";
  backend_.AnswerFile(path.string());
  ui::script::Click(form_.cmdSaveList(0));
  ASSERT_TRUE(fs::is_regular_file(path));
  load({path.string()});
  EXPECT_EQ(util::ListItems(form_.lstAddTerms), tricky);
}

TEST_F(TermListsTest, AnEmptyListSavesAnEmptyFileAndAFailedWriteIsReported) {
  backend_.AnswerFile((folder_ / "empty.txt").string());
  ui::script::Click(form_.cmdSaveList(1));
  EXPECT_EQ(read(folder_ / "empty.txt"), "");

  // Through a file, the path is not available; below /proc no folder can be made.
  write("blocker", "a file where a folder should be");
  backend_.Answer("File in use/not available", ui::vbOK);
  backend_.Answer("Save terms list", ui::vbOK);
  backend_.AnswerFile((folder_ / "blocker" / "terms.txt").string());
  backend_.AnswerFile("/proc/vlx-no-such-folder/terms.txt");
  ui::script::Click(form_.cmdSaveList(1));
  ASSERT_EQ(backend_.Messages().size(), 2u);
  EXPECT_EQ(backend_.Messages()[0].prompt, kInUse);
  EXPECT_EQ(backend_.Messages()[1].title, "Save terms list");
  EXPECT_EQ(backend_.Messages()[1].prompt.rfind("Error: ", 0), 0u) << backend_.Messages()[1].prompt;
  EXPECT_EQ(backend_.FileRequests().size(), 3u) << "a failed write is reported once, not offered again";
}

}  // namespace
}  // namespace dialogs
