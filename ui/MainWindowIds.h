#pragma once

#include "editor/EditorControls.h"
#include "keysets/KeysetMenuItems.h"
#include "toolkit/FormName.h"

namespace quorbel::ui {

// The main window's timer and the control IDs the program refers to by name;
// the editing controls are the editor's (editor/EditorControls.h).
inline constexpr int kStatusTimer = 2100;
inline constexpr float kStatusTimerSeconds = 10.0f;

inline constexpr int kWindowBackground = 100;
inline constexpr int kTopStrip = 101;
inline constexpr int kWindowListView = 110;
inline constexpr int kKeysetList = 410;
inline constexpr int kSpeedRangeSlider = 465;
inline constexpr int kClearSelectionButton = 500;
inline constexpr int kLayerLabel1 = 516;
inline constexpr int kLayerLabel2 = 517;
inline constexpr int kLayerLamp1 = 520;
inline constexpr int kLayerLamp2 = 521;

// Pictures of the surface's controls: 1000 + control index.
inline constexpr int kFirstFKey = 1000;
inline constexpr int kLastFKey = 1007;
inline constexpr int kFirstWKey = 1008;
inline constexpr int kLastWKey = 1014;
inline constexpr int kFirstMKey = 1015;
inline constexpr int kLastMKey = 1019;
inline constexpr int kShiftKey = 1020;
inline constexpr int kLeft = 1021;
inline constexpr int kRight = 1022;
inline constexpr int kUp = 1023;
inline constexpr int kDown = 1024;
inline constexpr int kFirstBankKey = 1025;
inline constexpr int kLastBankKey = 1028;
inline constexpr int kAssignKey = 1029;
inline constexpr int kFirstPageKey = 1032;
inline constexpr int kLastPageKey = 1039;
inline constexpr int kFirstKeypadKey = 1040;
inline constexpr int kLastKeypadKey = 1055;
inline constexpr int kFirstTransportKey = 1056;
inline constexpr int kLastTransportKey = 1060;
inline constexpr int kShuttleReverseLamp = 1061;
inline constexpr int kShuttleForwardLamp = 1081;
inline constexpr int kWheelLeftHalf = 1126;
inline constexpr int kWheelRightHalf = 1127;

// Overlays drawn over the jog and shuttle picture while they move.
inline constexpr int kJogOverlay = 295;
inline constexpr int kShuttleOverlay = 296;

// Menu titles and items.
inline constexpr int kFileMenu = 1500;
inline constexpr int kNewKeysetItem = 1505;
inline constexpr int kImportKeysetItem = 1510;
inline constexpr int kExportKeysetItem = 1515;
inline constexpr int kMenuSeparator = 1525;
inline constexpr int kExitItem = 1530;
inline constexpr int kEditMenu = 1600;
inline constexpr int kCutLayerItem = 1605;
inline constexpr int kCopyLayerItem = 1610;
inline constexpr int kPasteLayerItem = 1615;
inline constexpr int kDeleteKeysetItem = 1630;
inline constexpr int kPreferencesMenu = 1640;
inline constexpr int kFirstPortItem = 1641;  // "Com 1"; port n is 1640 + n
inline constexpr int kLastPortItem = 1672;
inline constexpr int kFirstBaudItem = 1673;
inline constexpr int kLastBaudItem = 1677;
inline constexpr int kKeysetsMenu = 1700;
using quorbel::kFirstKeysetItem;  // keysets/KeysetMenuItems.h
using quorbel::kLastKeysetItem;
inline constexpr int kKeysetsSeparator = 1720;
inline constexpr int kWindowsMenu = 1900;
inline constexpr int kKeysetDisplayItem = 1910;
inline constexpr int kHelpMenu = 2000;
inline constexpr int kHelpItem = 2005;
inline constexpr int kAboutItem = 2010;

// Accelerator of Ctrl+F12: shows or hides the window list.
inline constexpr int kWindowListAccelerator = 28;

}  // namespace quorbel::ui
