// The surface's keys outside the keypad: lamp keys, square keys, arrows,
// Shift and the transport keys.
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/art/ArtCatalogue.h"
#include "ui/art/ArtKit.h"

namespace quorbel::art {

namespace {

// A wide flat key with a lamp slot at its left end (F keys, Bank keys, Assign).
void PaintFlatLampKey(QPainter& p, const QRectF& r, bool pressed, const QColor& lamp,
                      CapTone tone) {
  const QRectF face = DrawKeyCap(p, r, pressed, false, 2, tone);
  const QRectF lens(face.left() + 3.5, face.center().y() - 1.5, 7, 3);
  DrawLamp(p, lens, lamp, pressed);
}

// A cap whose selection shows as a warm light under the sunken cap.
void PaintBacklitGlow(QPainter& p, const QRectF& face) {
  QColor glow = Palette::Selection();
  glow.setAlpha(70);
  QColor none = glow;
  none.setAlpha(0);
  QRadialGradient light(face.center(), std::max(face.width(), face.height()) * 0.6);
  light.setColorAt(0, glow);
  light.setColorAt(1, none);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawRoundedRect(face, 2, 2);
  p.restore();
}

void PaintSquareKey(QPainter& p, const QRectF& r, bool pressed) {
  const QRectF face = DrawKeyCap(p, r, pressed, pressed, 3);
  if (pressed) {
    PaintBacklitGlow(p, face);
    return;
  }
  // A shallow dish in the middle of the cap.
  QRadialGradient dish(face.center(), face.width() * 0.45);
  dish.setColorAt(0, QColor(0, 0, 0, 40));
  dish.setColorAt(1, QColor(0, 0, 0, 0));
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(dish);
  p.drawEllipse(face.center(), face.width() * 0.45, face.height() * 0.45);
  p.restore();
}

void PaintMKey(QPainter& p, const QRectF& r, bool pressed) {
  const QRectF face = DrawKeyCap(p, r, pressed, false, 3);
  const QRectF lens(face.center().x() - 5, face.top() + 3.5, 10, 3);
  DrawLamp(p, lens, Palette::Green(), pressed);
}

void PaintPageKey(QPainter& p, const QRectF& r, bool pressed) {
  const QRectF face = DrawKeyCap(p, r, pressed, false, 2);
  const QRectF lens(face.center().x() - 2, face.center().y() - 2, 4, 4);
  DrawLamp(p, lens, Palette::Red(), pressed);
}

// Shift latches the layer: its lamps show layer 1 or layer 2.
void PaintShiftKey(QPainter& p, const QRectF& r, bool secondLayer) {
  const QRectF face = DrawKeyCap(p, r, secondLayer, false, 3, CapTone::Slate);
  DrawLegend(p, QRectF(face.left(), face.top() + 1, face.width(), 9), QStringLiteral("SHIFT"), 7,
             Palette::Legend(), Qt::AlignCenter, true, 0.4);
  const qreal y = face.bottom() - 6;
  DrawLamp(p, QRectF(face.center().x() - 9, y, 6, 3), Palette::Amber(), !secondLayer);
  DrawLamp(p, QRectF(face.center().x() + 3, y, 6, 3), Palette::Amber(), secondLayer);
}

QPainterPath Triangle(QPointF tip, QPointF a, QPointF b) {
  QPainterPath path;
  path.moveTo(tip);
  path.lineTo(a);
  path.lineTo(b);
  path.closeSubpath();
  return path;
}

// One arm of the arrow cross. Left and Right (and Up and Down) share one
// image, so each arm carries the arrows of its axis.
void PaintArrowKey(QPainter& p, const QRectF& r, bool pressed, bool horizontal) {
  const QRectF face = DrawKeyCap(p, r, pressed, pressed, 3);
  if (pressed) PaintBacklitGlow(p, face);
  const QPointF c = face.center();
  const qreal gap = 3.5;
  const qreal length = 3.5;
  const qreal half = 3;
  QPainterPath arrows;
  if (horizontal) {
    arrows.addPath(Triangle({c.x() - gap - length, c.y()}, {c.x() - gap, c.y() - half},
                            {c.x() - gap, c.y() + half}));
    arrows.addPath(Triangle({c.x() + gap + length, c.y()}, {c.x() + gap, c.y() - half},
                            {c.x() + gap, c.y() + half}));
  } else {
    arrows.addPath(Triangle({c.x(), c.y() - gap - length}, {c.x() - half, c.y() - gap},
                            {c.x() + half, c.y() - gap}));
    arrows.addPath(Triangle({c.x(), c.y() + gap + length}, {c.x() - half, c.y() + gap},
                            {c.x() + half, c.y() + gap}));
  }
  if (pressed) {
    DrawGlowingShape(p, arrows, Palette::Selection());
    return;
  }
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(Palette::Legend());
  p.drawPath(arrows);
  p.restore();
}

enum class Transport { Rewind, FastForward, Stop, Play, Record };

QPainterPath TransportSymbol(Transport kind, QPointF c) {
  QPainterPath path;
  switch (kind) {
    case Transport::Rewind:
      path.addPath(Triangle({c.x() - 8, c.y()}, {c.x(), c.y() - 5.5}, {c.x(), c.y() + 5.5}));
      path.addPath(Triangle({c.x(), c.y()}, {c.x() + 8, c.y() - 5.5}, {c.x() + 8, c.y() + 5.5}));
      break;
    case Transport::FastForward:
      path.addPath(Triangle({c.x() + 8, c.y()}, {c.x(), c.y() - 5.5}, {c.x(), c.y() + 5.5}));
      path.addPath(Triangle({c.x(), c.y()}, {c.x() - 8, c.y() - 5.5}, {c.x() - 8, c.y() + 5.5}));
      break;
    case Transport::Stop:
      path.addRoundedRect(QRectF(c.x() - 5, c.y() - 5, 10, 10), 1, 1);
      break;
    case Transport::Play:
      path.addPath(
          Triangle({c.x() + 6.5, c.y()}, {c.x() - 4.5, c.y() - 6.5}, {c.x() - 4.5, c.y() + 6.5}));
      break;
    case Transport::Record:
      path.addEllipse(c, 5.5, 5.5);
      break;
  }
  return path;
}

QColor TransportLight(Transport kind) {
  switch (kind) {
    case Transport::Play:
      return Palette::Green();
    case Transport::Record:
      return Palette::Red();
    default:
      return Palette::Amber();
  }
}

// Transport keys light their symbol while selected; Record is always red.
void PaintTransportKey(QPainter& p, const QRectF& r, bool pressed, Transport kind) {
  const QRectF face = DrawKeyCap(p, r, pressed, false, 3);
  const QPainterPath symbol = TransportSymbol(kind, face.center());
  if (pressed) {
    DrawGlowingShape(p, symbol, TransportLight(kind));
    return;
  }
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kind == Transport::Record ? QColor(200, 44, 36) : Palette::Legend());
  p.drawPath(symbol);
  p.restore();
}

}  // namespace

void AddKeyArt(ArtCatalogue& catalogue) {
  AddPair(catalogue, "$FuncUp", "$FuncDn", {38, 13}, [](QPainter& p, const QRectF& r, bool dn) {
    PaintFlatLampKey(p, r, dn, Palette::Amber(), CapTone::Charcoal);
  });
  AddPair(catalogue, "$AssignUp", "$AssignDn", {38, 13}, [](QPainter& p, const QRectF& r, bool dn) {
    PaintFlatLampKey(p, r, dn, Palette::Red(), CapTone::Slate);
  });
  AddPair(catalogue, "$SqUp", "$SqDn", {24, 24}, PaintSquareKey);
  AddPair(catalogue, "$MLedUp", "$MLedDn", {32, 32}, PaintMKey);
  AddPair(catalogue, "$RecLedUp", "$RecLedDn", {28, 18}, PaintPageKey);
  AddPair(catalogue, "$ShiftUp", "$ShiftDn", {40, 24}, PaintShiftKey);
  AddPair(catalogue, "$HorUp", "$HorDn", {32, 16},
          [](QPainter& p, const QRectF& r, bool dn) { PaintArrowKey(p, r, dn, true); });
  AddPair(catalogue, "$VertUp", "$VertDn", {16, 32},
          [](QPainter& p, const QRectF& r, bool dn) { PaintArrowKey(p, r, dn, false); });

  const struct {
    const char* released;
    const char* pressed;
    Transport kind;
  } transport[] = {{"$RewUp", "$RewDn", Transport::Rewind},
                   {"$FFUp", "$ffDn", Transport::FastForward},
                   {"$StopUp", "$StopDn", Transport::Stop},
                   {"$PlayUp", "$PlayDn", Transport::Play},
                   {"$RecUp", "$RecDn", Transport::Record}};
  for (const auto& key : transport) {
    const Transport kind = key.kind;
    AddPair(catalogue, key.released, key.pressed, {33, 33},
            [kind](QPainter& p, const QRectF& r, bool dn) { PaintTransportKey(p, r, dn, kind); });
  }
}

}  // namespace quorbel::art
