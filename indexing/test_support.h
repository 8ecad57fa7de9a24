#pragma once
// What the tests of an indexing pass share: a run's process-wide values set up (settings in a
// temporary folder, the engine, the progress controller, the scripted user, an application
// holding the run's document), a main dialog filled as the user leaves it, and readers of the
// saved document. Header-only, for tests.

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "engine/cls_osvlx_lib.h"
#include "engine/testing/forwarding_engine.h"
#include "host/platform/error.h"
#include "host/shell/application.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"
#include "progress/cls_prog_form.h"
#include "settings/locations.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "ui/script/backend.h"

namespace indexing::testing {

/// The index-entry code the pass writes for a term.
inline std::string entryCode(const std::string& term) { return " XE \"" + term + "\" \\f \"VellandexIndex\""; }

/// The codes of the fields of one story, in order ({} when the document has no such story).
inline std::vector<std::string> fieldCodes(host::Document& doc, int storyType) {
  std::vector<std::string> out;
  host::Story* story = doc.story(storyType);
  if (!story) return out;
  for (const host::Field& f : host::fieldsIn(&doc, *story, 0, story->length())) out.push_back(f.Code().Text());
  return out;
}

/// The paragraphs of the main text as the reader sees them (hidden entries left out).
inline std::vector<std::string> mainParagraphs(host::Document& doc) {
  std::vector<std::string> out;
  std::stringstream text(doc.Content().Text());
  std::string line;
  while (std::getline(text, line, '\r')) out.push_back(line);
  return out;
}

/// The text of every run of a part whose properties carry the marking colours.
inline std::vector<std::string> markedTexts(host::Document& doc, const std::string& part) {
  std::vector<std::string> out;
  if (!doc.package().has(part)) return out;
  for (pugi::xpath_node n : doc.package().xml(part).select_nodes(
           "//w:r[w:rPr/w:color/@w:val='F3F3F3' and w:rPr/w:highlight/@w:val='red']/w:t"))
    out.push_back(n.node().text().get());
  return out;
}

/// The fields of a document's main text whose type is the index's.
inline std::vector<host::Field> indexFields(host::Document& doc) {
  std::vector<host::Field> out;
  for (host::Field f : doc.Fields())
    if (f.Type() == host::wdFieldIndex) out.push_back(f);
  return out;
}

/// The text a bookmark covers.
inline std::string bookmarkText(host::Document& doc, const std::string& name) {
  return doc.Bookmarks().Item(name).Range().Text();
}

/// One search the pass asked of the engine.
struct SearchCall {
  std::string term;
  int storyType;
  bool matchCase;
  bool indexFullCaps;
  std::string caseSensitiveTerm;
  bool operator==(const SearchCall&) const = default;
};

/// The real engine, recording the searches asked of it; a search can be made to fail as
/// the engine's own error trap leaves it (message shown, count 0, range where it stopped) or
/// to throw.
class RecordingEngine final : public engine::testing::ForwardingEngine {
 public:
  std::vector<SearchCall> searches;
  std::string failingTerm;   // the search for this term fails as the engine's trap leaves it
  std::string throwingTerm;  // the search for this term throws a host error

  long fncSearchAndIndexTermInStory(host::Document& doc, host::Range story, std::string term, long found, long type,
                                    bool matchCase, bool fullCaps, std::string indexType,
                                    std::string caseSensitiveTerm = "") override {
    searches.push_back({term, story.StoryType(), matchCase, fullCaps, caseSensitiveTerm});
    if (term == throwingTerm)
      throw host::Error(host::kErrViewNotAvailable, "This method or property is not available.");
    if (term == failingTerm) {
      story.SetRange(story.End() - 1, story.End() - 1);  // stopped near the end of the story
      ui::MsgBox("Could not index " + term + ".", ui::vbExclamation | ui::vbOKOnly, "Error");
      return 0;
    }
    return ForwardingEngine::fncSearchAndIndexTermInStory(doc, story, term, found, type, matchCase, fullCaps, indexType,
                                                          caseSensitiveTerm);
  }
};

/// A test with the process-wide values of a run.
class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetIniPath(folder_.path().string());
    state::pubEngine = std::make_shared<engine::clsOSVLXLib>();
    progress::pubProgForm = std::make_unique<progress::clsProgForm>();
    state::pubWdApp = &app_;
    state::blnOptionsAccepted = true;
  }
  void TearDown() override {
    state::pubWdApp = nullptr;
    state::pubWdDoc = nullptr;
    state::pubEngine.reset();
    progress::pubProgForm.reset();
    state::blnOptionsAccepted = false;
    settings::SetIniPath("");
  }

  /// Opens the document of the run and makes it the active one; remembers its bytes.
  host::Document& openRun(const host::testing::DocParts& parts) {
    original_ = host::testing::makeDocx(parts);
    host::Document& doc = app_.Documents().Add(host::Document::FromBytes(original_, "contract.docx"));
    state::pubWdDoc = &doc;
    return doc;
  }

  /// Remembers the run's document as it is now, for expectUnchangedSinceRemembered.
  void rememberDocument() { remembered_ = state::pubWdDoc->package().toBytes(); }

  /// Marks the place of the index, as the run does before the dialog opens: the start of the
  /// main text's paragraph number `paragraph` (0-based).
  void markIndexPlace(host::Document& doc, std::size_t paragraph) {
    host::Story& main = doc.mainStory();
    const long at = main.blockStart(paragraph);
    doc.Bookmarks().Add("IndexBKStart", doc.Range(at, at));
  }

  /// Fills the dialog as the run leaves it: both quote lists filled, terms in quotes, every
  /// instance indexed, two columns, ", " as separator; found and added terms all selected.
  void fillDialog(dialogs::frmVLX_COM& form, const std::vector<std::string>& found,
                  const std::vector<std::string>& added = {}) {
    for (ui::ComboBox* list : {&form.cmbOpenQuote, &form.cmbCloseQuote}) {
      for (int code : {147, 148, 132, 171, 187}) {
        list->AddItem(std::to_string(code));
        list->SetItemData(list->NewIndex(), code);
      }
      list->SetListIndex(list == &form.cmbOpenQuote ? 0 : 1);
    }
    state::blnLoadingOptions = true;  // set as the settings loader sets them, without the dialog's reminder
    form.optSearchType(0).SetValue(true);
    form.optIndexWhat(0).SetValue(true);
    state::blnLoadingOptions = false;
    form.txtCols.SetText("2");
    form.txtSep.SetText(", ");
    for (const std::string& term : found) form.lstTermsInDoc.AddItem(term);
    for (const std::string& term : added) form.lstAddTerms.AddItem(term);
    for (ui::ListBox* list : {&form.lstTermsInDoc, &form.lstAddTerms})
      for (int i = 0; i < list->ListCount(); ++i) list->SetSelected(i, true);
  }

  /// The run's document saved and opened again.
  std::unique_ptr<host::Document> saved() { return host::testing::reopen(*state::pubWdDoc); }
  /// The document as it was opened.
  std::unique_ptr<host::Document> input() const { return host::Document::FromBytes(original_, "contract.docx"); }

  /// Expects every part of the saved package but the given ones to be byte for byte the
  /// input's (or, with `since` given, those of that package).
  void expectOtherPartsUnchanged(const std::vector<std::string>& changed, const std::string& since = "") {
    auto before = host::Document::FromBytes(since.empty() ? original_ : since, "before.docx");
    auto after = saved();
    ASSERT_EQ(after->package().partNames(), before->package().partNames());
    for (const std::string& part : before->package().partNames()) {
      if (std::find(changed.begin(), changed.end(), part) != changed.end()) continue;
      EXPECT_EQ(after->package().bytes(part), before->package().bytes(part)) << part;
    }
  }

  /// Expects the saved document to be, part by part, what rememberDocument kept.
  void expectUnchangedSinceRemembered() { expectOtherPartsUnchanged({}, remembered_); }

  host::testing::TempFolder folder_;
  ui::script::Backend backend_;
  host::Application app_;
  std::string original_;
  std::string remembered_;
};

}  // namespace indexing::testing
