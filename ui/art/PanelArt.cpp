#include "ui/art/PanelArt.h"

#include <QPainter>
#include <cctype>
#include <cmath>

#include "ui/art/ArtCatalogue.h"

namespace quorbel::art {

std::string LowerCase(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

void AddPair(ArtCatalogue& catalogue, std::string_view released, std::string_view pressed,
             QSize size, const std::function<void(QPainter&, const QRectF&, bool)>& paint) {
  catalogue[LowerCase(released)] = {size,
                                    [paint](QPainter& p, const QRectF& r) { paint(p, r, false); }};
  catalogue[LowerCase(pressed)] = {size,
                                   [paint](QPainter& p, const QRectF& r) { paint(p, r, true); }};
}

namespace {

const ArtCatalogue& Catalogue() {
  static const ArtCatalogue catalogue = [] {
    ArtCatalogue all;
    AddKeyArt(all);
    AddKeypadArt(all);
    AddWheelArt(all);
    AddPlateArt(all);
    AddLabelArt(all);
    return all;
  }();
  return catalogue;
}

const Artwork* Find(std::string_view name) {
  const auto found = Catalogue().find(LowerCase(name));
  return found == Catalogue().end() ? nullptr : &found->second;
}

}  // namespace

QSize PanelImageSize(std::string_view name) {
  const Artwork* art = Find(name);
  return art ? art->size : QSize();
}

std::vector<std::string> PanelImageNames() {
  std::vector<std::string> names;
  for (const auto& entry : Catalogue()) names.push_back(entry.first);
  return names;
}

QImage DrawPanelImage(std::string_view name, double scale) {
  const Artwork* art = Find(name);
  if (!art || !(scale > 0)) return {};
  const QSize pixels(static_cast<int>(std::lround(art->size.width() * scale)),
                     static_cast<int>(std::lround(art->size.height() * scale)));
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(scale);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  art->paint(painter, QRectF(QPointF(0, 0), QSizeF(art->size)));
  return image;
}

}  // namespace quorbel::art
