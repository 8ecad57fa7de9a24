#include "indexing/indexing_pass.h"

#include <sstream>

#include <gtest/gtest.h>

#include "host/testing/test_documents.h"
#include "indexing/test_support.h"
#include "ui/console_progress.h"

namespace indexing {
namespace {

using host::testing::endnoteRef;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;
using testing::entryCode;
using testing::fieldCodes;
using testing::SearchCall;

class IndexingPassTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    state::pubEngine = engine_;
  }
  void TearDown() override {
    ui::SetConsoleProgress(ui::ConsoleMode::Off);
    RunTest::TearDown();
  }

  // A document of one paragraph of main text, with optional notes, opened for the run.
  host::Document& openText(const std::string& text, const std::vector<std::string>& footnotes = {},
                           const std::vector<std::string>& endnotes = {}) {
    host::testing::DocParts parts;
    std::string refs;
    for (std::size_t k = 1; k <= footnotes.size(); ++k) refs += footnoteRef(static_cast<int>(k));
    for (std::size_t k = 1; k <= endnotes.size(); ++k) refs += endnoteRef(static_cast<int>(k));
    parts.body = para(run(text) + refs) + "<w:p/>";
    parts.footnotes = footnotes;
    parts.endnotes = endnotes;
    return openRun(parts);
  }

  // The counter array after indexing the main text with these options.
  engine::CounterArray indexMain(host::Document& doc, const std::vector<std::string>& terms, bool matchCase,
                                 bool fullCaps, const std::string& indexType = "IndexAll") {
    engine::CounterArray counters = engine_->fncBuildCounterArray(app_, doc, terms, matchCase);
    host::Range story = doc.Content();
    return fncIndexStory(doc, story, counters, host::wdMainTextStory, matchCase, fullCaps, indexType);
  }

  std::shared_ptr<testing::RecordingEngine> engine_ = std::make_shared<testing::RecordingEngine>();
};

TEST_F(IndexingPassTest, FullCapitalsAreIndexedUnderTheTermAsTypedAndCountedWithIt) {
  host::Document& doc = openText("The Agreement binds. THE AGREEMENT ends. GST applies.");

  engine::CounterArray counters = indexMain(doc, {"Agreement", "GST"}, true, true);

  EXPECT_EQ(counters, (engine::CounterArray{{"Agreement", 2}, {"GST", 1}}));
  EXPECT_EQ(fieldCodes(doc, host::wdMainTextStory),
            (std::vector<std::string>{entryCode("Agreement"), entryCode("Agreement"), entryCode("GST")}));
  // A term already in capitals gets no second search.
  EXPECT_EQ(engine_->searches, (std::vector<SearchCall>{{"Agreement", 1, true, true, ""},
                                                        {"AGREEMENT", 1, true, true, "Agreement"},
                                                        {"GST", 1, true, true, ""}}));
}

TEST_F(IndexingPassTest, WithoutFullCapitalsACaseSensitiveSearchLeavesCapitalsAlone) {
  host::Document& doc = openText("The Agreement binds. THE AGREEMENT ends.");

  engine::CounterArray counters = indexMain(doc, {"Agreement"}, true, false);

  EXPECT_EQ(counters, (engine::CounterArray{{"Agreement", 1}}));
  EXPECT_EQ(engine_->searches, (std::vector<SearchCall>{{"Agreement", 1, true, false, ""}}));
}

TEST_F(IndexingPassTest, ATermWhoseSearchFailedLeavesTheWholeStoryToTheNextTerm) {
  // The failing search stops near the end of the story; the next term is found before it.
  host::Document& doc = openText("The Buyer pays the Purchase Price.");
  engine_->failingTerm = "Purchase Price";
  backend_.Answer("Error", ui::vbOK);

  engine::CounterArray counters = indexMain(doc, {"Purchase Price", "Buyer"}, false, false);

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].prompt, "Could not index Purchase Price.");
  EXPECT_EQ(counters, (engine::CounterArray{{"Purchase Price", 0}, {"Buyer", 1}}));
  EXPECT_EQ(fieldCodes(doc, host::wdMainTextStory), std::vector<std::string>{entryCode("Buyer")});
}

TEST_F(IndexingPassTest, ShowsEachTermOfTheStoryWithTheBarAtItsPlace) {
  host::Document& doc = openText("Agreed Terms and Terms.");
  std::ostringstream console;
  ui::SetConsoleProgress(ui::ConsoleMode::Always, &console, false);

  indexMain(doc, {"Agreed Term", "Terms", "Term"}, false, false);

  EXPECT_EQ(console.str(),
            "Indexing document\n"
            "[--------------------]   0% Indexing document:  Agreed Term\n"
            "[##########----------]  50% Indexing document:  Terms\n"
            "[####################] 100% Indexing document:  Term\n");
  EXPECT_EQ(progress::pubProgForm->Window(), nullptr);
  EXPECT_FALSE(doc.ActiveWindow().View().ShowHiddenText());
}

TEST_F(IndexingPassTest, TheDocumentPassSearchesTheTextStoriesWithRoomForATerm) {
  // An empty footnote story has nothing to search; the endnotes are searched after the text.
  host::Document& doc = openText("The Buyer.", {"<w:p/>"}, {para(run("The Buyer again."))});
  dialogs::frmVLX_COM form;
  fillDialog(form, {"Buyer"});
  RunOptions options;
  options.includeNotFound = true;

  IndexDocument(app_, doc, {"Buyer"}, form, options);

  std::vector<int> stories;
  for (const SearchCall& call : engine_->searches) stories.push_back(call.storyType);
  EXPECT_EQ(stories, (std::vector<int>{host::wdMainTextStory, host::wdEndnotesStory}));
  EXPECT_EQ(testing::bookmarkText(doc, "VellandexIndexNotFoundList"), "\rNOT FOUND\rNone\r\r");
  EXPECT_FALSE(doc.Bookmarks().Exists("VellandexIndexNotUsedList"));
  // The selection ends at the start of the index; field codes are hidden again.
  EXPECT_EQ(app_.Selection().Start(), doc.Bookmarks().Item("VellandexIndex").Start());
  EXPECT_FALSE(doc.View().showFieldCodes);
  EXPECT_TRUE(app_.ScreenUpdating());
}

TEST_F(IndexingPassTest, TheListsHoldTheirTermsInOrdinalOrderCapitalsFirst) {
  host::Document& doc = openText("Beta and delta once; alpha alpha.");
  dialogs::frmVLX_COM form;
  fillDialog(form, {});
  RunOptions options;
  options.includeNotUsed = options.includeNotFound = true;

  IndexDocument(app_, doc, {"beta", "gone", "Delta", "alpha", "Zulu", "Gone"}, form, options);

  EXPECT_EQ(testing::bookmarkText(doc, "VellandexIndexNotUsedList"),
            "\rDEFINED BUT NOT USED / USED ONLY ONCE (see Index above for page number)\rDelta\rbeta\r\r");
  EXPECT_EQ(testing::bookmarkText(doc, "VellandexIndexNotFoundList"), "\rNOT FOUND\rGone\rZulu\rgone\r\r");
}

}  // namespace
}  // namespace indexing
