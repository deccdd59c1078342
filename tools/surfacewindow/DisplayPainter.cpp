#include "tools/surfacewindow/DisplayPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>

namespace quorbel::surfacewindow {

namespace {

// Margins between the glass's edge and the character cells.
constexpr qreal kSideMargin = 3;
constexpr qreal kTopMargin = 4;
// A character fills this share of its cell's height.
constexpr qreal kGlyphHeight = 0.6;

QColor Backlight() { return {24, 64, 68}; }
QColor Segment() { return {168, 246, 232}; }

QFont DisplayFont() {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(10);
  font.setBold(true);
  return font;
}

void PaintGlass(QPainter& p, const QRectF& glass) {
  QLinearGradient light(glass.topLeft(), glass.bottomLeft());
  light.setColorAt(0, Backlight().lighter(112));
  light.setColorAt(1, Backlight().darker(125));
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawRect(glass);
  // The cells a character can light, faintly visible on the glass.
  p.setBrush(QColor(120, 220, 210, 14));
  for (int position = 0; position < kDisplayColumns * kDisplayLines; ++position) {
    p.drawRect(DisplayCellRect(glass, position).adjusted(0.4, 1, -0.4, -1.5));
  }
}

void PaintCharacter(QPainter& p, const QRectF& cell, char code, const QFont& font) {
  const auto unsignedCode = static_cast<unsigned char>(code);
  if (unsignedCode <= 0x20 || unsignedCode == 0x7F) return;
  const QString text(QChar(static_cast<char16_t>(unsignedCode)));
  const QFontMetricsF metrics(font);
  // Narrow, tall characters, as a dot-matrix display shows them.
  const qreal across = cell.width() / metrics.horizontalAdvance(QLatin1Char('M'));
  const qreal down = cell.height() * kGlyphHeight / metrics.capHeight();
  p.save();
  // Each character has its own cell of dots and cannot spill into the next.
  p.setClipRect(cell, Qt::IntersectClip);
  p.translate(cell.center());
  p.scale(across, down);
  const QRectF box(-cell.width() / across / 2, -cell.height() / down / 2, cell.width() / across,
                   cell.height() / down);
  p.drawText(box, Qt::AlignCenter, text);
  p.restore();
}

}  // namespace

QRectF DisplayCellRect(const QRectF& glass, int position) {
  const qreal width = (glass.width() - 2 * kSideMargin) / kDisplayColumns;
  const qreal height = (glass.height() - 2 * kTopMargin) / kDisplayLines;
  const int column = position % kDisplayColumns;
  const int line = position / kDisplayColumns;
  return {glass.left() + kSideMargin + column * width, glass.top() + kTopMargin + line * height,
          width, height};
}

void PaintDisplay(QPainter& p, const QRectF& glass, const surfacetool::SurfaceState& state) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  PaintGlass(p, glass);
  const QFont font = DisplayFont();
  p.setFont(font);
  p.setPen(Segment());
  for (int position = 0; position < kDisplayColumns * kDisplayLines; ++position) {
    if (const auto code = state.DisplayCell(position)) {
      PaintCharacter(p, DisplayCellRect(glass, position), *code, font);
    }
  }
  p.restore();
}

}  // namespace quorbel::surfacewindow
