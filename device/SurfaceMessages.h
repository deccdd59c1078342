#pragma once

#include <array>
#include <cstdint>

namespace quorbel {

// The bytes of the surface's serial messages, both ways. Every message but
// the system-exclusive ones is three bytes: the start byte, a kind and a
// value. (The simulated surface in tools/ writes these bytes down again on
// its own, so that a slip here shows up as a test failure.)
inline constexpr std::uint8_t kSurfaceStartByte = 0xBF;

// From the surface.
inline constexpr std::uint8_t kPressKind = 0x12;
inline constexpr std::uint8_t kReleaseKind = 0x13;
inline constexpr std::uint8_t kJogStepKind = 0x65;
inline constexpr std::uint8_t kShuttlePositionKind = 0x66;

// To the surface: lamps, the display and the closing pair.
inline constexpr std::uint8_t kLampOnKind = 0x12;
inline constexpr std::uint8_t kLampOffKind = 0x13;
inline constexpr std::uint8_t kDisplayPositionKind = 0x14;
inline constexpr std::uint8_t kDisplayCharacterKind = 0x15;
inline constexpr std::uint8_t kClosingKind1 = 0x67;
inline constexpr std::uint8_t kClosingValue1 = 0x00;
inline constexpr std::uint8_t kClosingKind2 = 0x68;
inline constexpr std::uint8_t kClosingValue2 = 0x7D;

// System-exclusive messages: the configuration sent on opening, and the
// identity request with the start of its reply.
inline constexpr std::uint8_t kSystemExclusiveStart = 0xF0;
inline constexpr std::uint8_t kSystemExclusiveEnd = 0xF7;
inline constexpr std::array<std::uint8_t, 9> kConfigurationMessage = {0xF0, 0x7D, 0x25, 0x02, 0x01,
                                                                      0x01, 0x00, 0x00, 0xF7};
inline constexpr std::array<std::uint8_t, 5> kIdentityRequestMessage = {0xF0, 0x7D, 0x25, 0x03,
                                                                        0xF7};
inline constexpr std::array<std::uint8_t, 4> kIdentityReplyStart = {0xF0, 0x7D, 0x25, 0x03};

}  // namespace quorbel
