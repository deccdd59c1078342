#include "ui/PanelPictures.h"

#include <array>
#include <string>

#include "surface/PanelLayout.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {

namespace {

constexpr Size kNominal{1, 1};
constexpr Size kKeypadKey{4.125, 2.0625};  // keypad and transport keys

bool IsKeypadOrTransport(int id) {
  return id >= kPanelPictureBase + 40 && id <= kPanelPictureBase + 60;
}

// Images shown only by decorations and by the panel's changing states.
constexpr std::array<const char*, 32> kOtherImages{
    "$w1",        "$w2",         "$w3",          "$w4",       "$w5",      "$w6",     "$w7",
    "$w8",        "$JogShuttle", "$QuorbelLogo", "$TimeCode", "$Fkeys",   "$Page",   "$Lcd",
    "$EncLf",     "$EncLfSel",   "$EncRt",       "$EncRtSel", "$MStrip",  "$Bank1",  "$Bank2",
    "$Bank3",     "$Bank4",      "$Screw",       "$WRest",    "$Red1off", "$Red1on", "$JogDn",
    "$ShuttleDn", "$Assign",     "$redoff",      "$redon"};

void LoadPictureTable(Toolkit& toolkit, const ControlCatalogue& catalogue) {
  for (int i = 0; i < kControlCount; ++i) {
    const PanelImagePair& images = catalogue.PanelImages(i);
    if (!images.released.empty()) toolkit.LoadPicture(images.released);
    if (!images.pressed.empty()) toolkit.LoadPicture(images.pressed);
  }
  for (const char* name : kOtherImages) toolkit.LoadPicture(name);
}

// The corners hang off the window's edges, so they follow its real size.
double CornerAware(double at, double tableEdge, double windowEdge) {
  return at > tableEdge / 2 ? at - tableEdge + windowEdge : at;
}

}  // namespace

void BuildPanelPictures(Toolkit& toolkit, const ControlCatalogue& catalogue, Size window) {
  LoadPictureTable(toolkit, catalogue);
  using namespace panel_layout;
  for (const PanelPlace& place : kPanelPlaces) {
    // The layer lamps belong to the strip along the top, made with it.
    if (place.id == kLayerLamp1 || place.id == kLayerLamp2) continue;
    double column = place.column;
    double row = place.row;
    if (place.id >= 390 && place.id <= 395) {  // screws and the wrist rest
      column = CornerAware(column, kWindowColumns, window.width);
      row = CornerAware(row, kWindowRows, window.height);
    }
    const Size size = IsKeypadOrTransport(place.id) ? kKeypadKey : kNominal;
    toolkit.AddControl(kMainForm, {ControlKind::Picture,
                                   place.id,
                                   {column, row, size.width, size.height},
                                   std::string(place.image),
                                   place.hiddenAtStart ? "H" : ""});
  }
}

}  // namespace quorbel::ui
