#include "discovery/save_before_search.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "discovery/discovery_test_fixture.h"
#include "discovery/run_notices.h"

namespace discovery {
namespace {

using namespace discovery::testing;

std::string bytesOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class SaveBeforeSearch : public DiscoveryTest {
 protected:
  // A document opened from a file, with a change not yet saved.
  host::Document& changed() {
    path_ = writeDocx("contract.docx", p("the Seller"));
    original_ = bytesOf(path_);
    host::Document& doc = app_.Documents().Open(path_.string());
    doc.Content().InsertBefore("New ");
    return doc;
  }

  std::filesystem::path path_;
  std::string original_;
};

TEST_F(SaveBeforeSearch, NothingIsAskedOfAQuotedSearchASavedDocumentOrARefresh) {
  host::Document& doc = changed();
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchFlagged"), 1);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, false, "SearchInitCaps"), 1);
  doc.Save();
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 1);
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(SaveBeforeSearch, YesSavesNoSearchesWithoutSavingCancelStops) {
  host::Document& doc = changed();
  ui_.AnswerOnce("Save document", ui::vbNo);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 1);
  EXPECT_EQ(bytesOf(path_), original_);
  ui_.AnswerOnce("Save document", ui::vbCancel);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 2);
  EXPECT_EQ(bytesOf(path_), original_);
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[0].style, ui::vbYesNoCancel + ui::vbQuestion);

  ui_.AnswerOnce("Save document", ui::vbYes);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 1);
  EXPECT_NE(bytesOf(path_), original_);
  EXPECT_TRUE(doc.Saved());
}

TEST_F(SaveBeforeSearch, ADocumentWithoutAFileOfItsOwnIsSavedWhereTheUserChooses) {
  host::Document& doc = open(p("the Seller"));
  doc.Content().InsertBefore("New ");
  ui_.Answer("Save document", ui::vbYes);
  ui_.AnswerFile("");
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 2);
  const std::filesystem::path chosen = folder_ / "chosen.docx";
  ui_.AnswerFile(chosen.string());
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 1);
  EXPECT_TRUE(std::filesystem::exists(chosen));
  EXPECT_FALSE(ui_.FileRequests().front().open);
}

TEST_F(SaveBeforeSearch, AFailedSaveIsReportedUnderItsStep) {
  host::Document& doc = open(p("the Seller"));
  doc.Content().InsertBefore("New ");
  ui_.AnswerOnce("Save document", ui::vbYes);
  ui_.Answer("Save document", ui::vbOK);  // the error message, under the same title
  ui_.AnswerFile((folder_ / "missing" / "folder" / "x.docx").string());
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 0);
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[1].title, "Save document");
  EXPECT_EQ(ui_.Messages()[1].prompt.substr(0, 7), "Error: ");
}

TEST_F(SaveBeforeSearch, AReadOnlyDocumentIsSearchedAfterOneNoticeARun) {
  const std::filesystem::path path = writeDocx("locked.docx", p("the Seller"));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  host::Document& doc = app_.Documents().Open(path.string());
  if (!doc.ReadOnly()) GTEST_SKIP() << "this user may write any file";
  doc.Content().InsertBefore("New ");
  ResetRunNotices();
  ui_.Answer("Read only document", ui::vbOK);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, true, "SearchInitCaps"), 1);
  EXPECT_EQ(fncSaveBeforeSearch(doc, form_, false, "SearchInitCaps"), 1);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].style, ui::vbOKOnly + ui::vbInformation);
}

}  // namespace
}  // namespace discovery
