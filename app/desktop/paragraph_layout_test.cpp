// A paragraph's display text and layout: marks shown as the reader expects them, every display
// character tied to its story position, and clicks and carets agreeing with each other.
#include "app/desktop/paragraph_layout.h"

#include <gtest/gtest.h>

#include "app/desktop/test_support.h"
#include "host/model/document.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace app::desktop {
namespace {

using namespace host::testing;

host::ShownParagraph shownParagraph(host::Document& doc, std::size_t block = 0) {
  host::ShownParagraphs reader(doc);
  return reader.read(doc.mainStory(), block);
}

TEST(DisplayText, MarksShowAsTheReaderSeesThemAndEveryCharacterKnowsItsPosition) {
  DocParts parts;
  parts.body = para(run("a\tb") + elementRun("<w:br/>") + run("c") + footnoteRef(1) + run("d", "<w:vanish/>") +
                    run("e"));
  parts.footnotes = {para(run("n"))};
  auto doc = openDocument(parts);
  const DisplayText display = MakeDisplayText(shownParagraph(*doc));
  // Positions: a 0, tab 1, b 2, break 3, c 4, note 5, d 6 (hidden), e 7, mark 8.
  EXPECT_EQ(display.text.toStdU16String(), u"a\tb\u2028c1e");
  EXPECT_EQ(display.positions, (std::vector<long>{0, 1, 2, 3, 4, 5, 7, 8}));
  ASSERT_EQ(display.formats.size(), 3);
  EXPECT_EQ(display.formats[1].start, 5);  // the note mark, raised
  EXPECT_EQ(display.formats[1].format.verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(ParagraphLayout, AClickFindsThePositionWhoseCaretItFallsOnAndHiddenTextIsSkipped) {
  testing::App();
  auto doc = openBody(para(run("The Seller sells ") + run("HIDDEN", "<w:vanish/>") +
                           run("the goods to the Buyer, who pays the price when the goods are delivered.")));
  const ParagraphLayout layout(shownParagraph(*doc), 220, 96 / 72.0);
  EXPECT_GT(layout.caretRect(layout.markPosition()).top(), layout.caretRect(0).top());  // it wraps
  EXPECT_EQ(layout.firstPosition(), 0);
  EXPECT_EQ(layout.markPosition(), doc->mainStory().length() - 1);
  for (long p = 0; p < layout.markPosition(); ++p) {
    if (p >= 17 && p < 23) continue;  // hidden
    const QRectF caret = layout.caretRect(p);
    EXPECT_EQ(layout.positionAt(QPointF(caret.left() + 1, caret.center().y())), p) << p;
  }
  // The caret of a hidden position stands where the text goes on.
  EXPECT_EQ(layout.caretRect(19), layout.caretRect(23));
}

TEST(ParagraphLayout, IndentsAndSpacingTakeTheirRoom) {
  testing::App();
  auto doc = openBody(para(run("Indented text that is long enough to wrap in a narrow column of the view."),
                           "<w:spacing w:before=\"240\" w:after=\"120\"/><w:ind w:left=\"720\" w:hanging=\"360\"/>") +
                      para(run("Indented text that is long enough to wrap in a narrow column of the view.")));
  const double ppp = 96 / 72.0;
  const ParagraphLayout indented(shownParagraph(*doc, 0), 300, ppp);
  const ParagraphLayout plain(shownParagraph(*doc, 1), 300, ppp);
  EXPECT_NEAR(indented.caretRect(0).left(), 18 * ppp, 1);  // 36 pt in, hanging 18 pt
  EXPECT_NEAR(indented.caretRect(0).top(), 12 * ppp, 1);   // 12 pt before
  EXPECT_NEAR(plain.caretRect(0).left(), 0, 1);
  long secondLine = 0;
  while (indented.caretRect(secondLine).top() == indented.caretRect(0).top()) ++secondLine;
  EXPECT_NEAR(indented.caretRect(secondLine).left(), 36 * ppp, 1);  // the other lines at the left indent
  EXPECT_NEAR(indented.height(), indented.caretRect(indented.markPosition()).bottom() + 6 * ppp, 1);  // 6 pt after
}

}  // namespace
}  // namespace app::desktop
