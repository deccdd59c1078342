#include "ui/PanelPictures.h"

#include <array>
#include <string>

#include "common/NumberText.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {

namespace {

struct Place {
  double column;
  double row;
};

constexpr Size kNominal{1, 1};
constexpr Size kKeypadKey{4.125, 2.0625};  // keypad and transport keys

constexpr int kJogOverlay = 295;
constexpr int kShuttleOverlay = 296;

// Where each control's picture stands; controls without one are absent.
void ForEachControlPlace(const auto& visit) {
  constexpr std::array<double, 8> fKeyRows{12.75, 14.375, 15.875, 17.5, 19, 20.625, 22.25, 23.75};
  for (int i = 0; i < 8; ++i) visit(i, Place{1.625, fKeyRows[static_cast<std::size_t>(i)]});
  constexpr std::array<Place, 7> wKeys{{{9.375, 23.25},
                                        {10, 20},
                                        {14.25, 17.125},
                                        {21.25, 16.625},
                                        {28.25, 17.125},
                                        {32.25, 20},
                                        {33, 23.25}}};
  for (int i = 0; i < 7; ++i) visit(8 + i, wKeys[static_cast<std::size_t>(i)]);
  constexpr std::array<double, 5> mKeyColumns{12.75, 17, 21.25, 25.5, 29.75};
  for (int i = 0; i < 5; ++i)
    visit(15 + i, Place{mKeyColumns[static_cast<std::size_t>(i)], 13.5625});
  visit(20, Place{1.625, 25.25});
  visit(21, Place{5, 6.5});
  visit(22, Place{11, 6.5});
  visit(23, Place{9, 4.5});
  visit(24, Place{9, 7.5});
  constexpr std::array<double, 4> bankRows{3.875, 5.375, 6.825, 8.25};
  for (int i = 0; i < 4; ++i) visit(25 + i, Place{57.125, bankRows[static_cast<std::size_t>(i)]});
  visit(29, Place{57.125, 9.675});
  constexpr std::array<double, 8> pageColumns{19.5, 24, 28, 32.5, 36.5, 41, 45, 49.5};
  for (int i = 0; i < 8; ++i) visit(32 + i, Place{pageColumns[static_cast<std::size_t>(i)], 2.625});
  visit(40, Place{49.675, 22.75});
  constexpr std::array<double, 3> digitColumns{45.5, 49.625, 53.75};
  constexpr std::array<double, 3> digitRows{20.6875, 18.625, 16.5625};  // 1..3, 4..6, 7..9
  for (int d = 1; d <= 9; ++d) {
    visit(40 + d, Place{digitColumns[static_cast<std::size_t>((d - 1) % 3)],
                        digitRows[static_cast<std::size_t>((d - 1) / 3)]});
  }
  visit(50, Place{45.5, 22.75});
  visit(51, Place{53.8, 22.75});
  constexpr std::array<double, 4> locateRows{16.5625, 18.625, 20.6875, 22.75};
  for (int i = 0; i < 4; ++i) visit(52 + i, Place{40.25, locateRows[static_cast<std::size_t>(i)]});
  constexpr std::array<double, 5> transportColumns{37.5, 42.375, 47.125, 51.875, 56.625};
  for (int i = 0; i < 5; ++i) {
    visit(56 + i, Place{transportColumns[static_cast<std::size_t>(i)], 25.8125});
  }
  visit(61, Place{21.325, 19});
  visit(81, Place{23, 19});
  visit(126, Place{14.5, 19.3125});
  visit(127, Place{22.875, 19.3125});
}

bool IsKeypadOrTransport(int index) { return index >= 40 && index <= 60; }

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

void AddPicture(Toolkit& toolkit, int id, Place at, Size size, const std::string& image,
                const std::string& letters = "") {
  toolkit.AddControl(
      kMainForm,
      {ControlKind::Picture, id, {at.column, at.row, size.width, size.height}, image, letters});
}

void BuildDecorations(Toolkit& toolkit, Size window) {
  AddPicture(toolkit, kJogOverlay, {17.325, 28.5}, kNominal, "$JogDn", "H");
  AddPicture(toolkit, kShuttleOverlay, {24.75, 28.5}, kNominal, "$ShuttleDn", "H");
  // The numbers beside W1..W7, each a little right of and below its key.
  int label = 250;
  ForEachControlPlace([&](int index, Place at) {
    if (index < 8 || index > 14) return;
    AddPicture(toolkit, label++, {at.column + 0.5, at.row + 1.625}, kNominal,
               "$w" + TrimmedNumberText(index - 7));
  });
  AddPicture(toolkit, 270, {1, 12.5}, kNominal, "$Fkeys");
  AddPicture(toolkit, 290, {17.325, 28.5}, kNominal, "$JogShuttle");
  AddPicture(toolkit, 300, {10.75, 12}, kNominal, "$QuorbelLogo");
  AddPicture(toolkit, 310, {38, 12.75}, kNominal, "$TimeCode");
  AddPicture(toolkit, 325, {0.25, 2.25}, kNominal, "$Page");
  AddPicture(toolkit, 330, {17.625, 2.25}, kNominal, "$Lcd");
  struct HalfColumns {
    double left;
    double right;
  };
  constexpr std::array<HalfColumns, 5> encoders{
      {{20.5, 21.625}, {27.825, 29}, {35.25, 36.375}, {42.375, 43.5}, {49.5, 50.625}}};
  int half = 345;
  for (const HalfColumns& encoder : encoders) {
    AddPicture(toolkit, half++, {encoder.left, 8.8125}, kNominal, "$EncLf");
    AddPicture(toolkit, half++, {encoder.right, 8.8125}, kNominal, "$EncRt");
  }
  AddPicture(toolkit, 375, {12.75, 15.8125}, kNominal, "$MStrip");
  constexpr std::array<double, 4> bankRows{4.7625, 6.2625, 7.7125, 9.1375};
  for (int i = 0; i < 4; ++i) {
    AddPicture(toolkit, 385 + i, {57.75, bankRows[static_cast<std::size_t>(i)]}, kNominal,
               "$Bank" + TrimmedNumberText(i + 1));
  }
  AddPicture(toolkit, 389, {57.75, 10.5}, kNominal, "$Assign");
  const double right = window.width - 2.5;
  AddPicture(toolkit, 390, {0, 5}, kNominal, "$Screw");
  AddPicture(toolkit, 391, {0, 27.25}, kNominal, "$Screw");
  AddPicture(toolkit, 392, {right, 5}, kNominal, "$Screw");
  AddPicture(toolkit, 393, {right, 27.25}, kNominal, "$Screw");
  AddPicture(toolkit, 395, {0, window.height - 2.625}, kNominal, "$WRest");
}

}  // namespace

void BuildPanelPictures(Toolkit& toolkit, const ControlCatalogue& catalogue, Size window) {
  LoadPictureTable(toolkit, catalogue);
  ForEachControlPlace([&](int index, Place at) {
    AddPicture(toolkit, kPanelPictureBase + index, at,
               IsKeypadOrTransport(index) ? kKeypadKey : kNominal,
               catalogue.PanelImages(index).released);
  });
  BuildDecorations(toolkit, window);
}

}  // namespace quorbel::ui
