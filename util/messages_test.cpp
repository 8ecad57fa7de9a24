#include "util/messages.h"

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace util {
namespace {

TEST(ShowErrMsg, ShowsNumberAndDescriptionUnderTheContextWithoutIcon) {
  ui::script::Backend backend;
  backend.Answer("Error setting defaults", ui::vbOK);
  ShowErrMsg("Error setting defaults", 5986, "This command is not available because no document is open.");
  ASSERT_EQ(backend.Messages().size(), 1u);
  const ui::Message& shown = backend.Messages()[0];
  EXPECT_EQ(shown.prompt, "Error: 5986 This command is not available because no document is open.");
  EXPECT_EQ(shown.Buttons(), ui::vbOKOnly);
  EXPECT_EQ(shown.Icon(), 0);
}

TEST(ShowErrMsg, AnEmptyContextGivesTheApplicationsTitle) {
  ui::script::Backend backend;
  backend.Answer("Vellandex", ui::vbOK);
  ShowErrMsg("", 5, "Invalid procedure call or argument");
  EXPECT_EQ(backend.Messages().at(0).title, "Vellandex");
}

TEST(ShowWarningMsg, ShowsAnExclamationAndOk) {
  ui::script::Backend backend;
  backend.Answer("Ini file problem", ui::vbOK);
  ShowWarningMsg("There is a problem with the ini file. Please reinstall to try to fix the problem.",
                 "Ini file problem");
  const ui::Message& shown = backend.Messages().at(0);
  EXPECT_EQ(shown.Icon(), ui::vbExclamation);
  EXPECT_EQ(shown.Buttons(), ui::vbOKOnly);
}

}  // namespace
}  // namespace util
