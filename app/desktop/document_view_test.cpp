// The document view: lazy layout of a long document, the cursor placed by clicks, tables side
// by side, field codes as the View menu says, and no repainting while screen updating is off.
#include "app/desktop/document_view.h"

#include <fstream>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/desktop/desktop_host.h"
#include "app/desktop/main_window.h"
#include "app/desktop/test_support.h"
#include "host/builder/docx_builder.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"
#include "ui/script/backend.h"

namespace app::desktop {
namespace {

namespace fs = std::filesystem;
using host::testing::fieldChar;
using host::testing::fieldCode;
using host::testing::footnoteRef;
using host::testing::para;
using host::testing::run;
using testing::App;
using testing::BarMenu;
using testing::Opened;
using testing::Settle;

// A desktop host without add-ins showing a document written to a file of its own.
class ViewTest : public ::testing::Test {
 protected:
  void show(const std::string& bytes) {
    std::ofstream(folder_ / "doc.docx", std::ios::binary) << bytes;
    desktop_.start((folder_ / "doc.docx").string());
    window().resize(700, 500);
    Settle();
  }
  void show(const host::testing::DocParts& parts) { show(host::testing::makeDocx(parts)); }
  void showBody(const std::string& body) {
    host::testing::DocParts parts;
    parts.body = body;
    show(parts);
  }
  MainWindow& window() { return desktop_.window(); }
  DocumentView& text() { return *window().textView(); }
  host::Document& doc() { return *window().document(); }
  // Puts the cursor at a position of a story and asks the view where its caret is drawn.
  QRect caretAt(DocumentView& view, int story, long position) {
    host::Range r = doc().StoryRanges().Item(story);
    r.SetRange(position, position);
    r.Select();
    view.showSelection();
    std::optional<QRect> caret = view.caretInViewport();
    EXPECT_TRUE(caret) << position;
    return caret.value_or(QRect());
  }
  void click(DocumentView& view, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, at);
  }
  host::Range selection() { return doc().SelectionRange(); }

  QApplication& qt_ = App();
  ui::script::Backend user_;
  host::testing::TempFolder folder_;
  DesktopHost desktop_{std::nullopt, {}};
};

TEST_F(ViewTest, ALongDocumentIsLaidOutOnlyWhereItIsSeen) {
  host::DocxBuilder builder;
  for (int i = 1; i <= 3000; ++i) {
    builder.startParagraph();
    builder.addRun("Paragraph " + std::to_string(i) +
                   " of a long contract, long enough to wrap onto a second line "
                   "in a window of an ordinary width.");
  }
  show(builder.toBytes());
  EXPECT_EQ(text().items(), 3000u);
  EXPECT_LT(text().laidOutItems(), 40u);

  QScrollBar* bar = text().verticalScrollBar();
  bar->setValue(bar->maximum());
  text().viewport()->repaint();
  EXPECT_LT(text().laidOutItems(), 80u);
  // Going to the end by keyboard puts the cursor there and the caret in sight.
  QTest::keyClick(&text(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(selection().Start(), doc().Content().End() - 1);
  EXPECT_TRUE(text().caretInViewport());
  QTest::keyClick(&text(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(selection().Start(), 0);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_LT(text().laidOutItems(), 120u);
}

TEST_F(ViewTest, AClickPutsTheCursorInTheTextOrInANoteAndShiftClickExtendsIt) {
  host::testing::DocParts parts;
  parts.body = para(run("The Seller sells the Goods to the Buyer.") + footnoteRef(1)) + para(run("Second paragraph."));
  parts.footnotes = {para(run("A note about the Goods."))};
  show(parts);
  ASSERT_TRUE(window().notesView()->isVisible());

  const QRect seller = caretAt(text(), host::wdMainTextStory, 4);
  const QRect buyer = caretAt(text(), host::wdMainTextStory, 34);
  const QRect second = caretAt(text(), host::wdMainTextStory, 42);
  caretAt(text(), host::wdMainTextStory, 0);
  click(text(), seller.center() + QPoint(3, 0));  // inside the S of Seller, nearer its left edge
  EXPECT_EQ(selection().StoryType(), host::wdMainTextStory);
  EXPECT_EQ(selection().Start(), 4);
  EXPECT_EQ(selection().End(), 4);
  click(text(), buyer.center() + QPoint(3, 0), Qt::ShiftModifier);
  EXPECT_EQ(selection().Start(), 4);
  EXPECT_EQ(selection().End(), 34);
  click(text(), second.center() + QPoint(3, 0));
  EXPECT_EQ(selection().Start(), 42);

  DocumentView& notes = *window().notesView();
  const QRect goods = caretAt(notes, host::wdFootnotesStory, 14);
  caretAt(text(), host::wdMainTextStory, 0);
  EXPECT_FALSE(notes.caretInViewport());
  click(notes, goods.center() + QPoint(3, 0));
  EXPECT_EQ(selection().StoryType(), host::wdFootnotesStory);
  EXPECT_EQ(selection().Start(), 14);
  EXPECT_FALSE(text().caretInViewport());
}

TEST_F(ViewTest, TableCellsStandSideBySide) {
  host::testing::DocParts parts;
  parts.body = para(run("Before.")) + host::testing::table({{"left", "right"}, {"below", "x"}});
  show(parts);
  EXPECT_EQ(text().paragraphTexts().join("|").toStdString(), "Before.|left|right|below|x");
  // Blocks: Before. (0-7), left (8-12), right (13-18), row end (19), below (20-25) ...
  const QRect left = caretAt(text(), host::wdMainTextStory, 8);
  const QRect right = caretAt(text(), host::wdMainTextStory, 13);
  const QRect below = caretAt(text(), host::wdMainTextStory, 20);
  EXPECT_GT(right.left(), left.left() + 100);
  EXPECT_EQ(right.top(), left.top());
  EXPECT_EQ(below.left(), left.left());
  EXPECT_GT(below.top(), left.bottom());
}

TEST_F(ViewTest, TheViewMenuShowsFieldCodesOrResults) {
  showBody(para(run("Page ") + fieldChar("begin") + fieldCode(" PAGE ") + fieldChar("separate") + run("7") +
                fieldChar("end")));
  EXPECT_EQ(text().paragraphTexts().front().toStdString(), "Page 7");
  auto toggle = [&] {
    for (QAction* a : Opened(BarMenu(*window().menuBar(), "View"))->actions())
      if (a->text() == "Field &Codes") a->trigger();
  };
  toggle();
  EXPECT_EQ(text().paragraphTexts().front().toStdString(), "Page  PAGE ");
  EXPECT_TRUE(doc().ActiveWindow().View().ShowFieldCodes());
  toggle();
  EXPECT_EQ(text().paragraphTexts().front().toStdString(), "Page 7");
}

TEST_F(ViewTest, WhileScreenUpdatingIsOffTheViewKeepsItsPictureUntilTheScreenIsRefreshed) {
  showBody(para(run("Short text.")));
  auto picture = [&] { return text().viewport()->grab().toImage(); };
  const QImage before = picture();
  host::Application& app = desktop_.application();
  app.SetScreenUpdating(false);
  doc().Content().InsertBefore("A much longer text that changes what the view shows. ");
  window().documentChanged();
  EXPECT_EQ(picture(), before);
  app.ScreenRefresh();
  const QImage refreshed = picture();
  EXPECT_NE(refreshed, before);
  EXPECT_EQ(picture(), refreshed);  // still off: the refreshed picture stays
  app.SetScreenUpdating(true);
  EXPECT_EQ(text().paragraphTexts().front().toStdString(),
            "A much longer text that changes what the view shows. Short text.");
}

TEST_F(ViewTest, DuringACommandTheViewFollowsTheEditsOnlyWhileTheScreenUpdates) {
  showBody(para(run("One.")));
  ASSERT_EQ(text().items(), 1u);
  auto addParagraph = [&] { doc().Content().InsertParagraphAfter(); };
  host::Application& app = desktop_.application();
  app.SetScreenUpdating(false);
  addParagraph();
  text().followEdits();
  Settle();
  EXPECT_EQ(text().items(), 1u);  // not read again: nothing was painted
  app.SetScreenUpdating(true);
  text().followEdits();
  Settle();
  EXPECT_EQ(text().items(), 2u);
}

}  // namespace
}  // namespace app::desktop
