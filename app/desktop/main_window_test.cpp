// The desktop host as a user meets it: the add-in loaded at start-up through its registration,
// its menu in the window's Tools menu, its commands run from there with the result shown, the
// document saved, and the host's own questions. The scripted user answers the dialogs.
#include "app/desktop/main_window.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/desktop/desktop_host.h"
#include "app/desktop/document_view.h"
#include "app/desktop/test_support.h"
#include "host/model/document.h"
#include "host/platform/config_dirs.h"
#include "host/testing/test_documents.h"
#include "ui/script/backend.h"
#include "ui/script/user.h"

// Fontconfig keeps its caches until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace app::desktop {
namespace {

namespace fs = std::filesystem;
using testing::App;
using testing::BarMenu;
using testing::Opened;
using testing::RegisteredConfig;
using testing::Settle;

const fs::path kSample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";

QStringList captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions())
    if (!a->isSeparator()) out << a->text();
  return out;
}

// The Vellandex popup of the window's Tools menu, drawn as the user opens it.
QMenu* vellandexMenu(MainWindow& window) {
  QMenu* tools = Opened(BarMenu(*window.menuBar(), "Tools"));
  return tools ? tools->findChild<QMenu*>("VLXMenu") : nullptr;
}

// Chooses a button of the Vellandex popup and lets its command run.
void choose(MainWindow& window, const char* tag) {
  QMenu* menu = vellandexMenu(window);
  ASSERT_TRUE(menu);
  QAction* action = menu->findChild<QAction*>(tag);
  ASSERT_TRUE(action) << tag;
  action->trigger();
  Settle();
}

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DesktopTest : public ::testing::Test {
 protected:
  QApplication& qt_ = App();
  RegisteredConfig config_;
  ui::script::Backend user_;
};

TEST_F(DesktopTest, TheAddInsMenuAppearsInTheToolsMenuAndGoesWhenTheHostExits) {
  {
    DesktopHost desktop(config_.hostFolder(), host::ComponentRegistry::DefaultFolders());
    desktop.start("");
    EXPECT_EQ(desktop.connectedAddIns(), std::vector<std::string>{kAddInProgId});
    MainWindow& window = desktop.window();
    QMenu* tools = Opened(BarMenu(*window.menuBar(), "Tools"));
    ASSERT_TRUE(tools);
    EXPECT_TRUE(tools->menuAction()->isVisible());
    EXPECT_EQ(captions(tools), (QStringList{"Vellande&x", "COM Add-Ins..."}));
    EXPECT_EQ(captions(vellandexMenu(window)),
              (QStringList{"&Find and index", "&Remove indexing", "Remove &highlighting only", "&Update index"}));
    EXPECT_FALSE(BarMenu(*window.menuBar(), "Edit")->menuAction()->isVisible());  // nothing in it
    EXPECT_EQ(window.windowTitle(), "Vellandex");

    // The host's built-in command lists the add-ins.
    user_.Answer("COM Add-Ins", ui::vbOK);
    for (QAction* a : Opened(BarMenu(*window.menuBar(), "Tools"))->actions())
      if (a->text() == "COM Add-Ins...") a->trigger();
    Settle();
    ASSERT_EQ(user_.Messages().size(), 1u);
    EXPECT_EQ(user_.Messages()[0].prompt,
              "Vellandex (VLXDLLCOM.Connect): Vellandex add-in; loaded, loads at start-up.\n\n"
              "`vellandex register` registers the Vellandex add-in; `vellandex unregister` removes it.");

    // A button's command runs: without a document it says so.
    user_.Answer("No document to index", ui::vbOK);
    choose(window, "VLXIndexTag");
    ASSERT_EQ(user_.Messages().size(), 2u);
    EXPECT_EQ(user_.Messages()[1].prompt, "At least 1 document needs to be open to run the indexer.");
  }
  // The add-in took its popup away and saved the customization; the built-in command stays.
  host::Application after(config_.hostFolder());
  host::CommandBar tools = after.CommandBars().Item("Tools");
  EXPECT_FALSE(tools.FindControl(host::msoControlPopup, 0, "VLXMenu"));
  EXPECT_TRUE(tools.FindControl(0, host::kComAddInsControlId));
  EXPECT_NE(readFile(config_.folder() / "Vellandex" / "settings.ini").find("DisplayOnConnect=0"), std::string::npos);
}

TEST_F(DesktopTest, FindAndIndexRunsFromTheMenuAndTheWindowShowsTheResultAndSavesIt) {
  fs::copy_file(kSample, config_.folder() / "contract.docx");
  DesktopHost desktop(config_.hostFolder(), host::ComponentRegistry::DefaultFolders());
  desktop.start((config_.folder() / "contract.docx").string());
  MainWindow& window = desktop.window();
  ASSERT_TRUE(window.document());
  host::Document& doc = *window.document();
  EXPECT_EQ(window.windowTitle(), "contract.docx[*] - Vellandex");
  EXPECT_FALSE(window.isWindowModified());
  // The index goes into an empty paragraph at the end.
  const long end = doc.Content().End() - 1;
  doc.Range(end, end).InsertParagraphAfter();
  doc.Range(doc.Content().End() - 1, doc.Content().End() - 1).Select();

  bool busyDuringTheRun = false;
  user_.OnModal("frmVLXOptions", [](ui::Form& form) { ui::script::Click(*form.FindControl("cmdOK")); });
  user_.OnModal("frmVLX_COM", [&](ui::Form& form) {
    // While the command runs the window takes no other command.
    busyDuringTheRun = window.busy() && !window.openFile(kSample.string()) && !window.closeDocument();
    ui::script::Click(*form.FindControl("cmdOK"));
  });
  choose(window, "VLXIndexTag");
  EXPECT_TRUE(busyDuringTheRun);
  ASSERT_TRUE(doc.Bookmarks().Exists("VellandexIndex"));
  QStringList shown = window.textView()->paragraphTexts();
  EXPECT_TRUE(shown.contains("INDEX OF DEFINED TERMS"));
  EXPECT_FALSE(shown.filter(QRegularExpression("^Agreement: *\\t[0-9, ]+$")).isEmpty())
      << shown.join("\n").toStdString();
  EXPECT_TRUE(window.isWindowModified());
  EXPECT_TRUE(window.textView()->caretInViewport());  // the view went to the index, where the cursor is

  user_.Answer("Update only?", ui::vbYes);
  user_.Answer("Done", ui::vbOK);
  choose(window, "UpdateTag");
  EXPECT_EQ(user_.Messages().back().prompt, "Defined terms index updated.");
  choose(window, "RemoveHighlightTag");
  EXPECT_EQ(user_.Messages().back().prompt, "Highlighting removed from indexed terms.");
  choose(window, "RemoveIndexTag");
  EXPECT_FALSE(doc.Bookmarks().Exists("VellandexIndex"));
  EXPECT_FALSE(window.textView()->paragraphTexts().contains("INDEX OF DEFINED TERMS"));

  const fs::path saved = config_.folder() / "saved.docx";
  user_.AnswerFile(saved.string());
  ASSERT_TRUE(window.saveAs());
  EXPECT_EQ(user_.FileRequests().back().defaultExtension, "docx");
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(window.windowTitle(), "saved.docx[*] - Vellandex");
  auto reread = host::Document::Open(saved.string());
  EXPECT_FALSE(reread->Bookmarks().Exists("VellandexIndex"));
  EXPECT_EQ(reread->Content().Text(), doc.Content().Text());
}

TEST_F(DesktopTest, UnsavedChangesAreAskedAboutAndABadFileLeavesTheOpenDocumentAlone) {
  const fs::path file = config_.folder() / "contract.docx";
  fs::copy_file(kSample, file);
  const std::string original = readFile(file);
  DesktopHost desktop(config_.hostFolder(), {});
  desktop.start(file.string());
  MainWindow& window = desktop.window();
  auto change = [&] {
    window.document()->Content().InsertBefore("Draft. ");
    window.documentChanged();
  };
  change();
  EXPECT_TRUE(window.isWindowModified());

  const std::string question = "Do you want to save the changes you made to contract.docx?";
  user_.AnswerOnce(question, ui::vbCancel);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.document());

  // A file that is not a document is refused; the open one stays.
  std::ofstream(config_.folder() / "notes.docx") << "plain text";
  user_.Answer("Cannot open the document", ui::vbOK);
  EXPECT_FALSE(window.openFile((config_.folder() / "notes.docx").string()));
  EXPECT_EQ(user_.Messages().back().title, "Cannot open the document");
  EXPECT_TRUE(window.document());

  // Save As takes .docx files only.
  user_.Answer("Cannot save the document", ui::vbOK);
  user_.AnswerFile((config_.folder() / "contract.txt").string());
  EXPECT_FALSE(window.saveAs());
  EXPECT_FALSE(fs::exists(config_.folder() / "contract.txt"));

  user_.AnswerOnce(question, ui::vbNo);
  EXPECT_TRUE(window.closeDocument());
  EXPECT_FALSE(window.document());
  EXPECT_EQ(readFile(file), original);
  EXPECT_EQ(window.windowTitle(), "Vellandex");

  ASSERT_TRUE(window.openFile(file.string()));
  change();
  user_.AnswerOnce(question, ui::vbYes);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(host::Document::Open(file.string())->Content().Text().rfind("Draft. ", 0), 0u);
  const std::vector<ui::Message>& asked = user_.Messages();
  EXPECT_EQ(std::count_if(asked.begin(), asked.end(), [&](const ui::Message& m) { return m.prompt == question; }), 3);
}

// This process and another one run under the desktop host's name while the test lasts.
class TwoHosts {
 public:
  TwoHosts() {
    ::prctl(PR_GET_NAME, name_, 0, 0, 0);
    ::prctl(PR_SET_NAME, host::kHostProcessName, 0, 0, 0);
    other_ = ::fork();
    if (other_ == 0) {
      ::prctl(PR_SET_NAME, host::kHostProcessName, 0, 0, 0);
      ::pause();
      ::_exit(0);
    }
  }
  ~TwoHosts() {
    ::kill(other_, SIGKILL);
    ::waitpid(other_, nullptr, 0);
    ::prctl(PR_SET_NAME, name_, 0, 0, 0);
  }
  // Waits until the other process has taken the name.
  bool ready() const { return testing::RunsAsDesktopHost(other_); }

 private:
  char name_[17] = {};
  pid_t other_ = -1;
};

TEST_F(DesktopTest, ASecondRunningDesktopHostGetsNoMenuAndLeavesTheFirstOnesCustomizationAlone) {
  TwoHosts hosts;
  ASSERT_TRUE(hosts.ready());
  {
    DesktopHost desktop(config_.hostFolder(), host::ComponentRegistry::DefaultFolders());
    desktop.start("");
    EXPECT_EQ(desktop.connectedAddIns(), std::vector<std::string>{kAddInProgId});
    EXPECT_FALSE(vellandexMenu(desktop.window()));
    EXPECT_FALSE(BarMenu(*desktop.window().menuBar(), "Tools")->menuAction()->isVisible());
  }
  EXPECT_FALSE(fs::exists(config_.hostFolder() / "customization.json"));
  EXPECT_FALSE(fs::exists(config_.folder() / "Vellandex" / "settings.ini"));
}

}  // namespace
}  // namespace app::desktop
