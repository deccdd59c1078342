#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "common/Types.h"

namespace quorbel {

inline constexpr int kStepSlots = 11;  // step 0 is never used; 1..10 hold the sequence
inline constexpr int kMaxSteps = 10;
inline constexpr int kNameBytes = 260;
inline constexpr int kLabelBytes = 20;
inline constexpr int kSpareTextBytes = 100;

// KeyCode bits of a step.
inline constexpr std::int32_t kLeftClick = 0x8000;
inline constexpr std::int32_t kRightClick = 0x4000;
inline constexpr std::int32_t kCentreClick = 0x2000;
inline constexpr std::int32_t kAltWheelSelector = 0x1000;
inline constexpr std::int32_t kNamedKey = 0x100;
inline constexpr std::int32_t kMouseBits =
    kLeftClick | kRightClick | kCentreClick | kAltWheelSelector;

// Modifiers bits of a key step.
inline constexpr std::int32_t kAlt = 1;
inline constexpr std::int32_t kCtrl = 2;
inline constexpr std::int32_t kShift = 4;
inline constexpr std::int32_t kAppKey = 8;

// One layer of one keyset: a flat block that is at once the unit in memory,
// in keyset files and in the layer clipboard. The per-step arrays are indexed
// [step][control], so the control index varies fastest.
struct KeysetLayer {
  char Name[kNameBytes];
  std::int32_t Reserved;
  std::int32_t MouseX[kStepSlots][kControlCount];
  std::int32_t MouseY[kStepSlots][kControlCount];
  std::int32_t KeyCode[kStepSlots][kControlCount];
  std::int32_t Modifiers[kStepSlots][kControlCount];
  char Label[kStepSlots][kControlCount][kLabelBytes];
  std::int32_t Delay[kStepSlots][kControlCount];
  char SpareText[kStepSlots][kSpareTextBytes];
};

inline constexpr std::size_t kKeysetLayerBytes = 57684;

// The record is stored byte for byte as it is held, so its image must be
// exactly the file's: no padding, little-endian integers.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(KeysetLayer) == kKeysetLayerBytes);
static_assert(offsetof(KeysetLayer, Reserved) == 260);
static_assert(offsetof(KeysetLayer, MouseX) == 264);
static_assert(offsetof(KeysetLayer, MouseY) == 5896);
static_assert(offsetof(KeysetLayer, KeyCode) == 11528);
static_assert(offsetof(KeysetLayer, Modifiers) == 17160);
static_assert(offsetof(KeysetLayer, Label) == 22792);
static_assert(offsetof(KeysetLayer, Delay) == 50952);
static_assert(offsetof(KeysetLayer, SpareText) == 56584);

}  // namespace quorbel
