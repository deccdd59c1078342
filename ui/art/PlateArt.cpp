// The plates the keys are mounted on, the displays, the logo and the
// wrist rest.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include "ui/art/ArtCatalogue.h"
#include "ui/art/ArtKit.h"
#include "ui/art/PanelArt.h"
#include "surface/PanelLayout.h"

namespace quorbel::art {

// The panel's layout is what the art draws to.
using namespace panel_layout;

namespace {

// Where picture `id` lies relative to picture `plate`, in pixels at normal scale.
QPointF OffsetOn(int id, int plate) {
  const PanelPlace* key = PlaceOf(id);
  const PanelPlace* under = PlaceOf(plate);
  return {static_cast<qreal>(ColumnToPixels(key->column) - ColumnToPixels(under->column)),
          static_cast<qreal>(RowToPixels(key->row) - RowToPixels(under->row))};
}

constexpr int kLcdPicture = 330;
constexpr int kFkeysPicture = 270;
constexpr int kMStripPicture = 375;
constexpr int kFirstPageKey = 1032;
constexpr int kFirstFKey = 1000;
constexpr int kFirstMKey = 1015;

// A liquid-crystal window: blue-green glass with its empty character cells.
void PaintLcdGlass(QPainter& p, const QRectF& glass, int columns, int lines) {
  QLinearGradient backlight(glass.topLeft(), glass.bottomLeft());
  backlight.setColorAt(0, QColor(22, 58, 62));
  backlight.setColorAt(1, QColor(14, 40, 46));
  p.setPen(Qt::NoPen);
  p.setBrush(backlight);
  p.drawRect(glass);
  const qreal cellWidth = (glass.width() - 6) / columns;
  const qreal cellHeight = (glass.height() - 8) / lines;
  p.setBrush(QColor(120, 220, 210, 16));
  for (int line = 0; line < lines; ++line) {
    for (int column = 0; column < columns; ++column) {
      p.drawRect(QRectF(glass.left() + 3 + column * cellWidth + 0.5,
                        glass.top() + 4 + line * cellHeight + 1, cellWidth - 1.2,
                        cellHeight - 2.5));
    }
  }
  // The sheen of the glass.
  QLinearGradient sheen(glass.topLeft(), glass.bottomRight());
  sheen.setColorAt(0, QColor(255, 255, 255, 26));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 6));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(sheen);
  p.drawRect(glass);
}

// The display module: the page keys sit along its top with their numbers
// printed below them, and the two-line display underneath.
void PaintLcd(QPainter& p, const QRectF& r) {
  FillPlate(p, r, 4);
  for (int page = 0; page < 8; ++page) {
    const QPointF key = OffsetOn(kFirstPageKey + page, kLcdPicture);
    const QSize size = PanelImageSize(PlaceOf(kFirstPageKey + page)->image);
    DrawLegend(p, QRectF(key.x(), key.y() + size.height() + 1, size.width(), 8),
               QString::number(page + 1), 7, Palette::PrintOnPlate());
  }
  const QRectF bezel(r.left() + 8, r.top() + 36, r.width() - 16, r.height() - 44);
  FillRecess(p, bezel, 3);
  PaintLcdGlass(p, bezel.adjusted(3, 3, -3, -3), 40, 2);
}

void PaintPageStrip(QPainter& p, const QRectF& r) {
  FillPlate(p, r, 4);
  const QRectF word(r.right() - 48, r.top() + 6, 34, 18);
  DrawLegend(p, word, QStringLiteral("PAGE"), 8, Palette::PrintOnPlate(), Qt::AlignRight, true, 1);
  DrawLegend(p, QRectF(r.left() + 10, word.top(), word.left() - r.left() - 20, word.height()),
             QStringLiteral("CONTROL SURFACE"), 6, Palette::PrintOnPlate().darker(125),
             Qt::AlignLeft | Qt::AlignVCenter, true, 0.6);
  p.save();
  QPainterPath pointer;
  const QPointF tip(r.right() - 5, word.center().y());
  pointer.moveTo(tip);
  pointer.lineTo(tip + QPointF(-5, -3.5));
  pointer.lineTo(tip + QPointF(-5, 3.5));
  pointer.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Palette::PrintOnPlate());
  p.drawPath(pointer);
  p.restore();
}

// The plate under the F keys, each key's name printed beside it.
void PaintFkeysPlate(QPainter& p, const QRectF& r) {
  FillPlate(p, r, 4);
  for (int key = 0; key < 8; ++key) {
    const QPointF at = OffsetOn(kFirstFKey + key, kFkeysPicture);
    DrawLegend(p, QRectF(at.x() + 40, at.y(), r.width() - at.x() - 42, 12),
               QStringLiteral("F%1").arg(key + 1), 8, Palette::PrintOnPlate());
  }
}

void PaintMStrip(QPainter& p, const QRectF&) {
  for (int key = 0; key < 5; ++key) {
    const QPointF at = OffsetOn(kFirstMKey + key, kMStripPicture);
    DrawLegend(p, QRectF(at.x(), 0, 32, 11), QStringLiteral("M%1").arg(key + 1), 8,
               Palette::PrintOnChassis());
  }
}

// One seven-segment digit; `segments` has bit 0 for the top bar, then
// clockwise, bit 6 for the middle bar.
QPainterPath SegmentDigit(QPointF origin, qreal width, qreal height, int segments) {
  const qreal t = 1.8;
  const qreal h = height / 2;
  auto bar = [t](QPointF a, QPointF b) {
    QPainterPath path;
    const bool across = a.y() == b.y();
    const QPointF n = across ? QPointF(0, t / 2) : QPointF(t / 2, 0);
    const QPointF along = across ? QPointF(t / 2, 0) : QPointF(0, t / 2);
    path.moveTo(a + along * 0.4);
    path.lineTo(a + along + n);
    path.lineTo(b - along + n);
    path.lineTo(b - along * 0.4);
    path.lineTo(b - along - n);
    path.lineTo(a + along - n);
    path.closeSubpath();
    return path;
  };
  const QPointF o = origin;
  const QPointF ends[7][2] = {{o, o + QPointF(width, 0)},
                              {o + QPointF(width, 0), o + QPointF(width, h)},
                              {o + QPointF(width, h), o + QPointF(width, height)},
                              {o + QPointF(0, height), o + QPointF(width, height)},
                              {o + QPointF(0, h), o + QPointF(0, height)},
                              {o, o + QPointF(0, h)},
                              {o + QPointF(0, h), o + QPointF(width, h)}};
  QPainterPath digit;
  for (int s = 0; s < 7; ++s) {
    if (segments & (1 << s)) digit.addPath(bar(ends[s][0], ends[s][1]));
  }
  return digit;
}

int SegmentsOf(QChar c) {
  static constexpr int kDigits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  return c.isDigit() ? kDigits[c.digitValue()] : 0;
}

// The time code window above the keypad.
void PaintTimeCode(QPainter& p, const QRectF& r) {
  FillPlate(p, r, 4);
  DrawLegend(p, QRectF(r.left(), r.top() + 3, r.width(), 8), QStringLiteral("TIME CODE"), 7,
             Palette::PrintOnPlate(), Qt::AlignCenter, true, 1.2);
  const QRectF window(r.left() + 6, r.top() + 13, r.width() - 12, 28);
  FillRecess(p, window, 3);

  const QString reading = QStringLiteral("01:00:00:00");
  const qreal digitWidth = 8;
  const qreal digitHeight = 15;
  const qreal pitch = 12;
  const qreal colon = 6;
  qreal total = 0;
  for (const QChar c : reading) total += c == ':' ? colon : pitch;
  qreal x = window.center().x() - (total - (pitch - digitWidth)) / 2;
  const qreal top = window.center().y() - digitHeight / 2;
  QPainterPath ghost;
  QPainterPath lit;
  for (const QChar c : reading) {
    if (c == ':') {
      lit.addEllipse(QPointF(x + colon / 2 - 1, top + 4.5), 0.9, 0.9);
      lit.addEllipse(QPointF(x + colon / 2 - 1.6, top + 10.5), 0.9, 0.9);
      x += colon;
      continue;
    }
    ghost.addPath(SegmentDigit({x, top}, digitWidth, digitHeight, 0x7F));
    lit.addPath(SegmentDigit({x, top}, digitWidth, digitHeight, SegmentsOf(c)));
    x += pitch;
  }
  // Segment displays lean forward a little.
  const QTransform lean = QTransform()
                              .translate(window.center().x(), window.center().y())
                              .shear(-0.08, 0)
                              .translate(-window.center().x(), -window.center().y());
  const QColor red(255, 74, 46);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 74, 46, 22));
  p.drawPath(lean.map(ghost));
  QColor haze = red;
  haze.setAlpha(70);
  p.setPen(QPen(haze, 1.6));
  p.setBrush(red);
  p.drawPath(lean.map(lit));
  p.restore();

  const QRectF units(window.left(), window.bottom() + 2, window.width(), 8);
  const QString names[] = {QStringLiteral("HRS"), QStringLiteral("MIN"), QStringLiteral("SEC"),
                           QStringLiteral("FRM")};
  const qreal step = units.width() / 4;
  for (int i = 0; i < 4; ++i) {
    DrawLegend(p, QRectF(units.left() + i * step, units.top(), step, units.height()), names[i], 5,
               Palette::PrintOnPlate(), Qt::AlignCenter, true, 0.5);
  }
}

void PaintLogo(QPainter& p, const QRectF& r) {
  p.save();
  const QPointF mark(r.left() + 10, r.center().y());
  p.setPen(QPen(Palette::Selection(), 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(mark, 7.5, 7.5);
  p.setPen(Qt::NoPen);
  p.setBrush(Palette::Selection());
  p.drawEllipse(mark + QPointF(3.2, -3.2), 2, 2);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(19);
  font.setBold(true);
  font.setItalic(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  QPainterPath word;
  word.addText(QPointF(r.left() + 23, r.bottom() - 4.5), font, QStringLiteral("Quorbel"));
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawPath(word.translated(0, 1));
  QLinearGradient chrome(QPointF(0, r.top() + 2), QPointF(0, r.bottom() - 3));
  chrome.setColorAt(0, QColor(250, 250, 248));
  chrome.setColorAt(0.55, QColor(214, 217, 221));
  chrome.setColorAt(1, QColor(170, 174, 180));
  p.setBrush(chrome);
  p.drawPath(word);
  p.restore();
}

// The padded rest along the bottom edge of the surface, with its stitching.
void PaintWristRest(QPainter& p, const QRectF& r) {
  p.save();
  p.setPen(Qt::NoPen);
  QLinearGradient pad(r.topLeft(), r.bottomLeft());
  pad.setColorAt(0, QColor(58, 60, 64));
  pad.setColorAt(0.18, QColor(38, 40, 43));
  pad.setColorAt(1, QColor(20, 21, 23));
  p.setBrush(pad);
  p.drawRoundedRect(r.adjusted(0, 1, 0, 8), 9, 9);
  p.setPen(QPen(QColor(255, 255, 255, 50), 1));
  p.drawLine(QPointF(r.left() + 9, r.top() + 1.5), QPointF(r.right() - 9, r.top() + 1.5));
  QPen stitch(QColor(98, 101, 106), 1, Qt::CustomDashLine, Qt::FlatCap);
  stitch.setDashPattern({3, 2});
  p.setPen(stitch);
  p.drawLine(QPointF(r.left() + 10, r.top() + 6.5), QPointF(r.right() - 10, r.top() + 6.5));
  p.restore();
}

void PaintScrew(QPainter& p, const QRectF& r) {
  const QPointF c = r.center();
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawEllipse(c + QPointF(0, 0.8), 6.2, 6.2);
  QRadialGradient metal(c - QPointF(2, 2), 8);
  metal.setColorAt(0, QColor(226, 229, 232));
  metal.setColorAt(1, QColor(112, 117, 123));
  p.setBrush(metal);
  p.drawEllipse(c, 5.5, 5.5);
  p.translate(c);
  p.rotate(22);
  p.setPen(QPen(QColor(48, 50, 54), 1.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(-3.2, 0), QPointF(3.2, 0));
  p.drawLine(QPointF(0, -3.2), QPointF(0, 3.2));
  p.restore();
}

void Add(ArtCatalogue& catalogue, const char* name, QSize size,
         void (*paint)(QPainter&, const QRectF&)) {
  catalogue[LowerCase(name)] = {size, paint};
}

}  // namespace

void AddPlateArt(ArtCatalogue& catalogue) {
  Add(catalogue, "$Lcd", {302, 98}, PaintLcd);
  Add(catalogue, "$Page", {139, 34}, PaintPageStrip);
  Add(catalogue, "$Fkeys", {64, 200}, PaintFkeysPlate);
  Add(catalogue, "$MStrip", {168, 12}, PaintMStrip);
  Add(catalogue, "$TimeCode", {150, 56}, PaintTimeCode);
  Add(catalogue, "$QuorbelLogo", {200, 22}, PaintLogo);
  Add(catalogue, "$Screw", {14, 14}, PaintScrew);
  const int windowWidth = ColumnToPixels(kWindowColumns);
  const int restHeight = RowToPixels(kWindowRows) - RowToPixels(PlaceOf(395)->row);
  Add(catalogue, "$WRest", {windowWidth, restHeight}, PaintWristRest);
}

}  // namespace quorbel::art
