#include "ui/art/ArtKit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <utility>

namespace quorbel::art {

namespace {

struct CapColours {
  QColor top;
  QColor bottom;
  QColor skirt;
};

CapColours ColoursOf(CapTone tone) {
  switch (tone) {
    case CapTone::Slate:
      return {{108, 114, 124}, {76, 81, 90}, {38, 40, 45}};
    case CapTone::Crimson:
      return {{150, 38, 34}, {104, 22, 20}, {52, 12, 11}};
    case CapTone::Charcoal:
      break;
  }
  return {{88, 92, 99}, {54, 57, 62}, {24, 25, 28}};
}

QFont LegendFont(int pixels, bool bold, qreal spacing) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, pixels));
  font.setBold(bold);
  if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  return font;
}

// Where the text's baseline starts so that it sits in `area` as `flags` ask;
// capitals and digits are centred on their cap height.
QPointF BaselineFor(const QFontMetricsF& metrics, const QRectF& area, const QString& text,
                    int flags) {
  const qreal width = metrics.horizontalAdvance(text);
  qreal x = area.center().x() - width / 2;
  if (flags & Qt::AlignLeft) x = area.left();
  if (flags & Qt::AlignRight) x = area.right() - width;
  qreal y = area.center().y() + metrics.capHeight() / 2;
  if (flags & Qt::AlignTop) y = area.top() + metrics.capHeight();
  if (flags & Qt::AlignBottom) y = area.bottom();
  return {x, y};
}

// The fine horizontal grain of brushed, anodised aluminium: hairlines of
// varying strength, the same on every drawing.
void DrawBrushedGrain(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setClipRect(area);
  unsigned hash = 2166136261u;
  for (qreal y = area.top() + 0.25; y < area.bottom(); y += 0.75) {
    hash = (hash ^ static_cast<unsigned>(y * 4)) * 16777619u;
    const int strength = static_cast<int>(hash % 13);
    const bool light = (hash >> 8) & 1;
    painter.setPen(QPen(light ? QColor(255, 255, 255, strength) : QColor(0, 0, 0, strength), 0.5));
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
  }
  painter.restore();
}

}  // namespace

void FillPlate(QPainter& painter, const QRectF& area, qreal radius) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Palette::PlateEdge());
  painter.drawRoundedRect(area, radius, radius);
  QLinearGradient face(area.topLeft(), area.bottomLeft());
  face.setColorAt(0, Palette::PlateTop());
  face.setColorAt(1, Palette::PlateBottom());
  painter.setBrush(face);
  const QRectF inner = area.adjusted(1, 1, -1, -1);
  painter.drawRoundedRect(inner, std::max<qreal>(0, radius - 1), std::max<qreal>(0, radius - 1));
  DrawBrushedGrain(painter, inner);
  painter.setPen(QPen(QColor(255, 255, 255, 46), 1));
  painter.drawLine(QPointF(inner.left() + radius, inner.top() + 0.5),
                   QPointF(inner.right() - radius, inner.top() + 0.5));
  painter.restore();
}

void FillRecess(QPainter& painter, const QRectF& area, qreal radius) {
  painter.save();
  painter.setPen(Qt::NoPen);
  QLinearGradient well(area.topLeft(), area.bottomLeft());
  well.setColorAt(0, QColor(10, 11, 12));
  well.setColorAt(0.25, QColor(22, 24, 27));
  well.setColorAt(1, QColor(30, 32, 36));
  painter.setBrush(well);
  painter.drawRoundedRect(area, radius, radius);
  painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
  painter.drawLine(QPointF(area.left() + radius, area.bottom() - 0.5),
                   QPointF(area.right() - radius, area.bottom() - 0.5));
  painter.restore();
}

QRectF DrawKeyCap(QPainter& painter, const QRectF& area, bool pressed, bool lit, qreal radius,
                  CapTone tone) {
  const CapColours colours = ColoursOf(tone);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Palette::Well());
  painter.drawRoundedRect(area, radius + 0.5, radius + 0.5);

  const QRectF sunk = area.adjusted(1, 2, -1, -1);
  const QRectF cap = pressed ? sunk : area.adjusted(1, 1, -1, -2);
  if (!pressed) {
    painter.setBrush(colours.skirt);
    painter.drawRoundedRect(sunk, radius, radius);
  }
  QLinearGradient face(cap.topLeft(), cap.bottomLeft());
  face.setColorAt(0, pressed ? colours.top.darker(118) : colours.top);
  face.setColorAt(1, pressed ? colours.bottom.darker(112) : colours.bottom);
  painter.setBrush(face);
  painter.drawRoundedRect(cap, radius, radius);

  if (pressed) {
    // The edge of the hole shades the top of a sunken cap.
    QLinearGradient shade(cap.topLeft(), QPointF(cap.left(), cap.top() + 3));
    shade.setColorAt(0, QColor(0, 0, 0, 110));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setBrush(shade);
    painter.drawRoundedRect(cap, radius, radius);
  } else {
    painter.setPen(QPen(QColor(255, 255, 255, 64), 1));
    painter.drawLine(QPointF(cap.left() + radius, cap.top() + 0.5),
                     QPointF(cap.right() - radius, cap.top() + 0.5));
  }
  if (lit) {
    QColor rim = Palette::Selection();
    rim.setAlpha(230);
    painter.setPen(QPen(rim, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  }
  painter.restore();
  return cap;
}

void DrawLamp(QPainter& painter, const QRectF& lens, const QColor& hue, bool on) {
  painter.save();
  painter.setPen(Qt::NoPen);
  const qreal round = std::min(lens.width(), lens.height()) / 2;
  const QPointF centre = lens.center();
  if (on) {
    const qreal reach = std::max(lens.width(), lens.height()) * 1.3;
    QRadialGradient halo(centre, reach);
    QColor inner = hue;
    inner.setAlpha(150);
    QColor outer = hue;
    outer.setAlpha(0);
    halo.setColorAt(0, inner);
    halo.setColorAt(1, outer);
    painter.setBrush(halo);
    painter.drawEllipse(centre, reach, reach);
  }
  painter.setBrush(QColor(0, 0, 0, 170));
  painter.drawRoundedRect(lens.adjusted(-0.5, -0.5, 0.5, 0.5), round + 0.5, round + 0.5);
  QRadialGradient glass(centre, std::max(lens.width(), lens.height()) / 2 + 0.5);
  if (on) {
    glass.setColorAt(0, hue.lighter(185));
    glass.setColorAt(0.55, hue.lighter(115));
    glass.setColorAt(1, hue);
  } else {
    glass.setColorAt(0, hue.darker(300));
    glass.setColorAt(1, hue.darker(520));
  }
  painter.setBrush(glass);
  painter.drawRoundedRect(lens, round, round);
  // A small reflection keeps a dark lens readable as glass.
  painter.setBrush(QColor(255, 255, 255, on ? 120 : 60));
  const qreal spot = std::max<qreal>(0.8, round / 2.2);
  painter.drawEllipse(QPointF(lens.left() + round * 0.8, lens.top() + round * 0.7), spot, spot);
  painter.restore();
}

void DrawLegend(QPainter& painter, const QRectF& area, const QString& text, qreal pixels,
                const QColor& colour, int flags, bool bold, qreal spacing) {
  painter.save();
  const QFont font = LegendFont(qRound(pixels), bold, spacing);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(BaselineFor(QFontMetricsF(font), area, text, flags), text);
  painter.restore();
}

void DrawGlowingLegend(QPainter& painter, const QRectF& area, const QString& text, qreal pixels,
                       const QColor& glow, int flags) {
  const QFont font = LegendFont(qRound(pixels), true, 0);
  QPainterPath path;
  path.addText(BaselineFor(QFontMetricsF(font), area, text, flags), font, text);
  DrawGlowingShape(painter, path, glow);
}

void DrawGlowingShape(QPainter& painter, const QPainterPath& shape, const QColor& glow) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  // Light spreading from the shape: wide faint strokes under narrow ones.
  for (const auto& [width, alpha] : {std::pair{4.0, 28}, std::pair{2.6, 46}, std::pair{1.4, 80}}) {
    QColor haze = glow;
    haze.setAlpha(alpha);
    painter.setPen(QPen(haze, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shape);
  }
  painter.setPen(Qt::NoPen);
  QColor hot = glow;
  hot.setHsv(glow.hsvHue(), glow.hsvSaturation() * 70 / 100, 255);
  painter.setBrush(hot);
  painter.drawPath(shape);
  painter.restore();
}

}  // namespace quorbel::art
