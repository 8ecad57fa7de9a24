#include "app/desktop/document_view.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/desktop/paragraph_layout.h"
#include "host/model/document.h"
#include "host/shell/application.h"
#include "host/text/story.h"

namespace app::desktop {
namespace {

constexpr double kMargin = 16;       // above the first item and below the last, in pixels
constexpr double kPagePadding = 28;  // white page on either side of the text column
constexpr double kCellPadding = 5;
constexpr double kTextWidthPoints = 6.5 * 72;  // the text column of a printed page
constexpr std::size_t kKeptItems = 800;        // laid-out items kept beyond those in sight

QString StoryName(int type) {
  switch (type) {
    case host::wdFootnotesStory: return QStringLiteral("Footnotes");
    case host::wdEndnotesStory: return QStringLiteral("Endnotes");
    default: return QStringLiteral("Text");
  }
}

QFont HeadingFont() {
  QFont font(QStringLiteral("Calibri"), 9);
  font.setBold(true);
  return font;
}

}  // namespace

DocumentView::DocumentView(host::Application& app, host::Document& doc, std::vector<int> storyTypes, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app), doc_(doc), storyTypes_(std::move(storyTypes)), reader_(doc) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  const QFontMetricsF metrics(QFont(QStringLiteral("Calibri"), 11));  // the text most documents hold
  charWidth_ = metrics.averageCharWidth();
  lineHeight_ = metrics.lineSpacing();
}

DocumentView::~DocumentView() = default;

bool DocumentView::hasContent() const {
  return std::any_of(storyTypes_.begin(), storyTypes_.end(), [this](int type) { return doc_.story(type) != nullptr; });
}

void DocumentView::documentChanged() {
  stale_ = true;
  viewport()->update();
}

void DocumentView::repaintNow() {
  forceRepaint_ = true;
  viewport()->repaint();
}

void DocumentView::followEdits() {
  if (app_.ScreenUpdating() && doc_.editStamp() != stamp_) viewport()->update();
}

double DocumentView::pixelsPerPoint() const { return logicalDpiY() / 72.0; }

double DocumentView::columnWidth() const {
  const double available = viewport()->width() - 2 * kPagePadding;
  return std::max(120.0, std::min(available, kTextWidthPoints * pixelsPerPoint()));
}

double DocumentView::columnLeft() const { return std::max(kPagePadding, (viewport()->width() - columnWidth()) / 2); }

void DocumentView::buildItems() {
  items_.clear();
  for (int type : storyTypes_) {
    const host::Story* story = doc_.story(type);
    if (!story) continue;
    if (storyTypes_.size() > 1) items_.push_back({type, 0, 0, Kind::Heading});
    const std::size_t n = story->blocks().size();
    for (std::size_t b = 0; b < n;) {
      const host::TablePlace place = host::tablePlace(*story, b);
      std::size_t e = b + 1;
      if (place.row)
        while (e < n && host::tablePlace(*story, e).row == place.row) ++e;
      items_.push_back({type, b, e, place.row ? Kind::Row : Kind::Paragraph});
      b = e;
    }
  }
  heights_.resize(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) heights_[i] = estimate(items_[i]);
  laid_.clear();
  topsDirty_ = true;
}

double DocumentView::estimate(const Item& item) const {
  if (item.kind == Kind::Heading) return 2.5 * QFontMetricsF(HeadingFont()).height();
  const host::Story& story = *doc_.story(item.story);
  const double width = item.kind == Kind::Row ? columnWidth() / 2 : columnWidth();
  double lines = 0;
  for (std::size_t b = item.first; b < item.last; ++b)
    lines += std::max(1.0, std::ceil(story.map(b).length() * charWidth_ / width));
  if (item.kind == Kind::Row) lines = std::max(1.0, lines / 2);
  return lines * lineHeight_ + 6 * pixelsPerPoint();
}

DocumentView::Laid DocumentView::layOut(const Item& item) {
  Laid out;
  const double width = columnWidth();
  const double ppp = pixelsPerPoint();
  if (item.kind == Kind::Heading) {
    out.height = 2.5 * QFontMetricsF(HeadingFont()).height();
    return out;
  }
  host::Story& story = *doc_.story(item.story);
  if (item.kind == Kind::Paragraph) {
    auto layout = std::make_unique<ParagraphLayout>(reader_.read(story, item.first), width, ppp);
    out.height = layout->height();
    out.paragraphs.push_back({QPointF(0, 0), QRectF(0, 0, width, out.height), std::move(layout)});
    return out;
  }
  // A table row: its cells side by side, as wide as the document says, fitted to the column.
  const host::TablePlace row = host::tablePlace(story, item.first);
  std::vector<double> widths = host::cellWidths(story, row.row);
  if (widths.empty()) widths.push_back(0);
  double known = 0;
  std::size_t unknown = 0;
  for (double& w : widths) {
    w *= ppp;
    known += w;
    if (w <= 0) ++unknown;
  }
  const double spare = std::max(0.0, width - known);
  for (double& w : widths)
    if (w <= 0) w = std::max(40.0, spare / static_cast<double>(unknown));
  const double total = known + (unknown ? std::max(spare, 40.0 * static_cast<double>(unknown)) : 0);
  const double scale = total > width ? width / total : 1.0;
  std::vector<double> left(widths.size()), bottom(widths.size(), kCellPadding);
  double x = 0;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    widths[c] *= scale;
    left[c] = x;
    x += widths[c];
  }
  for (std::size_t b = item.first; b < item.last; ++b) {
    const host::TablePlace place = host::tablePlace(story, b);
    if (place.cell < 0 || story.blocks()[b].rowEnd) continue;
    const std::size_t c = std::min(static_cast<std::size_t>(place.cell), widths.size() - 1);
    auto layout = std::make_unique<ParagraphLayout>(reader_.read(story, b),
                                                    std::max(24.0, widths[c] - 2 * kCellPadding), ppp);
    const double h = layout->height();
    out.paragraphs.push_back(
        {QPointF(left[c] + kCellPadding, bottom[c]), QRectF(left[c], 0, widths[c], 0), std::move(layout)});
    bottom[c] += h;
  }
  out.height = std::max(*std::max_element(bottom.begin(), bottom.end()) + kCellPadding, 2 * kCellPadding + 12 * ppp);
  for (std::size_t c = 0; c < widths.size(); ++c) out.cells.emplace_back(left[c], 0, widths[c], out.height);
  for (Placed& p : out.paragraphs) p.cell.setHeight(out.height);
  return out;
}

const DocumentView::Laid& DocumentView::laid(std::size_t item) {
  auto it = laid_.find(item);
  if (it != laid_.end()) return it->second;
  Laid l = layOut(items_[item]);
  if (heights_[item] != l.height) {
    heights_[item] = l.height;
    topsDirty_ = true;
  }
  return laid_.emplace(item, std::move(l)).first->second;
}

void DocumentView::updateTops() {
  if (!topsDirty_) return;
  tops_.assign(items_.size() + 1, kMargin);
  for (std::size_t i = 0; i < items_.size(); ++i) tops_[i + 1] = tops_[i] + heights_[i];
  topsDirty_ = false;
}

void DocumentView::updateScrollBar() {
  const int page = viewport()->height();
  const double total = (tops_.empty() ? kMargin : tops_.back()) + kMargin;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, static_cast<int>(std::ceil(total)) - page));
  bar->setPageStep(page);
  bar->setSingleStep(std::max(1, static_cast<int>(QFontMetricsF(font()).height() * 3)));
}

std::size_t DocumentView::itemAt(double y) const {
  if (items_.empty()) return 0;
  auto it = std::upper_bound(tops_.begin() + 1, tops_.end(), y);
  return std::min(static_cast<std::size_t>(it - tops_.begin()) - 1, items_.size() - 1);
}

std::optional<std::size_t> DocumentView::itemOf(int story, long position) const {
  const host::Story* s = doc_.story(story);
  if (!s) return std::nullopt;
  const std::size_t block = s->blockAt(position);
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].story == story && items_[i].kind != Kind::Heading && items_[i].first <= block &&
        block < items_[i].last)
      return i;
  return std::nullopt;
}

void DocumentView::settle() {
  const double width = columnWidth();
  const bool reread = stale_ || stamp_ != doc_.editStamp();
  if (reread || width != laidWidth_) {
    // Keep the item at the top of the view where it is.
    std::optional<Item> anchor;
    double offset = 0;
    if (!items_.empty() && !topsDirty_) {
      const double value = verticalScrollBar()->value();
      const std::size_t top = itemAt(value);
      anchor = items_[top];
      offset = value - tops_[top];
    }
    if (reread) {
      buildItems();
    } else {
      laid_.clear();
      for (std::size_t i = 0; i < items_.size(); ++i) heights_[i] = estimate(items_[i]);
      topsDirty_ = true;
    }
    stale_ = false;
    stamp_ = doc_.editStamp();
    laidWidth_ = width;
    updateTops();
    updateScrollBar();
    if (anchor) {
      for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].story == anchor->story && items_[i].kind == anchor->kind && items_[i].first <= anchor->first &&
            anchor->first < std::max(items_[i].last, items_[i].first + 1)) {
          verticalScrollBar()->setValue(static_cast<int>(tops_[i] + offset));
          break;
        }
      }
    }
  }
  updateTops();
  updateScrollBar();
  if (items_.empty()) return;

  // The first item in sight is laid out first. When it stands partly above the view, what
  // follows it keeps its place on the screen whatever height the estimate had.
  QScrollBar* bar = verticalScrollBar();
  std::size_t first = itemAt(bar->value());
  if (!laid_.count(first)) {
    const double before = heights_[first];
    laid(first);
    const double delta = heights_[first] - before;
    updateTops();
    updateScrollBar();
    if (delta != 0 && tops_[first] < bar->value()) bar->setValue(static_cast<int>(bar->value() + delta));
  }
  first = itemAt(bar->value());
  const double bottom = bar->value() + viewport()->height();
  double y = tops_[first];
  std::size_t i = first;
  for (; i < items_.size() && y < bottom; ++i) y += laid(i).height;
  updateTops();
  updateScrollBar();
  trimCache(first, i);
}

void DocumentView::trimCache(std::size_t first, std::size_t last) {
  if (laid_.size() <= kKeptItems) return;
  for (auto it = laid_.begin(); it != laid_.end();) {
    if (it->first + kKeptItems / 4 < first || it->first > last + kKeptItems / 4) it = laid_.erase(it);
    else ++it;
  }
}

void DocumentView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const qreal ratio = devicePixelRatioF();
  const QSize size = viewport()->size() * ratio;
  // While the screen does not update, the view shows what it showed.
  if (!app_.ScreenUpdating() && !forceRepaint_ && !frame_.isNull() && frame_.size() == size) {
    painter.drawPixmap(0, 0, frame_);
    return;
  }
  forceRepaint_ = false;
  frame_ = QPixmap(size);
  frame_.setDevicePixelRatio(ratio);
  {
    QPainter framePainter(&frame_);
    render(framePainter);
  }
  painter.drawPixmap(0, 0, frame_);
}

void DocumentView::render(QPainter& painter) {
  settle();
  const QRectF area(QPointF(0, 0), QSizeF(viewport()->size()));
  painter.fillRect(area, QColor(230, 230, 230));
  const double left = columnLeft();
  const double width = columnWidth();
  painter.fillRect(QRectF(left - kPagePadding, 0, width + 2 * kPagePadding, area.height()), Qt::white);
  if (items_.empty()) return;

  host::Range selection = doc_.SelectionRange();
  const int selStory = selection.StoryType();
  const long selStart = selection.Start(), selEnd = selection.End();
  const double value = verticalScrollBar()->value();
  std::size_t i = itemAt(value);
  for (double y = tops_[i] - value; i < items_.size() && y < area.height(); y += heights_[i], ++i) {
    const Item& item = items_[i];
    const Laid& l = laid(i);
    if (item.kind == Kind::Heading) {
      painter.setFont(HeadingFont());
      painter.setPen(Qt::darkGray);
      const QRectF band(left, y, width, l.height);
      painter.drawText(band.adjusted(0, 0, 0, -6), Qt::AlignLeft | Qt::AlignBottom, StoryName(item.story));
      painter.drawLine(QPointF(left, band.bottom() - 4), QPointF(left + width, band.bottom() - 4));
      continue;
    }
    painter.setPen(QColor(180, 180, 180));
    for (const QRectF& cell : l.cells) painter.drawRect(cell.translated(left, y));
    for (const Placed& p : l.paragraphs) {
      const bool here = item.story == selStory;
      p.layout->paint(painter, QPointF(left + p.at.x(), y + p.at.y()), here ? selStart : -1, here ? selEnd : -1);
    }
  }
}

void DocumentView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  viewport()->update();
}

void DocumentView::select(int story, long start, long end) {
  host::Range range = doc_.StoryRanges().Item(story);
  range.SetRange(start, end);
  range.Select();
  viewport()->update();
  if (onSelectionMoved_) onSelectionMoved_();
}

void DocumentView::mousePressEvent(QMouseEvent* event) {
  if (!interactive_ || event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  settle();
  if (items_.empty()) return;
  const double y = verticalScrollBar()->value() + event->position().y();
  const std::size_t i = itemAt(y);
  const Laid& l = laid(i);
  if (l.paragraphs.empty()) return;
  const QPointF local(event->position().x() - columnLeft(), y - tops_[i]);
  // The paragraph under the point: in the cell the point is in (or the nearest), the last
  // one that starts above it.
  const Placed* hit = nullptr;
  double nearest = 1e300;
  for (const Placed& p : l.paragraphs) {
    const double distance = local.x() < p.cell.left()     ? p.cell.left() - local.x()
                            : local.x() >= p.cell.right() ? local.x() - p.cell.right()
                                                          : 0;
    if (distance < nearest || (distance == nearest && p.at.y() <= local.y())) {
      nearest = distance;
      hit = &p;
    }
  }
  const long position = hit->layout->positionAt(local - hit->at);
  const int story = items_[i].story;
  host::Range selection = doc_.SelectionRange();
  if ((event->modifiers() & Qt::ShiftModifier) && selection.StoryType() == story) {
    if (position < selection.Start()) select(story, position, selection.End());
    else select(story, selection.Start(), position);
  } else {
    select(story, position, position);
  }
}

void DocumentView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (interactive_ && ctrl && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
    for (int type : storyTypes_) {
      const host::Story* story = doc_.story(type);
      if (!story) continue;
      const long at = event->key() == Qt::Key_Home ? 0 : std::max(0L, story->length() - 1);
      select(type, at, at);
      showSelection();
      return;
    }
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void DocumentView::showSelection() {
  settle();
  host::Range selection = doc_.SelectionRange();
  const std::optional<std::size_t> i = itemOf(selection.StoryType(), selection.Start());
  if (!i) return;
  const Laid& l = laid(*i);
  updateTops();
  updateScrollBar();
  double top = tops_[*i];
  for (const Placed& p : l.paragraphs)
    if (p.layout->firstPosition() <= selection.Start() && selection.Start() <= p.layout->markPosition())
      top += p.at.y() + p.layout->caretRect(selection.Start()).top();
  QScrollBar* bar = verticalScrollBar();
  const int page = viewport()->height();
  if (top < bar->value() || top > bar->value() + page - 40) bar->setValue(static_cast<int>(top - page / 3));
  viewport()->update();
}

std::optional<QRect> DocumentView::caretInViewport() {
  settle();
  host::Range selection = doc_.SelectionRange();
  if (selection.Start() != selection.End()) return std::nullopt;
  const std::optional<std::size_t> i = itemOf(selection.StoryType(), selection.Start());
  if (!i) return std::nullopt;
  const Laid& l = laid(*i);
  updateTops();
  for (const Placed& p : l.paragraphs) {
    if (p.layout->firstPosition() > selection.Start() || selection.Start() > p.layout->markPosition()) continue;
    const QRectF r = p.layout->caretRect(selection.Start())
                         .translated(columnLeft() + p.at.x(), tops_[*i] - verticalScrollBar()->value() + p.at.y());
    if (viewport()->rect().intersects(r.toRect())) return r.toRect();
  }
  return std::nullopt;
}

QStringList DocumentView::paragraphTexts() {
  QStringList out;
  for (int type : storyTypes_) {
    host::Story* story = doc_.story(type);
    if (!story) continue;
    for (std::size_t b = 0; b < story->blocks().size(); ++b)
      if (!story->blocks()[b].rowEnd) out.append(MakeDisplayText(reader_.read(*story, b)).text);
  }
  return out;
}

}  // namespace app::desktop
