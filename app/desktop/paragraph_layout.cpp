#include "app/desktop/paragraph_layout.h"

#include <algorithm>

#include <QFont>
#include <QPainter>
#include <QTextOption>

#include "host/text/text.h"

namespace app::desktop {
namespace {

// The word processor's highlight colours by index.
QColor HighlightColor(int index) {
  // clang-format off
  static const QColor kColors[] = {{},           Qt::black,          {0, 0, 255},     {0, 255, 255},   {0, 255, 0},
                                   {255, 0, 255}, {255, 0, 0},        {255, 255, 0},   Qt::white,       {0, 0, 128},
                                   {0, 128, 128}, {0, 128, 0},        {128, 0, 128},   {128, 0, 0},     {128, 128, 0},
                                   {128, 128, 128}, {192, 192, 192}};
  // clang-format on
  return index > 0 && index < static_cast<int>(std::size(kColors)) ? kColors[index] : QColor();
}

// Automatic text is black, or white on a dark highlight.
QColor TextColor(const host::RunFormat& f) {
  if (f.color != host::kColorAutomatic)
    return QColor(static_cast<int>(f.color & 0xFF), static_cast<int>((f.color >> 8) & 0xFF),
                  static_cast<int>((f.color >> 16) & 0xFF));
  const QColor highlight = HighlightColor(f.highlight);
  return highlight.isValid() && highlight.lightness() < 100 ? Qt::white : Qt::black;
}

QString FontFamily(const std::string& font) {
  if (font.empty() || font == "+minor") return QStringLiteral("Calibri");
  if (font == "+major") return QStringLiteral("Calibri Light");
  return QString::fromStdString(font);
}

QTextCharFormat CharFormat(const host::ShownRun& run) {
  const host::RunFormat& f = run.format;
  QTextCharFormat out;
  QFont font(FontFamily(f.font));
  font.setPointSizeF(f.halfPoints / 2.0);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  if (f.caps) font.setCapitalization(QFont::AllUppercase);
  out.setFont(font);
  out.setForeground(TextColor(f));
  if (const QColor highlight = HighlightColor(f.highlight); highlight.isValid()) out.setBackground(highlight);
  if (run.code) out.setBackground(QColor(224, 224, 224));  // a field code the view shows, shaded
  // Hidden text the view shows is dotted underneath.
  if (f.hidden) {
    out.setUnderlineStyle(QTextCharFormat::DotLine);
    out.setUnderlineColor(Qt::darkGray);
  }
  if (run.deleted) {
    out.setFontStrikeOut(true);
    out.setForeground(Qt::darkRed);
  }
  if (!run.noteMark.empty()) out.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  return out;
}

// What a character of the document shows as.
QChar DisplayChar(char16_t c) {
  switch (c) {
    case host::ch::kTab: return u'\t';
    case host::ch::kLineFeed:
    case host::ch::kLineBreak:
    case host::ch::kPageBreak:
    case host::ch::kColumnBreak: return QChar::LineSeparator;
    case host::ch::kObject: return QChar(0x25A1);  // a picture or object: a box in its place
    case host::ch::kNoBreakHyphen: return QChar(0x2011);
    case host::ch::kSoftHyphen: return QChar(0x00AD);
    default: return c < 0x20 ? QChar(u' ') : QChar(c);
  }
}

Qt::Alignment Alignment(int alignment) {
  switch (alignment) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    case 3: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
  }
}

}  // namespace

DisplayText MakeDisplayText(const host::ShownParagraph& paragraph) {
  DisplayText out;
  for (const host::ShownRun& run : paragraph.runs) {
    const int start = static_cast<int>(out.text.size());
    if (!run.noteMark.empty()) {
      const QString mark = QString::fromStdString(run.noteMark);
      out.text += mark;
      out.positions.insert(out.positions.end(), static_cast<std::size_t>(mark.size()), run.position);
    } else {
      for (std::size_t i = 0; i < run.text.size(); ++i) {
        out.text += DisplayChar(run.text[i]);
        out.positions.push_back(run.position + static_cast<long>(i));
      }
    }
    out.formats.append({start, static_cast<int>(out.text.size()) - start, CharFormat(run)});
  }
  out.positions.push_back(paragraph.markPosition);
  return out;
}

ParagraphLayout::ParagraphLayout(const host::ShownParagraph& paragraph, double width, double pixelsPerPoint)
    : display_(MakeDisplayText(paragraph)) {
  const host::ParagraphFormatValues& p = paragraph.format;
  // An empty paragraph is as high as the text it would hold.
  const QFont font = paragraph.runs.empty() ? QFont(FontFamily(""), 11) : CharFormat(paragraph.runs.front()).font();
  layout_.setText(display_.text);
  layout_.setFont(font);
  layout_.setFormats(display_.formats);
  QTextOption option(Alignment(p.alignment));
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(36 * pixelsPerPoint);  // the word processor's default stops, every half inch
  layout_.setTextOption(option);
  layout_.setCacheEnabled(true);

  const double left = std::max(0.0, p.indentLeft * pixelsPerPoint);
  const double right = std::max(0.0, p.indentRight * pixelsPerPoint);
  const double first = p.indentFirstLine * pixelsPerPoint;
  double y = std::clamp(p.spaceBefore, 0.0, 144.0) * pixelsPerPoint;
  layout_.beginLayout();
  for (bool firstLine = true;; firstLine = false) {
    QTextLine line = layout_.createLine();
    if (!line.isValid()) break;
    const double x = std::max(0.0, left + (firstLine ? first : 0.0));
    line.setLineWidth(std::max(24.0, width - x - right));
    line.setPosition(QPointF(x, y));
    double advance = line.height();
    if (p.lineExact)
      advance = p.lineAtLeast ? std::max(advance, p.lineSpacing * pixelsPerPoint) : p.lineSpacing * pixelsPerPoint;
    else if (p.lineSpacing > 1) advance *= std::min(p.lineSpacing, 3.0);
    y += advance;
  }
  layout_.endLayout();
  height_ = y + std::clamp(p.spaceAfter, 0.0, 144.0) * pixelsPerPoint;
}

int ParagraphLayout::indexOf(long position) const {
  const auto& pos = display_.positions;
  return static_cast<int>(std::lower_bound(pos.begin(), pos.end() - 1, position) - pos.begin());
}

void ParagraphLayout::paint(QPainter& painter, QPointF at, long selStart, long selEnd) const {
  QList<QTextLayout::FormatRange> selection;
  const bool caret = selStart >= 0 && selStart == selEnd;
  if (selStart >= 0 && !caret && selStart <= markPosition() && selEnd > firstPosition()) {
    const int from = indexOf(selStart), to = indexOf(selEnd);
    if (to > from) {
      QTextCharFormat selected;
      selected.setBackground(QColor(51, 153, 255));
      selected.setForeground(Qt::white);
      selection.append({from, to - from, selected});
    }
  }
  layout_.draw(&painter, at, selection);
  if (caret && selStart >= firstPosition() && selStart <= markPosition()) {
    const QRectF r = caretRect(selStart).translated(at);
    painter.fillRect(QRectF(r.left(), r.top(), 2, r.height()), Qt::black);
  }
}

long ParagraphLayout::positionAt(QPointF point) const {
  if (layout_.lineCount() == 0) return markPosition();
  QTextLine line = layout_.lineAt(layout_.lineCount() - 1);
  for (int i = 0; i < layout_.lineCount(); ++i) {
    if (point.y() < layout_.lineAt(i).rect().bottom()) {
      line = layout_.lineAt(i);
      break;
    }
  }
  const int index = line.xToCursor(point.x());
  return display_.positions[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(display_.text.size())))];
}

QRectF ParagraphLayout::caretRect(long position) const {
  const int index = indexOf(position);
  QTextLine line = layout_.lineForTextPosition(index);
  if (!line.isValid()) line = layout_.lineAt(layout_.lineCount() - 1);
  if (!line.isValid()) return QRectF(0, 0, 2, height_);
  return QRectF(line.cursorToX(index), line.y(), 2, line.height());
}

}  // namespace app::desktop
