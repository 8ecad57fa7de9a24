#include "dialogs/open_save_dialog.h"

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace dialogs {
namespace {

using namespace std::string_literals;

TEST(FileDialogHelpers, FiltersAreNulSeparatedPairs) {
  const std::string filter = fncAddFilterItem(fncAddFilterItem("", "Text file (.txt)", "*.txt"), "All files");
  EXPECT_EQ(filter, "Text file (.txt)\0*.txt\0All files\0*.*\0"s);
  EXPECT_EQ(fncStripNulls("terms.txt\0\0\0"s), "terms.txt");
  EXPECT_EQ(fncStripNulls("terms.txt"), "terms.txt");
}

TEST(FileDialogHelpers, TheTitleIsThePartAfterTheLastSlash) {
  EXPECT_EQ(fncGetFileTitle("/home/ann/lists/terms.txt"), "terms.txt");
  EXPECT_EQ(fncGetFileTitle("terms.txt"), "terms.txt");
  EXPECT_EQ(fncGetFileTitle("/home/ann/lists/"), "");
}

TEST(FileDialogHelpers, TheFolderOfAPathIsCutOnlyBeforeANameWithADot) {
  EXPECT_EQ(fncGetFolderOfPath("/home/ann/lists/terms.txt"), "/home/ann/lists");
  EXPECT_EQ(fncGetFolderOfPath("/home/ann/lists/"), "/home/ann/lists/") << "ends in a slash: unchanged";
  EXPECT_EQ(fncGetFolderOfPath("/home/ann.b/lists"), "/home/ann.b/lists") << "the dot must be in the last part";
  EXPECT_EQ(fncGetFolderOfPath("terms.txt"), "terms.txt") << "no slash at all: unchanged";
}

TEST(FileDialog, TheChooserGetsTitleFilterNameAndOwnerAndItsAnswerIsCutAtANul) {
  ui::script::Backend backend;
  ui::Form owner("frmVLX_COM");
  backend.AnswerFile("/tmp/terms.txt\0junk"s);
  OpenSaveDialog dialog;
  dialog.filter = fncAddFilterItem("", "Text file (.txt)", "*.txt");
  dialog.fileName = "*.txt"s + std::string(250, '\0');
  dialog.title = "Save terms list";
  dialog.flags = kOverwritePrompt;
  dialog.owner = &owner;
  dialog.open = false;
  EXPECT_EQ(fncShowOpenSaveDialog(dialog), "/tmp/terms.txt");
  const ui::FileRequest& shown = backend.FileRequests().at(0);
  EXPECT_FALSE(shown.open);
  EXPECT_EQ(shown.title, "Save terms list");
  EXPECT_EQ(shown.fileName, "*.txt") << "the preset name without its padding";
  ASSERT_EQ(shown.filters.size(), 1u);
  EXPECT_EQ(shown.filters[0], (std::pair<std::string, std::string>{"Text file (.txt)", "*.txt"}));
  EXPECT_TRUE(shown.confirmOverwrite);
  EXPECT_EQ(shown.owner, &owner);

  backend.AnswerFile("");
  dialog.open = true;
  EXPECT_EQ(fncShowOpenSaveDialog(dialog), "") << "cancelled";
  EXPECT_FALSE(backend.FileRequests().at(1).confirmOverwrite) << "an open chooser replaces nothing";
}

}  // namespace
}  // namespace dialogs
