#include "tools/surfacewindow/SurfaceGeometry.h"

#include <QLineF>
#include <array>
#include <cctype>
#include <cmath>

#include "ui/art/PanelArt.h"

namespace quorbel::surfacewindow {

namespace {

constexpr double kSurfaceColumns = 64;
constexpr double kTopStripRows = 1.75;
// The jog wheel is about seven tenths of the whole wheel's radius; the rest is the ring.
constexpr double kJogShare = 0.7;
constexpr int kDisplayModule = 330;
// The display's glass within the display module's picture.
constexpr QRectF kGlassOnModule(11, 39, 280, 48);

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

QRect WheelRect() {
  return PictureRect(*panel_layout::PlaceOf(kLeftWheelHalf))
      .united(PictureRect(*panel_layout::PlaceOf(kRightWheelHalf)));
}

double WheelRadius() { return WheelRect().height() / 2.0; }

}  // namespace

QRect SurfaceArea() {
  const int top = panel_layout::RowToPixels(kTopStripRows);
  return {0, top, panel_layout::ColumnToPixels(kSurfaceColumns),
          panel_layout::RowToPixels(panel_layout::kWindowRows) - top};
}

QRect PictureRect(const panel_layout::PanelPlace& place) {
  return {QPoint(panel_layout::ColumnToPixels(place.column), panel_layout::RowToPixels(place.row)),
          art::PanelImageSize(place.image)};
}

int PictureAt(QPointF point) {
  for (const panel_layout::PanelPlace& place : panel_layout::kPanelPlaces) {
    const bool key = place.id >= kFirstControlPicture && place.id <= kLastKeyPicture;
    const bool lamp = place.id == kReverseLamp || place.id == kForwardLamp;
    if ((key || lamp) && QRectF(PictureRect(place)).contains(point)) return place.id;
  }
  return 0;
}

QPointF WheelCentre() { return QRectF(WheelRect()).center(); }

WheelPart WheelPartAt(QPointF point) {
  const double distance = QLineF(WheelCentre(), point).length();
  if (distance > WheelRadius()) return WheelPart::None;
  return distance > WheelRadius() * kJogShare ? WheelPart::Ring : WheelPart::Jog;
}

double AngleOnWheel(QPointF point) { return QLineF(WheelCentre(), point).angle(); }

bool HasLamp(int control) {
  return (control >= 0 && control <= 7) || (control >= 15 && control <= 20) ||
         (control >= 25 && control <= 29) || (control >= 32 && control <= 39) ||
         (control >= 56 && control <= 60);
}

std::string PressedImage(std::string_view image) {
  // Pairs whose second image is not simply named "...dn".
  static constexpr std::array<std::array<std::string_view, 2>, 3> kOddPairs{{
      {"$lfwheel", "$RtWheelSel"},
      {"$rtwheel", "$RtWhSel"},
      {"$redoff", "$redon"},
  }};
  const std::string lower = LowerCase(image);
  for (const auto& [released, pressed] : kOddPairs) {
    if (lower == released) return std::string(pressed);
  }
  if (lower.ends_with("up")) return lower.substr(0, lower.size() - 2) + "dn";
  return std::string(image);
}

QRectF DisplayGlass() {
  return kGlassOnModule.translated(PictureRect(*panel_layout::PlaceOf(kDisplayModule)).topLeft());
}

}  // namespace quorbel::surfacewindow
