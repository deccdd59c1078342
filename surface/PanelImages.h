#pragma once

#include <string_view>

namespace quorbel {

// The panel's image slots: each row names the bitmap shown released (column
// 0) and pressed or selected (column 1). Several pictures share a slot.
inline constexpr int kPanelImageSlots = 53;

inline constexpr int kReleased = 0;
inline constexpr int kPressed = 1;

// Image slots the panel switches by name.
namespace panel_slot {
inline constexpr int kKeypadFirst = 0;      // keypad 0..15: digits, sign, enter, locate keys
inline constexpr int kTransportFirst = 16;  // 16..20: rewind, fast forward, stop, play, record
inline constexpr int kWKeys = 29;
inline constexpr int kFunctionKeys = 31;  // F keys and Bank keys
inline constexpr int kShiftKeySlot = 32;
inline constexpr int kHorizontalArrows = 33;
inline constexpr int kVerticalArrows = 34;
inline constexpr int kPageKeys = 36;
inline constexpr int kWheelLeft = 39;
inline constexpr int kWheelRight = 40;
inline constexpr int kMKeys = 41;
inline constexpr int kLayerLamp = 47;
inline constexpr int kAssign = 48;
inline constexpr int kShuttleLamp = 52;
}  // namespace panel_slot

// The image name ("$" followed by the bitmap's name) of a slot and column;
// empty where the slot has no image.
std::string_view PanelImageName(int slot, int column);

}  // namespace quorbel
