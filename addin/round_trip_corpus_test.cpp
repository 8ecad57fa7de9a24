// Indexing and then removing the indexing over the shipped sample and real documents written by
// other programs: the text of every story, the fields, the bookmarks and the paragraphs' properties
// come back as they were. The corpus part skips, saying so, when the shared corpus is absent. The
// pass through the menu is also the fidelity suite: each corpus document is saved unchanged,
// indexed, given back, and its indexed copy opened by LibreOffice and python-docx; it prints one
// line per file and a total.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

#include <gtest/gtest.h>

#include "addin/connect.h"
#include "addin/remove_commands.h"
#include "host/model/fields.h"
#include "host/package/package.h"
#include "host/platform/error.h"
#include "host/testing/corpus.h"
#include "host/testing/other_programs.h"
#include "host/testing/same_parts.h"
#include "host/text/story.h"
#include "host/text/text.h"
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

// What indexing must leave as it found it: each story's text with its field codes shown, the
// names of the bookmarks, and each paragraph's properties (those of its mark aside, where the
// marking colours go).
struct Snapshot {
  std::vector<std::string> stories;
  std::multiset<std::string> bookmarks;
  std::vector<std::string> paragraphs;
  bool operator==(const Snapshot&) const = default;
};

// A paragraph's properties as XML, without its mark's run properties; a section's start type
// "nextPage" is what no type means.
std::string paragraphProperties(pugi::xml_node p) {
  std::ostringstream out;
  for (pugi::xml_node c : p.child("w:pPr").children()) {
    if (std::string_view(c.name()) == "w:rPr") continue;
    pugi::xml_document copy;
    pugi::xml_node own = copy.append_copy(c);
    if (pugi::xml_node type = own.child("w:type");
        type && std::string_view(type.attribute("w:val").value()) == "nextPage")
      own.remove_child(type);
    own.print(out, "", pugi::format_raw);
  }
  return out.str();
}

Snapshot snapshot(host::Document& doc) {
  Snapshot s;
  host::ViewState view = doc.View();
  doc.View().showFieldCodes = true;
  doc.View().showHiddenText = true;
  for (const auto& story : doc.stories()) s.stories.push_back(doc.makeRange(*story, 0, story->length()).Text());
  doc.View() = view;
  for (const std::string& part : doc.package().partNames()) {
    if (!part.ends_with(".xml") || part.find("word/") != 0) continue;
    for (pugi::xpath_node n : doc.package().xml(part).select_nodes("//*[local-name()='bookmarkStart']"))
      s.bookmarks.insert(n.node().attribute("w:name").value());
    for (pugi::xpath_node n : doc.package().xml(part).select_nodes("//w:p"))
      s.paragraphs.push_back(part + ": " + paragraphProperties(n.node()));
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

// The start of the last paragraph of the main text outside any table, field or content control
// (the add-in refuses those places), or -1.
long indexPlace(host::Document& doc) {
  host::Story& main = doc.mainStory();
  for (std::size_t b = main.blocks().size(); b-- > 0;) {
    if (main.blocks()[b].rowEnd) continue;
    const host::Range at = doc.Range(main.blockStart(b), main.blockStart(b));
    if (at.Information(host::wdInFieldCode) || at.Information(host::wdInFieldResult)) continue;
    if (at.TablesCount() == 0 && at.ContentControlsCount() == 0) return at.Start();
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
    EXPECT_EQ(after.paragraphs, before.paragraphs);
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
    for (const char* notice : {"Cannot index", "Tabs/returns found in terms", "Error"})
      backend_.Answer(notice, ui::vbOK);
  }
  void TearDown() override {
    connect_.AddinInstance_OnDisconnection(host::ext_dm_HostShutdown, custom_);
    RunTest::TearDown();
  }

  // Indexes the file from the menu and removes the indexing; false when the run refused it (its
  // quotes do not pair up) or it has no word to index or no place outside a table for the index.
  // With a path, the indexed document is also saved there.
  bool roundTrip(host::Document& doc, const fs::path& indexedCopy = {}) {
    const std::vector<std::string> words = someTerms(doc);
    const long place = indexPlace(doc);
    if (words.empty() || place < 0) return false;
    fallbackTerm_ = words.front();
    const Snapshot before = snapshot(doc);
    doc.Select(doc.Range(place, place));
    click("VLXIndexTag");
    if (!doc.Bookmarks().Exists("VellandexIndex")) return false;
    if (!indexedCopy.empty()) std::ofstream(indexedCopy, std::ios::binary) << doc.package().toBytes();
    click("RemoveIndexTag");
    auto reopened = host::testing::reopen(doc);
    const Snapshot after = snapshot(*reopened);
    EXPECT_EQ(after.bookmarks, before.bookmarks);
    EXPECT_EQ(after.stories, before.stories);
    EXPECT_EQ(after.paragraphs, before.paragraphs);
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
    for (std::size_t at = bytes.find(quote); at != std::string::npos; at = bytes.find(quote, at))
      bytes.replace(at, quote.size(), "\"");
  host::Document& straight = app_.Documents().Add(
      host::Document::FromBytes(curly.package().toBytes(), "straight.docx"));
  straight.package().setBytes("word/document.xml", bytes);
  auto reread = host::Document::FromBytes(straight.package().toBytes(), "straight.docx");
  app_.Documents().Close(straight);
  host::Document& straightDoc = app_.Documents().Add(std::move(reread));
  ASSERT_EQ(straightDoc.Content().Text().find("\u201C"), std::string::npos);
  EXPECT_TRUE(roundTrip(straightDoc));
}

// What became of one corpus document in the fidelity pass.
struct Verdict {
  std::string refusal;              // why it was not indexed, when it was not
  std::vector<std::string> faults;  // what went wrong
  std::string note;                 // what a pass should still say
};

// The failures the running test has recorded so far.
int failuresSoFar() {
  const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
  int n = 0;
  for (int i = 0; i < result.total_part_count(); ++i) n += result.GetTestPartResult(i).failed();
  return n;
}

// Opened and saved to a file: the same parts with the same bytes.
void expectSavedUnchanged(host::Document& doc, const fs::path& input, const fs::path& saved) {
  doc.SaveAs(saved.string());
  host::testing::expectSameParts(*host::Package::open(input.string()), *host::Package::open(saved.string()));
}

// What an indexed document holds that LibreOffice must show: the lines of our index result,
// and how many of our index entries stand in content controls.
struct Indexed {
  std::vector<std::string> lines;
  long entriesInContentControls = 0;
};

Indexed indexedFacts(const fs::path& file) {
  auto doc = host::Document::Open(file.string());
  Indexed facts;
  host::Story& main = doc->mainStory();
  for (const host::Field& field : host::fieldsIn(doc.get(), main, 0, main.length())) {
    const std::string code = field.Code().Text();
    if (code.find("VellandexIndex") == std::string::npos) continue;
    if (field.Type() == host::wdFieldIndexEntry) {
      facts.entriesInContentControls += doc->Range(field.Span().begin, field.Span().begin).ContentControlsCount() > 0;
      continue;
    }
    if (field.Type() != host::wdFieldIndex) continue;
    std::stringstream result(field.Result().Text());
    for (std::string line; std::getline(result, line, '\r');)
      if (!line.empty()) facts.lines.push_back(line);
  }
  return facts;
}

// LibreOffice 7.4 reads a block content control as one plain text input, field codes and all:
// the codes of our index entries in one show as text. Takes them out of the line; returns how
// many it took.
long withoutEntryCodes(std::string& line) {
  long taken = 0;
  for (std::size_t at = line.find(" XE \""); at != std::string::npos; at = line.find(" XE \"", at)) {
    const std::size_t end = line.find("\\f \"VellandexIndex\"", at);
    if (end == std::string::npos) break;
    line.erase(at, end + std::string("\\f \"VellandexIndex\"").size() - at);
    ++taken;
  }
  return taken;
}

// A line as compared: every double quote straight (indexing turns a document's quotes to the
// form most of them have), and each run of spaces and tabs one space (a tab typed inside the
// text of a run is a space to LibreOffice until the run is rewritten with its spaces kept).
std::string comparable(std::string line) {
  for (const std::string quote : {"\u201C", "\u201D", "\u201E", "\u00AB", "\u00BB"})
    for (std::size_t at = line.find(quote); at != std::string::npos; at = line.find(quote, at))
      line.replace(at, quote.size(), "\"");
  std::string out;
  for (char c : line) {
    const bool blank = c == ' ' || c == '\t';
    if (!blank) out += c;
    else if (out.empty() || out.back() != ' ') out += ' ';
  }
  return out;
}

// LibreOffice's text of the indexed copy holds every paragraph of its text of the input, in
// order (quotes and blanks aside), then the index heading and every line of our index.
void checkShownByLibreOffice(const fs::path& inputText, const fs::path& indexedText, const fs::path& indexed,
                             Verdict& verdict) {
  if (!fs::exists(indexedText)) return verdict.faults.push_back("LibreOffice did not open the indexed copy");
  if (!fs::exists(inputText)) return;  // LibreOffice cannot read the input itself: nothing to compare
  const Indexed facts = indexedFacts(indexed);
  std::vector<std::string> shown = host::testing::linesOf(indexedText);
  long codesShown = 0;
  for (std::string& line : shown) {
    codesShown += withoutEntryCodes(line);
    line = comparable(line);
  }
  if (codesShown > facts.entriesInContentControls)
    verdict.faults.push_back("LibreOffice shows " + std::to_string(codesShown) + " index-entry codes as text");
  else if (codesShown > 0)
    verdict.note = "LibreOffice 7.4 shows as text the codes of " + std::to_string(codesShown) +
                   " entries in content controls";
  std::size_t at = 0;
  int missing = 0;
  for (std::string paragraph : host::testing::linesOf(inputText)) {
    if (paragraph.empty()) continue;
    paragraph = comparable(paragraph);
    std::size_t found = at;
    while (found < shown.size() && shown[found] != paragraph) ++found;
    if (found == shown.size()) {
      if (missing++ == 0)
        verdict.faults.push_back("LibreOffice does not show the paragraph \"" + paragraph.substr(0, 60) + "\"");
      continue;
    }
    at = found + 1;
  }
  if (missing > 1) verdict.faults.push_back(std::to_string(missing) + " paragraphs missing or out of order in all");
  const auto heading = std::find_if(shown.begin(), shown.end(), [](const std::string& line) {
    return line.find("INDEX OF DEFINED TERMS") != std::string::npos;
  });
  if (heading == shown.end()) return verdict.faults.push_back("LibreOffice shows no index heading");
  for (const std::string& line : facts.lines)
    if (std::find(heading, shown.end(), comparable(line)) == shown.end())
      return verdict.faults.push_back("LibreOffice's index lacks the line \"" + line + "\"");
}

TEST_F(RoundTripThroughTheMenu, EveryCorpusDocumentThatIsIndexedComesBackAsItWas) {
  const std::vector<fs::path> files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << VLX_CORPUS_DIR;
  const std::string missingPrograms = host::testing::missingOtherPrograms();
  const fs::path work = folder_.path() / "fidelity";
  for (const char* sub : {"saved", "indexed"}) fs::create_directories(work / sub);
  std::map<fs::path, Verdict> verdicts;
  std::vector<fs::path> inputs, outputs;
  int indexed = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    Verdict& verdict = verdicts[file];
    const int failures = failuresSoFar();
    const std::size_t messages = backend_.Messages().size();
    std::unique_ptr<host::Document> doc;
    try {
      doc = host::Document::Open(file.string());
    } catch (const host::Error& e) {
      verdict.refusal = e.what();  // the model's tests check refusals; here it must only say why
      EXPECT_NE(verdict.refusal, "");
      continue;
    }
    host::Document& open = app_.Documents().Add(std::move(doc));
    expectSavedUnchanged(open, file, work / "saved" / file.filename());
    const fs::path copy = work / "indexed" / file.filename();
    if (roundTrip(open, copy)) {
      ++indexed;
      inputs.push_back(file);
      outputs.push_back(copy);
    } else {
      verdict.refusal = backend_.Messages().size() > messages ? backend_.Messages().back().prompt
                                                              : "no word to index or no place for an index";
    }
    app_.Documents().Close(open);
    if (failuresSoFar() > failures) verdict.faults.push_back("failures above");
  }
  EXPECT_GT(indexed, 50);

  if (!missingPrograms.empty()) {
    std::cout << "LibreOffice and python-docx are left out: " << missingPrograms << "\n";
  } else {
    // LibreOffice converts the inputs, then the indexed copies, each in one start.
    host::testing::convertToText(inputs, work / "input-text", work / "office-profile");
    host::testing::convertToText(outputs, work / "indexed-text", work / "office-profile");
    const auto inputsRead = host::testing::readWithPythonDocx(inputs);
    const auto outputsRead = host::testing::readWithPythonDocx(outputs);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      Verdict& verdict = verdicts[inputs[i]];
      const fs::path text = fs::path(inputs[i].filename()).replace_extension(".txt");
      checkShownByLibreOffice(work / "input-text" / text, work / "indexed-text" / text, outputs[i], verdict);
      if (inputsRead.at(inputs[i]).empty() && !outputsRead.at(outputs[i]).empty())
        verdict.faults.push_back("python-docx cannot read the indexed copy: " + outputsRead.at(outputs[i]));
    }
  }

  int passed = 0, failed = 0;
  for (const auto& [file, verdict] : verdicts) {
    std::string line = file.parent_path().filename().string() + "/" + file.filename().string();
    if (!verdict.faults.empty()) {
      line = "FAIL " + line + ":";
      for (const std::string& fault : verdict.faults) line += " " + fault + ";";
      line.pop_back();
    } else {
      line = "pass " + line +
             (verdict.refusal.empty() ? "" : " (not indexed: " + verdict.refusal.substr(0, 100) + ")") +
             (verdict.note.empty() ? "" : " (" + verdict.note + ")");
    }
    std::cout << line << "\n";
    verdict.faults.empty() ? ++passed : ++failed;
  }
  std::cout << passed << " passed, " << failed << " failed" << std::endl;
  EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace addin
