#include "ui/art/PanelComposition.h"

#include <QPainter>
#include <cmath>
#include <ranges>

#include "ui/art/ArtKit.h"
#include "ui/art/PanelArt.h"
#include "ui/art/PanelLayout.h"

namespace quorbel::art {

namespace {

constexpr double kTopStripRows = 1.75;

}  // namespace

QImage RenderPanel(double scale) {
  const QSize window(ColumnToPixels(kWindowColumns), RowToPixels(kWindowRows));
  QImage image(QSize(static_cast<int>(std::lround(window.width() * scale)),
                     static_cast<int>(std::lround(window.height() * scale))),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Palette::Chassis());
  QPainter painter(&image);
  painter.fillRect(QRect(0, 0, window.width(), RowToPixels(kTopStripRows)), QColor(221, 221, 221));
  for (const PanelPlace& place : kPanelPlaces | std::views::reverse) {
    if (place.hiddenAtStart) continue;
    painter.drawImage(QPointF(ColumnToPixels(place.column), RowToPixels(place.row)),
                      DrawPanelImage(place.image, scale));
  }
  return image;
}

}  // namespace quorbel::art
