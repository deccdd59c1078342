#pragma once

namespace quorbel::ui {

// The main window, its timer and the control IDs the program refers to by name.
inline constexpr const char* kMainForm = "MAIN";
inline constexpr int kStatusTimer = 2100;
inline constexpr float kStatusTimerSeconds = 10.0f;

inline constexpr int kWindowBackground = 100;
inline constexpr int kTopStrip = 101;
inline constexpr int kWindowListView = 110;
inline constexpr int kKeysetList = 410;
inline constexpr int kSelectedControlName = 435;
inline constexpr int kSpeedRangeSlider = 465;
inline constexpr int kSequenceList = 475;
inline constexpr int kAddInsertButton = 480;
inline constexpr int kInsertDelayButton = 485;
inline constexpr int kDelayUpDown = 490;
inline constexpr int kDelayValue = 495;
inline constexpr int kClearSelectionButton = 500;
inline constexpr int kLayerLabel1 = 516;
inline constexpr int kLayerLabel2 = 517;
inline constexpr int kLayerLamp1 = 520;
inline constexpr int kLayerLamp2 = 521;
inline constexpr int kKeyPressBox = 620;
inline constexpr int kClearInputsButton = 625;
inline constexpr int kMouseEmulation = 650;
inline constexpr int kCaptureCoordinate = 655;
inline constexpr int kCapturePrompt = 660;

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
inline constexpr int kFirstKeysetItem = 1705;  // keyset slot k is 1705 + k
inline constexpr int kLastKeysetItem = 1715;
inline constexpr int kKeysetsSeparator = 1720;
inline constexpr int kWindowsMenu = 1900;
inline constexpr int kKeysetDisplayItem = 1910;
inline constexpr int kHelpMenu = 2000;
inline constexpr int kHelpItem = 2005;
inline constexpr int kAboutItem = 2010;

// Accelerator of Ctrl+F12: shows or hides the window list.
inline constexpr int kWindowListAccelerator = 28;

}  // namespace quorbel::ui
