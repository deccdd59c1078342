#pragma once

#include <QPainter>
#include <QRectF>
#include <QSize>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quorbel::art {

// How one panel image is drawn: its size at normal scale and a painting in
// those units (the painter is already scaled).
struct Artwork {
  QSize size;
  std::function<void(QPainter&, const QRectF&)> paint;
};

// Every panel image by its name in lower case.
using ArtCatalogue = std::map<std::string, Artwork, std::less<>>;

std::string LowerCase(std::string_view name);

// A released and a pressed image of the same size.
void AddPair(ArtCatalogue& catalogue, std::string_view released, std::string_view pressed,
             QSize size, const std::function<void(QPainter&, const QRectF&, bool)>& paint);

// The families of images, each in its own file.
void AddKeyArt(ArtCatalogue& catalogue);
void AddKeypadArt(ArtCatalogue& catalogue);
void AddWheelArt(ArtCatalogue& catalogue);
void AddPlateArt(ArtCatalogue& catalogue);
void AddLabelArt(ArtCatalogue& catalogue);

}  // namespace quorbel::art
