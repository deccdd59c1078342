// Printed labels, the layer lamps and the program's icon.
#include <QPainterPath>
#include <QRadialGradient>
#include <string>

#include "ui/art/ArtCatalogue.h"
#include "ui/art/ArtKit.h"

namespace quorbel::art {

namespace {

void AddPrint(ArtCatalogue& catalogue, const std::string& name, QSize size, const QString& text,
              qreal pixels, qreal spacing) {
  catalogue[LowerCase(name)] = {size, [text, pixels, spacing](QPainter& p, const QRectF& r) {
                                  DrawLegend(p, r, text, pixels, Palette::PrintOnChassis(),
                                             Qt::AlignLeft | Qt::AlignVCenter, true, spacing);
                                }};
}

// A lamp in a bright metal bezel, as the layer lamps in the top strip.
void PaintBezelLamp(QPainter& p, const QRectF& r, bool on) {
  p.save();
  p.setPen(Qt::NoPen);
  QRadialGradient bezel(r.center() - QPointF(2, 2), r.width() * 0.7);
  bezel.setColorAt(0, QColor(236, 238, 240));
  bezel.setColorAt(1, QColor(120, 124, 130));
  p.setBrush(bezel);
  p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
  // The lamp's light stays inside its bezel.
  QPainterPath inside;
  inside.addEllipse(r);
  p.setClipPath(inside);
  DrawLamp(p, r.adjusted(3, 3, -3, -3), Palette::Red(), on);
  p.restore();
}

// The program's icon: a small jog wheel on a dark plate.
void PaintIcon(QPainter& p, const QRectF& r) {
  FillPlate(p, r, 6);
  const QPointF c = r.center();
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(22, 23, 26));
  p.drawEllipse(c, 12, 12);
  QRadialGradient metal(c - QPointF(3, 4), 14);
  metal.setColorAt(0, QColor(222, 225, 229));
  metal.setColorAt(1, QColor(104, 109, 116));
  p.setBrush(metal);
  p.drawEllipse(c, 8.5, 8.5);
  p.setBrush(Palette::Selection());
  p.drawEllipse(c + QPointF(4, -4), 2.4, 2.4);
  p.restore();
}

}  // namespace

void AddLabelArt(ArtCatalogue& catalogue) {
  for (int w = 1; w <= 8; ++w) {
    AddPrint(catalogue, "$w" + std::to_string(w), {16, 9}, QStringLiteral("W%1").arg(w), 8, 0);
  }
  for (int bank = 1; bank <= 4; ++bank) {
    AddPrint(catalogue, "$Bank" + std::to_string(bank), {34, 9},
             QStringLiteral("BANK %1").arg(bank), 7, 0.3);
  }
  AddPrint(catalogue, "$Assign", {34, 9}, QStringLiteral("ASSIGN"), 7, 0.3);
  AddPair(catalogue, "$Red1off", "$Red1on", {16, 16}, PaintBezelLamp);
  catalogue["$program"] = {{32, 32}, PaintIcon};
}

}  // namespace quorbel::art
