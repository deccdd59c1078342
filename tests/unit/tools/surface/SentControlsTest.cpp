#include <gtest/gtest.h>

#include <vector>

#include "tools/surface/SentControls.h"

namespace quorbel::surfacetool {
namespace {

void Send(SentControls& controls, const std::vector<std::uint8_t>& bytes) { controls.Sent(bytes); }

TEST(SentControlsTest, KeysAreHeldFromTheirPressToTheirRelease) {
  SentControls controls;
  Send(controls, {0xBF, 0x12, 0x3B, 0xBF, 0x12, 0x00});
  EXPECT_TRUE(controls.Held(59));
  EXPECT_TRUE(controls.Held(0));
  Send(controls, {0xBF, 0x13, 0x3B});
  EXPECT_FALSE(controls.Held(59));
  EXPECT_TRUE(controls.Held(0));
  // Indices past the last control are no key at all.
  Send(controls, {0xBF, 0x12, 0x80});
  EXPECT_FALSE(controls.Held(128));
  EXPECT_FALSE(controls.Held(-1));
}

TEST(SentControlsTest, ShuttlePositionsAreSevenBitTwosComplement) {
  SentControls controls;
  const std::vector<std::pair<std::uint8_t, int>> positions = {
      {0x01, 1}, {0x0C, 12}, {0x3F, 63}, {0x7F, -1}, {0x74, -12}, {0x40, -64}, {0x00, 0}};
  for (const auto& [value, position] : positions) {
    Send(controls, {0xBF, 0x66, value});
    EXPECT_EQ(controls.ShuttlePosition(), position) << int{value};
  }
}

TEST(SentControlsTest, JogStepsAreCountedWithTheirHalfAndOtherBytesPassedOver) {
  SentControls controls;
  // A stray byte, an exclusive message and an unknown kind before and between the steps.
  Send(controls, {0x00, 0xBF, 0x65, 0x40, 0xF0, 0x7D, 0x25, 0x03, 0xF7, 0xBF, 0x65, 0x3F});
  EXPECT_EQ(controls.JogSteps(), 2);
  EXPECT_FALSE(controls.LastJogLeft());  // bits 0..5 say nothing
  Send(controls, {0xBF, 0x70, 0x01, 0xBF, 0x65, 0x41, 0xBF, 0x12});
  EXPECT_EQ(controls.JogSteps(), 3);
  EXPECT_TRUE(controls.LastJogLeft());
  EXPECT_FALSE(controls.Held(0));
}

}  // namespace
}  // namespace quorbel::surfacetool
