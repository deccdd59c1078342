#pragma once

namespace quorbel::panel_id {

// The main window, by its form name.
inline constexpr const char* kMainForm = "MAIN";

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

// The layer display: its labels "1" and "2" and their lamps.
inline constexpr int kFirstLayerLabel = 516;
inline constexpr int kSecondLayerLabel = 517;
inline constexpr int kFirstLayerLamp = 520;
inline constexpr int kSecondLayerLamp = 521;

// "Selected Control:" name and the "Key Press:" box.
inline constexpr int kSelectedControlName = 435;
inline constexpr int kKeyPressBox = 620;

}  // namespace quorbel::panel_id
