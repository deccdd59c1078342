// The jog wheel with its shuttle ring, the encoders and the shuttle lamps.
#include <QConicalGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <tuple>

#include "ui/art/ArtCatalogue.h"
#include "ui/art/ArtKit.h"

namespace quorbel::art {

namespace {

constexpr qreal kWheelRadius = 66;
constexpr qreal kJogRadius = 47;
constexpr QSize kWheelHalf{67, 134};

enum class Side { Left, Right };

QPointF OnCircle(QPointF centre, qreal radius, qreal degrees) {
  const qreal a = degrees * std::numbers::pi / 180;
  return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

void PaintShuttleRing(QPainter& p, QPointF c) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawEllipse(c + QPointF(0, 1), kWheelRadius + 0.5, kWheelRadius + 0.5);
  QRadialGradient rubber(c, kWheelRadius);
  rubber.setColorAt(0.7, QColor(44, 46, 51));
  rubber.setColorAt(0.93, QColor(30, 32, 36));
  rubber.setColorAt(1, QColor(16, 17, 19));
  p.setBrush(rubber);
  p.drawEllipse(c, kWheelRadius, kWheelRadius);
  // Ridges for the thumb.
  p.setPen(QPen(QColor(70, 74, 80), 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 60; ++i) {
    const qreal degrees = i * 6.0;
    p.drawLine(OnCircle(c, kJogRadius + 5, degrees), OnCircle(c, kWheelRadius - 3, degrees));
  }
}

void PaintJogWheel(QPainter& p, QPointF c) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(10, 11, 12));
  p.drawEllipse(c, kJogRadius + 1.5, kJogRadius + 1.5);
  // Spun metal: a conical sheen that catches the light twice around.
  QConicalGradient sheen(c, 60);
  const QColor dark(96, 101, 108);
  const QColor light(206, 210, 215);
  sheen.setColorAt(0.0, light);
  sheen.setColorAt(0.12, dark);
  sheen.setColorAt(0.38, QColor(150, 155, 161));
  sheen.setColorAt(0.5, light);
  sheen.setColorAt(0.62, dark);
  sheen.setColorAt(0.88, QColor(150, 155, 161));
  sheen.setColorAt(1.0, light);
  p.setBrush(sheen);
  p.drawEllipse(c, kJogRadius, kJogRadius);
  // Fine turning rings.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 26), 0.6));
  for (qreal r = 10; r < kJogRadius; r += 4) p.drawEllipse(c, r, r);
  // The finger dimple.
  const QPointF dimple = OnCircle(c, 30, 40);
  QRadialGradient dish(dimple, 8);
  dish.setColorAt(0, QColor(120, 125, 131));
  dish.setColorAt(0.75, QColor(80, 84, 90));
  dish.setColorAt(1, QColor(40, 42, 46));
  p.setPen(Qt::NoPen);
  p.setBrush(dish);
  p.drawEllipse(dimple, 8, 8);
  // The hub.
  p.setBrush(QColor(36, 38, 42));
  p.drawEllipse(c, 6, 6);
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawEllipse(c - QPointF(1.5, 1.5), 2, 2);
}

// The turned half of the wheel lights its side of the ring.
void PaintTurnLight(QPainter& p, QPointF c, Side side) {
  const int start = side == Side::Left ? 90 * 16 : -90 * 16;
  const QRectF ring(c.x() - kWheelRadius + 2, c.y() - kWheelRadius + 2, 2 * kWheelRadius - 4,
                    2 * kWheelRadius - 4);
  QColor haze = Palette::Selection();
  haze.setAlpha(80);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(haze, 5, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(ring, start, 180 * 16);
  p.setPen(QPen(Palette::Selection().lighter(125), 1.8, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(ring, start, 180 * 16);
}

// Each half image shows its half of one wheel centred on their common edge.
void PaintWheelHalf(QPainter& p, const QRectF& r, Side side, bool turned) {
  const QPointF centre(side == Side::Left ? r.right() : r.left(), r.center().y());
  p.save();
  PaintShuttleRing(p, centre);
  PaintJogWheel(p, centre);
  if (turned) PaintTurnLight(p, centre, side);
  p.restore();
}

// Encoder halves: a knurled knob split down its middle, and an arrow below
// for the direction, which lights when that half is selected.
void PaintEncoderHalf(QPainter& p, const QRectF& r, Side side, bool selected) {
  const QPointF c(side == Side::Left ? r.right() : r.left(), r.top() + 8.5);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 110));
  p.drawEllipse(c + QPointF(0, 0.8), 8.3, 8.3);
  QRadialGradient body(c - QPointF(2, 3), 10);
  body.setColorAt(0, QColor(104, 109, 116));
  body.setColorAt(1, QColor(34, 36, 40));
  p.setBrush(body);
  p.drawEllipse(c, 8, 8);
  p.setPen(QPen(QColor(0, 0, 0, 90), 0.6));
  for (int i = 0; i < 24; ++i) p.drawLine(OnCircle(c, 6.6, i * 15.0), OnCircle(c, 8, i * 15.0));
  p.setPen(QPen(Palette::Legend(), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x(), c.y() - 6.5), QPointF(c.x(), c.y() - 3));
  const qreal tip = side == Side::Left ? r.left() + 1.5 : r.right() - 1.5;
  const qreal back = side == Side::Left ? r.left() + 6.5 : r.right() - 6.5;
  QPainterPath arrow;
  arrow.moveTo(tip, r.bottom() - 2.5);
  arrow.lineTo(back, r.bottom() - 5);
  arrow.lineTo(back, r.bottom());
  arrow.closeSubpath();
  if (selected) {
    QColor haze = Palette::Selection();
    haze.setAlpha(110);
    p.setPen(QPen(haze, 1.6));
    p.setBrush(Qt::NoBrush);
    const int start = side == Side::Left ? 90 * 16 : -90 * 16;
    p.drawArc(QRectF(c.x() - 8, c.y() - 8, 16, 16), start, 180 * 16);
    p.setPen(QPen(haze, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(selected ? Palette::Selection().lighter(120) : Palette::PrintOnChassis());
  p.drawPath(arrow);
  p.restore();
}

// The legend strip under the wheel: "JOG" and "SHUTTLE", each lit while
// the wheel or the ring is being turned. The lit images lie over the strip.
constexpr qreal kJogWidth = 59;
constexpr qreal kShuttleWidth = 66;

void PaintJogShuttleStrip(QPainter& p, qreal height, bool jogLit, bool shuttleLit) {
  const QRectF strip(0, 0, kJogWidth + kShuttleWidth, height);
  const QRectF jog(0, 0, kJogWidth, height);
  const QRectF shuttle(kJogWidth, 0, kShuttleWidth, height);
  p.save();
  FillRecess(p, strip, 4);
  for (const auto& [section, text, lit] :
       {std::tuple{jog, QStringLiteral("JOG"), jogLit},
        std::tuple{shuttle, QStringLiteral("SHUTTLE"), shuttleLit}}) {
    if (lit) {
      p.save();
      p.setClipRect(section);
      QRadialGradient light(section.center(), section.width() * 0.6);
      QColor warm = Palette::Selection();
      warm.setAlpha(120);
      QColor edge = warm;
      edge.setAlpha(30);
      light.setColorAt(0, warm);
      light.setColorAt(1, edge);
      p.setPen(Qt::NoPen);
      p.setBrush(light);
      p.drawRoundedRect(strip.adjusted(1, 1, -1, -1), 3, 3);
      p.restore();
      DrawGlowingLegend(p, section, text, 8, Palette::Selection());
    } else {
      DrawLegend(p, section, text, 8, Palette::PrintOnPlate(), Qt::AlignCenter, true, 0.8);
    }
  }
  p.setPen(QPen(QColor(0, 0, 0, 160), 1));
  p.drawLine(QPointF(kJogWidth - 0.5, 3), QPointF(kJogWidth - 0.5, height - 3));
  p.restore();
}

}  // namespace

void AddWheelArt(ArtCatalogue& catalogue) {
  // The left half's selected image carries the historical name "$RtWheelSel".
  AddPair(catalogue, "$LfWheel", "$RtWheelSel", kWheelHalf,
          [](QPainter& p, const QRectF& r, bool dn) { PaintWheelHalf(p, r, Side::Left, dn); });
  AddPair(catalogue, "$RtWheel", "$RtWhSel", kWheelHalf,
          [](QPainter& p, const QRectF& r, bool dn) { PaintWheelHalf(p, r, Side::Right, dn); });
  AddPair(catalogue, "$EncLf", "$EncLfSel", {9, 22},
          [](QPainter& p, const QRectF& r, bool dn) { PaintEncoderHalf(p, r, Side::Left, dn); });
  AddPair(catalogue, "$EncRt", "$EncRtSel", {9, 22},
          [](QPainter& p, const QRectF& r, bool dn) { PaintEncoderHalf(p, r, Side::Right, dn); });
  AddPair(catalogue, "$redoff", "$redon", {12, 5}, [](QPainter& p, const QRectF& r, bool on) {
    DrawLamp(p, r.adjusted(0.5, 0.5, -0.5, -0.5), Palette::Red(), on);
  });

  const qreal height = 18;
  const QSize strip(static_cast<int>(kJogWidth + kShuttleWidth), static_cast<int>(height));
  catalogue["$jogshuttle"] = {strip, [height](QPainter& p, const QRectF&) {
                                PaintJogShuttleStrip(p, height, false, false);
                              }};
  catalogue["$jogdn"] = {
      QSize(static_cast<int>(kJogWidth), strip.height()),
      [height](QPainter& p, const QRectF&) { PaintJogShuttleStrip(p, height, true, false); }};
  catalogue["$shuttledn"] = {QSize(static_cast<int>(kShuttleWidth), strip.height()),
                             [height](QPainter& p, const QRectF&) {
                               p.translate(-kJogWidth, 0);
                               PaintJogShuttleStrip(p, height, false, true);
                             }};
}

}  // namespace quorbel::art
