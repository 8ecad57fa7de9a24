#include <gtest/gtest.h>

#include "engine/cls_osvlx_lib.h"
#include "host/shell/application.h"
#include "host/testing/test_documents.h"
#include "ui/script/backend.h"

namespace engine {
namespace {

using host::testing::docWithBody;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;

std::string field(const std::string& code) {
  return "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText xml:space=\"preserve\">" + code +
         "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
}

std::vector<std::string> codes(host::Range story) {
  std::vector<std::string> out;
  for (host::Field f : story.Fields()) out.push_back(f.Code().Text());
  return out;
}

class Removal : public ::testing::Test {
 protected:
  clsOSVLXLib engine_;
  host::Application app_;
  ui::script::Backend ui_;
};

TEST_F(Removal, StripIndexEntriesRemovesOnlyThisProgramsEntries) {
  std::string ours = R"( XE "Buyer" \f "VellandexIndex")";
  auto doc = docWithBody(para(run("Buyer") + field(ours) + field(ours) + run(" and ") + field(R"( XE "Other" \f "X")") +
                              field(R"( XE "Upper" \f "VELLANDEXINDEX")") + field(R"( TOC \o "1-3" )")) +
                             para(run("Seller") + footnoteRef(1)),
                         {para(run("Note") + field(R"( XE "Note" \f "vellandexindex" )"))});
  bool show = true;
  engine_.StripIndexEntries(app_, *doc, show);
  EXPECT_EQ(codes(doc->Content()), (std::vector<std::string>{R"( XE "Other" \f "X")", R"( TOC \o "1-3" )"}));
  EXPECT_TRUE(codes(doc->StoryRanges().Item(host::wdFootnotesStory)).empty());
  EXPECT_EQ(doc->Content().Text(), "Buyer and \rSeller\x02\r");  // the note reference stays
  EXPECT_TRUE(ui_.Messages().empty());                           // blnMsgShow shows nothing
}

TEST_F(Removal, StripIndexEntriesGivesBackTheTextAsTypedWhereverATermStands) {
  // A term at the end of the main text, and one followed by the user's own space at the end of
  // the footnotes.
  auto doc = docWithBody(para(run("The Agreement \"binds\" ") + footnoteRef(1)) + para(run("Defined in the Agreement")),
                         {para(run("See the Agreement "))});
  const std::string text = doc->Content().Text();
  const std::string note = doc->StoryRanges().Item(host::wdFootnotesStory).Text();
  for (host::Range story : doc->StoryRanges())
    engine_.fncSearchAndIndexTermInStory(*doc, story, "Agreement", 0, story.StoryType(), true, false, "IndexAll");
  engine_.fncSearchAndIndexTermInStory(*doc, doc->Content(), "binds", 0, 1, true, false, "IndexAll");
  ASSERT_EQ(doc->Content().Text(), "The Agreement \"binds\" \x02\rDefined in the Agreement\r");
  bool show = false;
  engine_.StripIndexEntries(app_, *doc, show);
  // Every space the user typed stays, and nothing else is left.
  EXPECT_EQ(doc->Content().Text(), text);
  EXPECT_EQ(doc->StoryRanges().Item(host::wdFootnotesStory).Text(), note);
  EXPECT_TRUE(codes(doc->Content()).empty());
}

TEST_F(Removal, RestoreTextColorTouchesOnlyTextCarryingBothMarks) {
  std::string marked = "<w:color w:val=\"F3F3F3\"/><w:highlight w:val=\"red\"/>";
  auto doc = docWithBody(para(run("Blue", "<w:color w:val=\"0000FF\"/>") + run("Marked", marked) +
                              run("Grey", "<w:color w:val=\"F3F3F3\"/>")),
                         {para(run("Note", marked))});
  doc->Range(0, 4).SetHighlightColorIndex(kMarkHighlight);
  doc->Range(0, 4).Font().SetColor(kMarkColor);  // a blue term, marked
  engine_.RestoreTextColor(*doc);
  EXPECT_EQ(doc->Range(0, 4).Font().Color(), host::kColorAutomatic);  // not blue again
  EXPECT_EQ(doc->Range(0, 10).HighlightColorIndex(), 0);
  EXPECT_EQ(doc->Range(10, 14).Font().Color(), kMarkColor);  // grey without highlight stays
  host::Range notes = doc->StoryRanges().Item(host::wdFootnotesStory);
  EXPECT_EQ(notes.HighlightColorIndex(), 0);
}

TEST_F(Removal, RemoveIndexWithoutAnIndexLeavesTheStartBookmarkAtTheSelection) {
  auto doc = docWithBody(para(run("Some text here.")));
  doc->Select(doc->Range(5, 9));
  bool removeBookmark = true;
  engine_.RemoveIndex(app_, *doc, removeBookmark);
  ASSERT_TRUE(doc->Bookmarks().Exists("IndexBKStart"));
  EXPECT_EQ(doc->Bookmarks().Item("IndexBKStart").Start(), 5);
  EXPECT_EQ(doc->Bookmarks().Item("IndexBKStart").End(), 5);
  EXPECT_EQ(doc->Content().Text(), "Some text here.\r");
  EXPECT_TRUE(removeBookmark);
}

// A note reference reads as the character 2, as in the word processor.
TEST_F(Removal, SmartQuoteToggleFollowsTheQuoteOption) {
  auto doc = docWithBody(para(run("the \"Buyer\" and") + footnoteRef(1)), {para(run("a \"Note\""))});
  doc->options().AutoFormatAsYouTypeReplaceQuotes = true;
  engine_.SmartQuoteToggle(*doc);
  EXPECT_EQ(doc->Content().Text(),
            "the \xE2\x80\x9C"
            "Buyer\xE2\x80\x9D and\x02\r");
  EXPECT_EQ(doc->StoryRanges().Item(host::wdFootnotesStory).Text(), "a \xE2\x80\x9CNote\xE2\x80\x9D\r");
  doc->options().AutoFormatAsYouTypeReplaceQuotes = false;
  engine_.SmartQuoteToggle(*doc);
  EXPECT_EQ(doc->Content().Text(), "the \"Buyer\" and\x02\r");
  EXPECT_EQ(doc->StoryRanges().Item(host::wdFootnotesStory).Text(), "a \"Note\"\r");
}

TEST_F(Removal, FieldCodesOfIndexAndContentsFieldsCanBeShown) {
  auto doc = docWithBody(para(field(R"( INDEX \f "VellandexIndex" )") + field(" TOC ") + field(" PAGE ")));
  engine_.ShowFieldCodes(*doc);
  std::vector<bool> shown;
  for (host::Field f : doc->Fields()) shown.push_back(f.ShowCodes());
  EXPECT_EQ(shown, (std::vector<bool>{true, true, false}));
  engine_.HideFieldCodes(*doc);
  for (host::Field f : doc->Fields()) EXPECT_FALSE(f.ShowCodes());
}

}  // namespace
}  // namespace engine
