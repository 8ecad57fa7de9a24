#pragma once
// What the term-discovery tests share: an application with the engine and progress controller
// of a connected add-in, a settings file in a fresh folder, the scripted user, and documents
// made from text where *...* marks bold.

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/frm_vlx_com.h"
#include "engine/cls_osvlx_lib.h"
#include "host/shell/application.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"
#include "progress/cls_prog_form.h"
#include "settings/locations.h"
#include "state/run_state.h"
#include "ui/script/backend.h"

namespace discovery::testing {

using namespace host::testing;

/// Runs of a paragraph from text in which each * starts or ends bold and \v is a line break
/// (a w:br, as XML allows no such character in text).
inline std::string marked(const std::string& text) {
  std::string runs, piece;
  bool bold = false;
  for (char c : text) {
    if (c != '*' && c != '\v') {
      piece += c;
      continue;
    }
    if (!piece.empty()) runs += run(piece, bold ? "<w:b/>" : "");
    piece.clear();
    if (c == '\v') runs += elementRun("<w:br/>", bold ? "<w:b/>" : "");
    else bold = !bold;
  }
  if (!piece.empty()) runs += run(piece, bold ? "<w:b/>" : "");
  return runs;
}

/// A paragraph from marked text.
inline std::string p(const std::string& text) { return para(marked(text)); }

class DiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetIniPath(folder_.path().string());
    state::pubWdApp = &app_;
    state::pubEngine = std::make_shared<engine::clsOSVLXLib>();
    progress::pubProgForm = std::make_unique<progress::clsProgForm>();
    state::blnSavedReplaceQuotes = true;
  }
  void TearDown() override {
    progress::pubProgForm.reset();
    state::pubEngine.reset();
    state::pubWdApp = nullptr;
    state::pubWdDoc = nullptr;
    settings::SetIniPath("");
  }

  /// Opens a document of the parts into the application.
  host::Document& open(const DocParts& parts) { return app_.Documents().Add(openDocument(parts)); }
  /// Opens a document with these paragraphs and footnotes (set out as a new document).
  host::Document& open(const std::string& body, const std::vector<std::string>& footnotes = {},
                       const std::vector<std::string>& endnotes = {}) {
    DocParts parts;
    parts.body = body;
    parts.footnotes = footnotes;
    parts.endnotes = endnotes;
    parts.lastSection = LastSection::NewDocument;
    return open(parts);
  }
  /// Writes a document with these paragraphs to a file of the test's folder; returns its path.
  std::string writeDocx(const std::string& name, const std::string& body) {
    DocParts parts;
    parts.body = body;
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << makeDocx(parts);
    return path;
  }
  /// The text of a story.
  static std::string storyText(host::Document& doc, int type) { return doc.StoryRanges().Item(type).Text(); }
  /// The prompts of the message boxes shown, in order.
  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (const ui::Message& m : ui_.Messages()) out.push_back(m.title);
    return out;
  }

  host::testing::TempFolder folder_;
  host::Application app_;
  ui::script::Backend ui_;
  dialogs::frmVLX_COM form_;
};

}  // namespace discovery::testing
