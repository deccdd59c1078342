#pragma once

namespace quorbel::ui {

// The controls of the main window's editing side, which the sequence editor
// reads and fills: the selected control's name, the sequence list with its
// buttons and delay, the "Keystrokes/Mouse" tab with the key press, the
// step's name and its modifiers, the mouse emulation and the capture.
inline constexpr int kSelectedControlName = 435;
inline constexpr int kSequenceList = 475;
inline constexpr int kAddInsertButton = 480;
inline constexpr int kInsertDelayButton = 485;
inline constexpr int kDelayUpDown = 490;
inline constexpr int kDelayValue = 495;
inline constexpr int kKeyPressBox = 620;
inline constexpr int kClearInputsButton = 625;
inline constexpr int kMouseEmulation = 650;
inline constexpr int kCaptureCoordinate = 655;
inline constexpr int kCapturePrompt = 660;
inline constexpr int kNameBox = 610;
inline constexpr int kAltBox = 630;
inline constexpr int kCtrlBox = 635;
inline constexpr int kShiftBox = 640;
inline constexpr int kApplicationBox = 642;

}  // namespace quorbel::ui
