#pragma once
// A paragraph laid out for the document view: its shown characters turned into display text
// (note marks as their numbers, breaks as line breaks) with Qt character formats, broken into
// lines at a width with the paragraph's indents, alignment and spacing. It keeps the story
// position of each display character, so that a click finds its place and the selection its
// characters.

#include <vector>

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextLayout>

#include "host/model/shown_paragraph.h"

class QPainter;

namespace app::desktop {

/// The display text of a paragraph with its formats and the story position of each character.
struct DisplayText {
  QString text;
  QList<QTextLayout::FormatRange> formats;
  std::vector<long> positions;  // one per character of text, then the paragraph mark's
};

/// Turns a paragraph's shown runs into display text.
DisplayText MakeDisplayText(const host::ShownParagraph& paragraph);

/// A paragraph ready to paint.
class ParagraphLayout {
 public:
  /// Lays out the paragraph in a width of pixels (its indents inside it); pixelsPerPoint
  /// converts the document's points to the screen's pixels.
  ParagraphLayout(const host::ShownParagraph& paragraph, double width, double pixelsPerPoint);
  ParagraphLayout(const ParagraphLayout&) = delete;
  ParagraphLayout& operator=(const ParagraphLayout&) = delete;

  /// The height in pixels, with the space before and after.
  double height() const { return height_; }
  /// Paints with the top-left corner at `at`, showing the part of the story selection
  /// [selStart, selEnd) that falls in the paragraph, or the caret there when the selection is
  /// collapsed (selStart < 0: no selection here).
  void paint(QPainter& painter, QPointF at, long selStart, long selEnd) const;
  /// The story position a point (relative to the top-left corner) falls on.
  long positionAt(QPointF point) const;
  /// Where the caret at a story position stands, relative to the top-left corner.
  QRectF caretRect(long position) const;
  /// The display text.
  const QString& text() const { return display_.text; }
  /// The story position of the first character (the mark's when the paragraph is empty).
  long firstPosition() const { return display_.positions.front(); }
  /// The story position of the paragraph mark.
  long markPosition() const { return display_.positions.back(); }

 private:
  // The first display character at or after a story position (the text's length past its end).
  int indexOf(long position) const;

  DisplayText display_;
  QTextLayout layout_;
  double height_ = 0;
};

}  // namespace app::desktop
