#pragma once
// The document window's view of one or more stories of a document: read-only text, laid out
// an item (a paragraph or a table row) at a time as it scrolls into sight, so that a long
// document opens and scrolls at once; items not yet seen have an estimated height. A click
// places the cursor (the document's selection), Shift+click extends it, Ctrl+Home and
// Ctrl+End go to the start and end. While the application's screen updating is off the view
// keeps showing the last picture it painted.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QStringList>

#include "host/model/shown_paragraph.h"

namespace host {
class Application;
class Document;
}  // namespace host

namespace app::desktop {

class ParagraphLayout;

/// A scrolling, read-only view of some of a document's stories.
class DocumentView : public QAbstractScrollArea {
 public:
  /// Shows the stories of these types that doc has, in that order; with more than one type,
  /// each story is headed by its name.
  DocumentView(host::Application& app, host::Document& doc, std::vector<int> storyTypes, QWidget* parent = nullptr);
  ~DocumentView() override;

  /// True when the document has any of the view's stories.
  bool hasContent() const;
  /// The document or what the view shows of it changed: it is read again at the next paint.
  void documentChanged();
  /// Paints now, even while screen updating is off (the application's ScreenRefresh).
  void repaintNow();
  /// Paints again soon when the document changed since the last paint and the screen updates.
  void followEdits();
  /// Scrolls the selection into sight when it lies in one of the view's stories.
  void showSelection();
  /// Called after a click or key moved the selection.
  void setOnSelectionMoved(std::function<void()> callback) { onSelectionMoved_ = std::move(callback); }
  /// Clicks and keys place the cursor only while the view is interactive.
  void setInteractive(bool on) { interactive_ = on; }

  /// The display text of every paragraph the view shows, in order (tests).
  QStringList paragraphTexts();
  /// How many items are laid out now.
  std::size_t laidOutItems() const { return laid_.size(); }
  /// How many items the view holds.
  std::size_t items() const { return items_.size(); }
  /// The caret's rectangle in the viewport when the selection is a caret in sight here.
  std::optional<QRect> caretInViewport();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class Kind { Heading, Paragraph, Row };
  // A paragraph, a table row (its cells' paragraphs) or a story's heading.
  struct Item {
    int story;
    std::size_t first, last;  // blocks [first, last)
    Kind kind;
  };
  // A paragraph of a laid-out item, where it stands in the item and the cell it belongs to.
  struct Placed {
    QPointF at;
    QRectF cell;
    std::unique_ptr<ParagraphLayout> layout;
  };
  struct Laid {
    std::vector<Placed> paragraphs;
    std::vector<QRectF> cells;  // a row's cell borders
    double height = 0;
  };

  void buildItems();
  void settle();
  const Laid& laid(std::size_t item);
  Laid layOut(const Item& item);
  double estimate(const Item& item) const;
  void updateTops();
  void updateScrollBar();
  std::size_t itemAt(double y) const;
  std::optional<std::size_t> itemOf(int story, long position) const;
  double columnWidth() const;
  double columnLeft() const;
  double pixelsPerPoint() const;
  void render(QPainter& painter);
  void select(int story, long start, long end);
  void trimCache(std::size_t first, std::size_t last);

  host::Application& app_;
  host::Document& doc_;
  std::vector<int> storyTypes_;
  host::ShownParagraphs reader_;
  std::vector<Item> items_;
  std::vector<double> heights_;
  std::vector<double> tops_;  // each item's top; tops_.back() is the total height
  bool topsDirty_ = true;
  std::unordered_map<std::size_t, Laid> laid_;
  bool stale_ = true;
  std::uint64_t stamp_ = 0;
  double laidWidth_ = -1;
  double charWidth_ = 0;  // what an item not laid out yet is estimated with
  double lineHeight_ = 0;
  QPixmap frame_;
  bool forceRepaint_ = false;
  bool interactive_ = true;
  std::function<void()> onSelectionMoved_;
};

}  // namespace app::desktop
