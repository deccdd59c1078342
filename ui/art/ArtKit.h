#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace quorbel::art {

// The surface's colours: dark anodised plates and keys on the grey chassis,
// white legends, and lamps that glow in their own colour.
struct Palette {
  static QColor Chassis() { return {119, 119, 119}; }
  static QColor PlateTop() { return {62, 66, 72}; }
  static QColor PlateBottom() { return {40, 43, 48}; }
  static QColor PlateEdge() { return {20, 21, 24}; }
  static QColor Well() { return {14, 15, 17}; }
  static QColor Legend() { return {236, 236, 230}; }
  static QColor PrintOnPlate() { return {196, 199, 203}; }
  static QColor PrintOnChassis() { return {28, 30, 33}; }
  static QColor Selection() { return {255, 178, 64}; }
  static QColor Amber() { return {255, 166, 36}; }
  static QColor Green() { return {80, 230, 110}; }
  static QColor Red() { return {255, 56, 44}; }
};

enum class CapTone { Charcoal, Slate, Crimson };

// A flat anodised plate with a bright top edge and a dark rim.
void FillPlate(QPainter& painter, const QRectF& area, qreal radius);
// A recessed well, darker at the top where the plate's edge shades it.
void FillRecess(QPainter& painter, const QRectF& area, qreal radius);

// A key cap sitting in its hole. A pressed cap sinks by one pixel and loses
// its skirt; `lit` rims it with the selection colour. Returns the cap's face,
// where the legend goes.
QRectF DrawKeyCap(QPainter& painter, const QRectF& area, bool pressed, bool lit, qreal radius,
                  CapTone tone = CapTone::Charcoal);

// A lamp lens: dark and tinted when off, a bright core with a halo when on.
void DrawLamp(QPainter& painter, const QRectF& lens, const QColor& hue, bool on);

// Text in the surface's sans-serif face, `pixels` tall at normal scale.
void DrawLegend(QPainter& painter, const QRectF& area, const QString& text, qreal pixels,
                const QColor& colour, int flags = Qt::AlignCenter, bool bold = true,
                qreal spacing = 0);

// A legend that glows in `glow` behind the text, for lit keys.
void DrawGlowingLegend(QPainter& painter, const QRectF& area, const QString& text, qreal pixels,
                       const QColor& glow, int flags = Qt::AlignCenter);

// Any shape lit from behind in `glow`: a soft halo around a hot core.
void DrawGlowingShape(QPainter& painter, const QPainterPath& shape, const QColor& glow);

}  // namespace quorbel::art
