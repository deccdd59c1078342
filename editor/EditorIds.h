#pragma once

namespace quorbel::editor_id {

// Controls of the main window the sequence editor and the keyset commands use.
inline constexpr int kKeysetList = 410;
inline constexpr int kSequenceList = 475;
inline constexpr int kAddInsertButton = 480;
inline constexpr int kDelayTicks = 495;
inline constexpr int kNameBox = 610;
inline constexpr int kAltBox = 630;
inline constexpr int kCtrlBox = 635;
inline constexpr int kShiftBox = 640;
inline constexpr int kApplicationBox = 642;
inline constexpr int kMouseEmulation = 650;
inline constexpr int kCaptureBox = 655;
inline constexpr int kCapturedPoint = 660;

}  // namespace quorbel::editor_id
