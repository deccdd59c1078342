#pragma once

#include <array>
#include <cmath>
#include <string_view>

namespace quorbel::panel_layout {

// Where every picture of the surface panel sits in the main window, in the
// window's character units (8 by 16 pixels at normal scale), with the image
// it shows when the window opens. Pictures listed earlier lie above later
// ones, as the window stacks its controls in the order it creates them.
// Plain data without Qt, so that any window showing the surface (the
// editor's main window, the simulated surface) can lay them out the same way.

inline constexpr double kColumnPixels = 8;
inline constexpr double kRowPixels = 16;

// The main window's size; the corner screws and the wrist rest hang off it.
inline constexpr double kWindowColumns = 126.875;
inline constexpr double kWindowRows = 32.4375;

struct PanelPlace {
  int id;                  // control ID; 1000 + control index for a control's picture
  std::string_view image;  // the image shown when the window opens
  double column;
  double row;
  bool hiddenAtStart = false;
};

// Pixel edges at normal scale, rounded as the window toolkit rounds them.
inline int ColumnToPixels(double column) {
  return static_cast<int>(std::lround(column * kColumnPixels));
}
inline int RowToPixels(double row) { return static_cast<int>(std::lround(row * kRowPixels)); }

inline constexpr auto kPanelPlaces = std::to_array<PanelPlace>({
    // F1..F8
    {1000, "$FuncUp", 1.625, 12.75},
    {1001, "$FuncUp", 1.625, 14.375},
    {1002, "$FuncUp", 1.625, 15.875},
    {1003, "$FuncUp", 1.625, 17.5},
    {1004, "$FuncUp", 1.625, 19},
    {1005, "$FuncUp", 1.625, 20.625},
    {1006, "$FuncUp", 1.625, 22.25},
    {1007, "$FuncUp", 1.625, 23.75},
    {1020, "$ShiftUp", 1.625, 25.25},
    // W1..W7
    {1008, "$SqUp", 9.375, 23.25},
    {1009, "$SqUp", 10, 20},
    {1010, "$SqUp", 14.25, 17.125},
    {1011, "$SqUp", 21.25, 16.625},
    {1012, "$SqUp", 28.25, 17.125},
    {1013, "$SqUp", 32.25, 20},
    {1014, "$SqUp", 33, 23.25},
    // M1..M5
    {1015, "$MLedUp", 12.75, 13.5625},
    {1016, "$MLedUp", 17, 13.5625},
    {1017, "$MLedUp", 21.25, 13.5625},
    {1018, "$MLedUp", 25.5, 13.5625},
    {1019, "$MLedUp", 29.75, 13.5625},
    // Left, Right, Up, Down
    {1021, "$HorUp", 5, 6.5},
    {1022, "$HorUp", 11, 6.5},
    {1023, "$VertUp", 9, 4.5},
    {1024, "$VertUp", 9, 7.5},
    // Bank keys 1..4 and Assign
    {1025, "$FuncUp", 57.125, 3.875},
    {1026, "$FuncUp", 57.125, 5.375},
    {1027, "$FuncUp", 57.125, 6.825},
    {1028, "$FuncUp", 57.125, 8.25},
    {1029, "$AssignUp", 57.125, 9.675},
    // Page 1..8
    {1032, "$RecLedUp", 19.5, 2.625},
    {1033, "$RecLedUp", 24, 2.625},
    {1034, "$RecLedUp", 28, 2.625},
    {1035, "$RecLedUp", 32.5, 2.625},
    {1036, "$RecLedUp", 36.5, 2.625},
    {1037, "$RecLedUp", 41, 2.625},
    {1038, "$RecLedUp", 45, 2.625},
    {1039, "$RecLedUp", 49.5, 2.625},
    // Keypad
    {1040, "$0up", 49.675, 22.75},
    {1041, "$1up", 45.5, 20.6875},
    {1042, "$2up", 49.625, 20.6875},
    {1043, "$num3up", 53.75, 20.6875},
    {1044, "$num4up", 45.5, 18.625},
    {1045, "$num5up", 49.625, 18.625},
    {1046, "$num6up", 53.75, 18.625},
    {1047, "$num7up", 45.5, 16.5625},
    {1048, "$num8up", 49.625, 16.5625},
    {1049, "$num9up", 53.75, 16.5625},
    {1050, "$SignUp", 45.5, 22.75},
    {1051, "$EnterUp", 53.8, 22.75},
    {1052, "$ModeUp", 40.25, 16.5625},
    {1053, "$SetUp", 40.25, 18.625},
    {1054, "$ClearUp", 40.25, 20.6875},
    {1055, "$LastUp", 40.25, 22.75},
    // Transport
    {1056, "$RewUp", 37.5, 25.8125},
    {1057, "$FFUp", 42.375, 25.8125},
    {1058, "$StopUp", 47.125, 25.8125},
    {1059, "$PlayUp", 51.875, 25.8125},
    {1060, "$RecUp", 56.625, 25.8125},
    // Shuttle lamps and jog wheel halves
    {1061, "$redoff", 21.325, 19},
    {1081, "$redoff", 23, 19},
    {1126, "$LfWheel", 14.5, 19.3125},
    {1127, "$RtWheel", 22.875, 19.3125},
    // The lit "JOG" and "SHUTTLE", hidden at first, over their strip (290)
    {295, "$JogDn", 17.325, 28.5, true},
    {296, "$ShuttleDn", 24.75, 28.5, true},
    // Labels beside the W keys: half a column right of and 1.625 rows below each key
    {250, "$w1", 9.875, 24.875},
    {251, "$w2", 10.5, 21.625},
    {252, "$w3", 14.75, 18.75},
    {253, "$w4", 21.75, 18.25},
    {254, "$w5", 28.75, 18.75},
    {255, "$w6", 32.75, 21.625},
    {256, "$w7", 33.5, 24.875},
    // Decorations
    {270, "$Fkeys", 1, 12.5},
    {290, "$JogShuttle", 17.325, 28.5},
    {300, "$QuorbelLogo", 10.75, 12},
    {310, "$TimeCode", 38, 12.75},
    {325, "$Page", 0.25, 2.25},
    {330, "$Lcd", 17.625, 2.25},
    {345, "$EncLf", 20.5, 8.8125},
    {346, "$EncRt", 21.625, 8.8125},
    {347, "$EncLf", 27.825, 8.8125},
    {348, "$EncRt", 29, 8.8125},
    {349, "$EncLf", 35.25, 8.8125},
    {350, "$EncRt", 36.375, 8.8125},
    {351, "$EncLf", 42.375, 8.8125},
    {352, "$EncRt", 43.5, 8.8125},
    {353, "$EncLf", 49.5, 8.8125},
    {354, "$EncRt", 50.625, 8.8125},
    {375, "$MStrip", 12.75, 15.8125},
    {385, "$Bank1", 57.75, 4.7625},
    {386, "$Bank2", 57.75, 6.2625},
    {387, "$Bank3", 57.75, 7.7125},
    {388, "$Bank4", 57.75, 9.1375},
    {389, "$Assign", 57.75, 10.5},
    {390, "$Screw", 0, 5},
    {391, "$Screw", 0, 27.25},
    {392, "$Screw", kWindowColumns - 2.5, 5},
    {393, "$Screw", kWindowColumns - 2.5, 27.25},
    {395, "$WRest", 0, kWindowRows - 2.625},
    // Layer lamps in the strip along the top of the window
    {520, "$Red1on", 60.5, 0.325},
    {521, "$Red1off", 65.25, 0.325},
});

// The place of picture `id`; nullptr when the panel has no such picture.
constexpr const PanelPlace* PlaceOf(int id) {
  for (const PanelPlace& place : kPanelPlaces) {
    if (place.id == id) return &place;
  }
  return nullptr;
}

}  // namespace quorbel::panel_layout
