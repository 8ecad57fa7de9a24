// Indexing and then removing the indexing over the shipped sample and real documents written
// by other programs: the text of every story, the fields and the bookmarks come back as they
// were. The corpus part skips, saying so, when the shared corpus is absent.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "addin/connect.h"
#include "addin/remove_commands.h"
#include "host/platform/error.h"
#include "host/text/story.h"
#include "host/text/text.h"
#include "host/testing/corpus.h"
#include "indexing/cmd_ok.h"
#include "indexing/test_support.h"
#include "ui/script/user.h"

namespace addin {
namespace {

namespace fs = std::filesystem;

// The corpus documents that have text to index: the valid files and the contracts.
std::vector<fs::path> corpusFiles() {
  std::vector<fs::path> files = host::testing::corpusDocuments("docx");
  const std::vector<fs::path> contracts = host::testing::corpusDocuments("contracts");
  files.insert(files.end(), contracts.begin(), contracts.end());
  std::sort(files.begin(), files.end());
  return files;
}

const fs::path kSample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";

// What indexing must leave as it found it: each story's text with its field codes shown, and
// the names of the bookmarks.
struct Snapshot {
  std::vector<std::string> stories;
  std::multiset<std::string> bookmarks;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(host::Document& doc) {
  Snapshot s;
  host::ViewState view = doc.View();
  doc.View().showFieldCodes = true;
  doc.View().showHiddenText = true;
  for (const auto& story : doc.stories())
    s.stories.push_back(doc.makeRange(*story, 0, story->length()).Text());
  doc.View() = view;
  for (const std::string& part : doc.package().partNames()) {
    if (!part.ends_with(".xml") || part.find("word/") != 0) continue;
    for (pugi::xpath_node n : doc.package().xml(part).select_nodes("//*[local-name()='bookmarkStart']"))
      s.bookmarks.insert(n.node().attribute("w:name").value());
  }
  return s;
}

// Up to four capitalised words of the main text, of four letters or more.
std::vector<std::string> someTerms(host::Document& doc) {
  std::vector<std::string> terms;
  const host::Text text = host::toText(doc.Content().Text());
  for (std::size_t i = 0; i < text.size() && terms.size() < 4;) {
    std::size_t j = i;
    while (j < text.size() && ((text[j] >= u'a' && text[j] <= u'z') || (text[j] >= u'A' && text[j] <= u'Z'))) ++j;
    if (j - i >= 4 && text[i] >= u'A' && text[i] <= u'Z') {
      std::string word = host::toUtf8(text.substr(i, j - i));
      if (std::find(terms.begin(), terms.end(), word) == terms.end()) terms.push_back(word);
    }
    i = j == i ? i + 1 : j;
  }
  return terms;
}

// The start of the last paragraph of the main text outside any table, or -1.
long indexPlace(host::Document& doc) {
  host::Story& main = doc.mainStory();
  for (std::size_t b = main.blocks().size(); b-- > 0;) {
    const host::Block& block = main.blocks()[b];
    if (block.rowEnd) continue;
    if (doc.Range(main.blockStart(b), main.blockStart(b)).TablesCount() == 0) return main.blockStart(b);
  }
  return -1;
}

class RoundTripCorpus : public indexing::testing::RunTest {
 protected:
  // Indexes a few of the file's capitalised words (with both lists) and removes the indexing
  // again; false when the file has no such word or no place for an index.
  bool roundTrip(const fs::path& file) {
    host::Document& doc = app_.Documents().Add(host::Document::Open(file.string()));
    state::pubWdDoc = &doc;
    const std::vector<std::string> terms = someTerms(doc);
    const long place = indexPlace(doc);
    if (terms.empty() || place < 0) {
      app_.Documents().Close(doc);
      return false;
    }
    const Snapshot before = snapshot(doc);
    doc.Bookmarks().Add("IndexBKStart", doc.Range(place, place));
    dialogs::frmVLX_COM form;
    fillDialog(form, terms, {"Zzyzx"});
    form.chkIncludeNotUsed.SetValue(ui::vbChecked);
    form.chkIncludeNotFound.SetValue(ui::vbChecked);

    indexing::cmdOK_Click(form);
    EXPECT_TRUE(doc.Bookmarks().Exists("VellandexIndexNotFoundList"));
    RemoveIndexing(app_, &doc);

    auto reopened = host::testing::reopen(doc);
    const Snapshot after = snapshot(*reopened);
    EXPECT_EQ(after.bookmarks, before.bookmarks);
    EXPECT_EQ(after.stories.size(), before.stories.size());
    for (std::size_t k = 0; k < std::min(before.stories.size(), after.stories.size()); ++k)
      EXPECT_EQ(after.stories[k], before.stories[k]) << "story " << k;
    app_.Documents().Close(doc);
    state::pubWdDoc = nullptr;
    return true;
  }
};

TEST_F(RoundTripCorpus, TheSampleContractComesBackAsItWas) { EXPECT_TRUE(roundTrip(kSample)); }

TEST_F(RoundTripCorpus, EveryCorpusDocumentComesBackAsItWas) {
  const std::vector<fs::path> files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << VLX_CORPUS_DIR;
  backend_.Answer("Error", ui::vbOK);  // a term the engine cannot index somewhere is reported and passed over
  int checked = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    try {
      if (roundTrip(file)) ++checked;
    } catch (const host::Error& e) {
      if (state::pubWdDoc) ADD_FAILURE() << e.what();  // refused files are the model's tests' business
      state::pubWdDoc = nullptr;
    }
  }
  EXPECT_GT(checked, 50);
}

// The same through the whole road a user's click takes, quote conversions included: the terms
// in quotes with the default options, or, where the document quotes none, a word the user adds.
class RoundTripThroughTheMenu : public indexing::testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    connect_.AddinInstance_OnConnection(app_, host::ext_cm_Startup, instance_, custom_);
    backend_.OnModal("frmVLXOptions", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdOK")); });
    backend_.OnModal("frmVLXRemoveArticles", [](ui::Form& f) { ui::script::Click(*f.FindControl("cmdCancel")); });
    backend_.OnModal("frmVLX_COM", [this](ui::Form& f) {
      auto& found = dynamic_cast<ui::ListBox&>(*f.FindControl("lstTermsInDoc"));
      // Two quotes paired across paragraphs or cells are no term: the user leaves them out.
      for (int i = 0; i < found.ListCount(); ++i)
        if (found.List(i).find_first_of("\r\a\v\n\t\b") != std::string::npos) found.SetSelected(i, false);
      if (found.SelCount() == 0) {
        ui::script::Type(dynamic_cast<ui::TextBox&>(*f.FindControl("txtAddTerm")), fallbackTerm_);
        ui::script::Click(*f.FindControl("cmdAddTerm"));
      }
      ui::script::Click(*f.FindControl("cmdOK"));
    });
    // What a careful user answers: stop where the quotes do not pair up, go on past notices.
    backend_.Answer("Mis-matched double quotes", ui::vbNo);
    backend_.Answer("Do you want to change which kind of double quotes VLX should search for?", ui::vbNo);
    for (const char* notice : {"Cannot index", "Tabs/returns found in terms", "Error"}) backend_.Answer(notice, ui::vbOK);
  }
  void TearDown() override {
    connect_.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom_);
    RunTest::TearDown();
  }

  // Indexes the file from the menu and removes the indexing; false when the run refused it (its
  // quotes do not pair up) or it has no word to index or no place outside a table for the index.
  bool roundTrip(host::Document& doc) {
    const std::vector<std::string> words = someTerms(doc);
    const long place = indexPlace(doc);
    if (words.empty() || place < 0) return false;
    fallbackTerm_ = words.front();
    const Snapshot before = snapshot(doc);
    doc.Select(doc.Range(place, place));
    click("VLXIndexTag");
    if (!doc.Bookmarks().Exists("VellandexIndex")) return false;
    click("RemoveIndexTag");
    auto reopened = host::testing::reopen(doc);
    const Snapshot after = snapshot(*reopened);
    EXPECT_EQ(after.bookmarks, before.bookmarks);
    EXPECT_EQ(after.stories, before.stories);
    return true;
  }

  void click(const char* tag) {
    host::CommandBarControl popup = app_.CommandBars().Item("Tools").FindControl(host::msoControlPopup, 0, "VLXMenu");
    for (long i = 1; i <= popup.Controls().Count(); ++i)
      if (popup.Controls().Item(i).Tag() == tag) popup.Controls().Item(i).Execute();
  }

  host::testing::EnvGuard config_{"XDG_CONFIG_HOME", folder_.path().string()};
  Connect connect_{[] { return 1L; }};
  host::AddInInstance instance_{Connect::kProgId, ""};
  host::CustomArray custom_{host::kStartedByUser};
  std::string fallbackTerm_;
};

TEST_F(RoundTripThroughTheMenu, TheSampleComesBackWithItsOwnQuotesCurlyOrStraight) {
  host::Document& curly = app_.Documents().Open(kSample.string());
  EXPECT_TRUE(roundTrip(curly));
  // The same contract written with straight quotes keeps them.
  std::string bytes = curly.package().bytes("word/document.xml");
  for (const std::string quote : {"\u201C", "\u201D"})
    for (std::size_t at = bytes.find(quote); at != std::string::npos; at = bytes.find(quote, at)) bytes.replace(at, quote.size(), "\"");
  host::Document& straight = app_.Documents().Add(host::Document::FromBytes(curly.package().toBytes(), "straight.docx"));
  straight.package().setBytes("word/document.xml", bytes);
  auto reread = host::Document::FromBytes(straight.package().toBytes(), "straight.docx");
  app_.Documents().Close(straight);
  host::Document& straightDoc = app_.Documents().Add(std::move(reread));
  ASSERT_EQ(straightDoc.Content().Text().find("\u201C"), std::string::npos);
  EXPECT_TRUE(roundTrip(straightDoc));
}

TEST_F(RoundTripThroughTheMenu, EveryCorpusDocumentThatIsIndexedComesBackAsItWas) {
  const std::vector<fs::path> files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << VLX_CORPUS_DIR;
  int indexed = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    std::unique_ptr<host::Document> doc;
    try {
      doc = host::Document::Open(file.string());
    } catch (const host::Error&) {
      continue;  // refused files are the model's tests' business
    }
    host::Document& open = app_.Documents().Add(std::move(doc));
    if (roundTrip(open)) ++indexed;
    app_.Documents().Close(open);
  }
  EXPECT_GT(indexed, 50);
}

}  // namespace
}  // namespace addin
