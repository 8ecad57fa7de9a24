#include "util/help.h"

#include <unistd.h>

#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace util {
namespace {

namespace fs = std::filesystem;

TEST(ShowHelpTopic, TopicZeroOpensTheContents) {
  ui::script::Backend backend;
  ShowHelpTopic(0);
  ASSERT_EQ(backend.Opened().size(), 1u);
  EXPECT_EQ(fs::path(backend.Opened()[0]).filename(), "index.html");
}

TEST(ShowHelpTopic, EachTopicOpensItsOwnShippedPage) {
  ui::script::Backend backend;
  const fs::path shipped = fs::path(VLX_SOURCE_DIR) / "docs" / "help";
  std::set<std::string> pages;
  for (int topic : {7, 11, 12, 13, 14, 15, 17, 18}) {
    ShowHelpTopic(topic);
    const fs::path opened = backend.Opened().back();
    EXPECT_TRUE(fs::is_regular_file(opened)) << opened;
    EXPECT_TRUE(fs::is_regular_file(shipped / opened.filename())) << "not shipped: " << opened.filename();
    pages.insert(opened.filename().string());
  }
  EXPECT_EQ(pages.size(), 8u);
  EXPECT_EQ(HelpPage(99), "index.html");
  EXPECT_EQ(HelpPage(-1), "index.html");
}

TEST(Faq, TheLocalPageWinsOverTheAddress) {
  const fs::path folder = fs::path(::testing::TempDir()) /
                          ("vlx_faq_" + std::to_string(getpid()));  // tests may run in parallel
  fs::remove_all(folder);
  fs::create_directories(folder);
  EXPECT_NE(FaqTarget(folder).find("://"), std::string::npos) << "no local page: the address";
  std::ofstream(folder / "vlxfaq.htm") << "<html></html>";
  EXPECT_EQ(FaqTarget(folder), (folder / "vlxfaq.htm").string());
  fs::remove_all(folder);
}

TEST(OpenWithShell, RelativePathsAreTakenFromTheAddinFolderAndAddressesUnchanged) {
  ui::script::Backend backend;
  OpenWithShell("vlxfaq.htm");
  OpenWithShell("https://vellandex.example/faq.htm");
  EXPECT_EQ(backend.Opened()[0], (AddinFolder() / "vlxfaq.htm").string());
  EXPECT_EQ(backend.Opened()[1], "https://vellandex.example/faq.htm");
  EXPECT_TRUE(AddinFolder().is_absolute());
}

}  // namespace
}  // namespace util
