#pragma once

#include <array>
#include <cstdint>

namespace quorbel::surfacetool {

// The bytes of the serial messages as the surface knows them. The program
// keeps its own in device/SurfaceMessages.h; the simulated surface writes
// them down again on purpose, from the surface's side, so that a wrong byte
// on either side shows up as a test failure instead of agreeing with itself.
inline constexpr std::uint8_t kStart = 0xBF;

// Sent by the surface.
inline constexpr std::uint8_t kPress = 0x12;
inline constexpr std::uint8_t kRelease = 0x13;
inline constexpr std::uint8_t kJogStep = 0x65;
inline constexpr std::uint8_t kShuttle = 0x66;
inline constexpr std::uint8_t kDirectionBit = 0x40;  // of a jog step: to the left

// Sent by the program.
inline constexpr std::uint8_t kLampOn = 0x12;
inline constexpr std::uint8_t kLampOff = 0x13;
inline constexpr std::uint8_t kDisplayPosition = 0x14;
inline constexpr std::uint8_t kDisplayCharacter = 0x15;
inline constexpr std::uint8_t kClosingFirst = 0x67;
inline constexpr std::uint8_t kClosingFirstValue = 0x00;
inline constexpr std::uint8_t kClosingSecond = 0x68;
inline constexpr std::uint8_t kClosingSecondValue = 0x7D;
inline constexpr std::uint8_t kExclusiveStart = 0xF0;
inline constexpr std::uint8_t kExclusiveEnd = 0xF7;
inline constexpr std::array<std::uint8_t, 5> kIdentityRequest{0xF0, 0x7D, 0x25, 0x03, 0xF7};
inline constexpr std::array<std::uint8_t, 9> kConfiguration{0xF0, 0x7D, 0x25, 0x02, 0x01,
                                                            0x01, 0x00, 0x00, 0xF7};

}  // namespace quorbel::surfacetool
