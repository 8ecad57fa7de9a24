#include "dialogs/frm_vlx_about_com.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "ui/script/backend.h"
#include "ui/script/user.h"

namespace dialogs {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
    out.push_back(text.substr(from, end - from));
  out.push_back(text.substr(from));
  return out;
}

TEST(AboutBox, NameThenTheBuildsMajorMinorAndRevisionThenTheNotice) {
  ui::script::Backend backend;
  frmVLXAbout_COM about;
  about.Load();
  const std::vector<std::string> text = lines(about.Label1.Caption());
  ASSERT_GE(text.size(), 5u);
  EXPECT_EQ(text[0], "Vellandex\u2122");
  EXPECT_EQ(text[1], "");
  EXPECT_TRUE(std::regex_match(text[2], std::regex("Version [0-9]+\\.[0-9]+\\.[0-9]+"))) << text[2];
  // The build's version, without a fourth (build) number.
  const std::string project = VLX_PROJECT_VERSION;
  std::smatch three;
  ASSERT_TRUE(std::regex_search(project, three, std::regex("^[0-9]+\\.[0-9]+\\.[0-9]+")));
  EXPECT_EQ(text[2], "Version " + three.str());
  EXPECT_EQ(text[3], "");
  EXPECT_FALSE(text[4].empty()) << "the notice";
  EXPECT_NE(about.Label1.Caption().find("report problems"), std::string::npos);
  EXPECT_EQ(about.Caption(), "About");
}

TEST(AboutBox, TheLogoIsTheDrawingShippedWithTheHelpPages) {
  ui::script::Backend backend;
  frmVLXAbout_COM about;
  about.Load();
  const std::filesystem::path logo = about.Image1.Picture();
  ASSERT_TRUE(std::filesystem::is_regular_file(logo)) << logo;
  EXPECT_EQ(logo.filename(), "vellandex-logo.svg");
  std::ifstream in(logo);
  std::ostringstream svg;
  svg << in.rdbuf();
  EXPECT_NE(svg.str().find("<svg"), std::string::npos);
}

// Records whether the box was still visible when it went.
struct WatchedAbout : frmVLXAbout_COM {
  bool visibleAtUnload = true;
  void Form_Unload(int& /*cancel*/) override { visibleAtUnload = Visible(); }
};

TEST(AboutBox, OkEscapeOrTheCloseBoxHideIt) {
  ui::script::Backend backend;
  backend.OnModalOnce("frmVLXAbout_COM", [](ui::Form& form) { ui::script::Click(*form.FindControl("cmdOK")); });
  backend.OnModalOnce("frmVLXAbout_COM",
                      [](ui::Form& form) { ui::script::PressKey(*form.FindControl("cmdOK"), ui::vbKeyEscape); });
  WatchedAbout about;
  for (int i = 0; i < 2; ++i) {
    about.Show(ui::vbModal);
    EXPECT_FALSE(about.Visible());
    EXPECT_TRUE(about.Loaded()) << "the caller releases it";
  }
  backend.OnModalOnce("frmVLXAbout_COM", [](ui::Form& form) { ui::script::CloseWindow(form); });
  about.Show(ui::vbModal);
  EXPECT_FALSE(about.Loaded());
  EXPECT_FALSE(about.visibleAtUnload) << "hidden before it goes";
}

}  // namespace
}  // namespace dialogs
