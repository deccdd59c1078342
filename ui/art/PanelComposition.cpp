#include "ui/art/PanelComposition.h"

#include <QPainter>
#include <cmath>
#include <ranges>

#include "ui/art/ArtKit.h"
#include "ui/art/PanelArt.h"

namespace quorbel::art {

namespace {

constexpr double kTopStripRows = 1.75;

}  // namespace

std::string_view OpeningImage(const PanelPlace& place) {
  return place.hiddenAtStart ? std::string_view() : place.image;
}

QImage RenderPanel(double scale, const PanelShows& shows) {
  const QSize window(ColumnToPixels(kWindowColumns), RowToPixels(kWindowRows));
  QImage image(QSize(static_cast<int>(std::lround(window.width() * scale)),
                     static_cast<int>(std::lround(window.height() * scale))),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Palette::Chassis());
  QPainter painter(&image);
  painter.fillRect(QRect(0, 0, window.width(), RowToPixels(kTopStripRows)), QColor(221, 221, 221));
  for (const PanelPlace& place : kPanelPlaces | std::views::reverse) {
    const std::string_view shown = shows(place);
    if (shown.empty()) continue;
    painter.drawImage(QPointF(ColumnToPixels(place.column), RowToPixels(place.row)),
                      DrawPanelImage(shown, scale));
  }
  return image;
}

}  // namespace quorbel::art
