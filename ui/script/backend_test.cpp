#include "ui/script/backend.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace ui::script {
namespace {

TEST(ScriptedMessages, AnsweredByTitleOrByTextAndRecorded) {
  Backend backend;
  backend.Answer("Confirm delete", vbYes);
  backend.Answer("already in the list", vbOK);
  EXPECT_EQ(MsgBox("Delete selected term(s) from list?", vbYesNo, "Confirm delete"), vbYes);
  EXPECT_EQ(MsgBox("Term is already in the list of defined terms.", vbOKOnly, "Already on list"), vbOK);
  ASSERT_EQ(backend.Messages().size(), 2u);
  const Message& first = backend.Messages()[0];
  EXPECT_EQ(first.title, "Confirm delete");
  EXPECT_EQ(first.Buttons(), vbYesNo);
  EXPECT_EQ(first.Icon(), 0);
  EXPECT_EQ(first.result, vbYes);
}

TEST(ScriptedMessages, ATitleMatchWinsOverATextMatchAndOnceAnswersComeFirst) {
  Backend backend;
  backend.Answer("Save", vbNo);  // found in the text below
  backend.Answer("Save all or selected?", vbCancel);
  backend.AnswerOnce("Save all or selected?", vbYes);
  const std::string prompt = "Save selected items only?  Click Yes ...";
  EXPECT_EQ(MsgBox(prompt, vbYesNoCancel + vbQuestion, "Save all or selected?"), vbYes);
  EXPECT_EQ(MsgBox(prompt, vbYesNoCancel + vbQuestion, "Save all or selected?"), vbCancel);
  EXPECT_EQ(MsgBox(prompt, vbYesNoCancel + vbQuestion, "Other"), vbNo);
}

TEST(ScriptedMessages, AnUnexpectedBoxIsAnErrorAndStillRecorded) {
  Backend backend;
  EXPECT_THROW(MsgBox("Highlighting removed from indexed terms.", vbInformation, "Done"), ScriptError);
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_EQ(backend.Messages()[0].Icon(), vbInformation);
}

TEST(ScriptedMessages, AnAnswerTheBoxDoesNotOfferIsAnError) {
  Backend backend;
  backend.Answer("Done", vbYes);
  EXPECT_THROW(MsgBox("Defined terms index updated.", vbOKOnly, "Done"), ScriptError);
}

TEST(ScriptedMessages, UnscriptedBoxesTakeTheDefaultButtonWhenAllowed) {
  Backend backend(Unscripted::Default);
  EXPECT_EQ(MsgBox("?", vbYesNo + vbDefaultButton2), vbNo);
  EXPECT_EQ(MsgBox("?", vbYesNoCancel + vbDefaultButton3), vbCancel);
  EXPECT_EQ(MsgBox("!", vbOKOnly + vbDefaultButton3), vbOK) << "a default past the last button is the last";
  EXPECT_EQ(backend.Messages()[0].title, "Vellandex") << "an empty title is the application's";
}

TEST(ScriptedMessages, TheFallbackAnswersWhatNoRuleFitsAndMustOfferTheButton) {
  Backend backend;
  backend.Answer("Keep", vbNo);
  std::vector<std::string> asked;
  backend.AnswerOthers([&](const Message& message) {
    asked.push_back(message.title);
    return message.Buttons() == vbYesNo ? vbYes : vbOK;
  });
  EXPECT_EQ(MsgBox("?", vbYesNo, "Keep"), vbNo) << "a rule wins over the fallback";
  EXPECT_EQ(MsgBox("?", vbYesNo + vbDefaultButton2, "Other"), vbYes);
  EXPECT_EQ(MsgBox("!", vbOKOnly, "Note"), vbOK);
  EXPECT_EQ(asked, (std::vector<std::string>{"Other", "Note"}));
  EXPECT_THROW(MsgBox("?", vbRetryCancel, "Retry"), ScriptError) << "OK is no button of a Retry/Cancel box";
}

TEST(ScriptedMessages, ButtonNamesFromTheCommandLine) {
  EXPECT_EQ(ResultFromName("Yes"), vbYes);
  EXPECT_EQ(ResultFromName("CANCEL"), vbCancel);
  EXPECT_EQ(ResultFromName("maybe"), std::nullopt);
}

TEST(ScriptedMessages, AnObserverSeesEachAnsweredBox) {
  Backend backend;
  backend.Answer("T", vbOK);
  std::vector<std::string> seen;
  backend.OnMessage([&](const Message& message) { seen.push_back(message.prompt); });
  MsgBox("one", vbOKOnly, "T");
  EXPECT_EQ(seen, std::vector<std::string>{"one"});
}

class ScriptedFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(::testing::TempDir()) /
              ("vlx_ui_files_" + std::to_string(getpid()));  // tests may run in parallel
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(ScriptedFiles, SavingOverAFileAsksAndNoLetsTheUserChooseAgain) {
  Backend backend;
  const std::string existing = (folder_ / "terms.txt").string();
  std::ofstream(existing) << "x";
  backend.AnswerFile(existing);
  backend.AnswerFile((folder_ / "other").string());
  backend.AnswerOnce("Save terms list", vbNo);
  FileRequest request{false, "Save terms list", "", {{"Text file (.txt)", "*.txt"}}, 1, "*.txt", "txt", true};
  EXPECT_EQ(ChooseFile(request), (folder_ / "other.txt").string()) << "the default extension is added";
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_EQ(backend.Messages()[0].prompt, "terms.txt already exists.\nDo you want to replace it?");
  ASSERT_EQ(backend.FileRequests().size(), 1u);
  EXPECT_EQ(backend.FileRequests()[0].fileName, "*.txt");
}

TEST_F(ScriptedFiles, AnEmptyAnswerCancelsAndAnUnscriptedChooserIsAnError) {
  Backend backend;
  backend.AnswerFile("");
  FileRequest request;
  request.title = "Load terms list";
  EXPECT_EQ(ChooseFile(request), "");
  EXPECT_THROW(ChooseFile(request), ScriptError);
  Backend lenient(Unscripted::Default);
  EXPECT_EQ(ChooseFile(request), "");
}

struct Closable : Form {
  explicit Closable(bool closeBox) : Form("frmClosable") { SetControlBox(closeBox); }
  int closedFromTitleBar = 0;

 protected:
  void Form_QueryUnload(int&, int mode) override { closedFromTitleBar += mode == vbFormControlMenu; }
};

TEST(ScriptedForms, AModalFormWithoutScriptIsAnErrorUnlessDefaultsAreAllowed) {
  {
    Backend backend;
    Closable form(true);
    EXPECT_THROW(form.Show(vbModal), ScriptError);
    EXPECT_FALSE(form.Visible());
  }
  Backend backend(Unscripted::Default);
  Closable form(true);
  form.Show(vbModal);
  EXPECT_EQ(form.closedFromTitleBar, 1) << "the user closed it by its close box";
  EXPECT_FALSE(form.Loaded());
}

TEST(ScriptedForms, AFormLeftOpenWithoutCloseBoxIsAnError) {
  Backend backend;
  backend.OnModal("frmClosable", [](Form&) {});
  Closable form(false);
  EXPECT_THROW(form.Show(vbModal), ScriptError);
}

TEST(ScriptedForms, OnceScriptsRunBeforeTheStandingOne) {
  Backend backend;
  std::vector<std::string> runs;
  backend.OnModal("frmClosable", [&](Form& form) { runs.push_back("always"), form.Hide(); });
  backend.OnModalOnce("frmClosable", [&](Form& form) { runs.push_back("once"), form.Hide(); });
  Closable form(false);
  form.Show(vbModal);
  form.Show(vbModal);
  EXPECT_EQ(runs, (std::vector<std::string>{"once", "always"}));
}

TEST(ScriptedDesktop, OpenedTargetsAreRecordedAndWidthsCountCharacters) {
  Backend backend;
  OpenExternal("/usr/share/doc/help.html");
  EXPECT_EQ(backend.Opened(), std::vector<std::string>{"/usr/share/doc/help.html"});
  EXPECT_EQ(Backend::TextWidth("W"), 8);
  EXPECT_EQ(Backend::TextWidth("\xE2\x80\x9CTerm\xE2\x80\x9D"), 48) << "six characters, not ten bytes";
}

}  // namespace
}  // namespace ui::script
