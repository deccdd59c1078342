#include "toolkit/win32/PixelScaling.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quorbel::ui {
namespace {

TEST(PixelScaling, HalvingAveragesEachBlockChannelByChannel) {
  const PixelRows from{4,
                       2,
                       {0xff000000, 0xff0000ff, 0xffff0000, 0xffff0000,  //
                        0xff00ff00, 0xffffffff, 0xffff0000, 0x00000000}};
  const PixelRows to = ScalePixels(from, 2, 1);
  ASSERT_EQ(to.pixels.size(), 2u);
  // (0 + 0 + 0 + ff) / 4 and so on, rounded.
  EXPECT_EQ(to.pixels[0], 0xff408080u);
  // A clear pixel counts as clear, not as black: the colour stays red, and
  // only the alpha drops.
  EXPECT_EQ(to.pixels[1], 0xbfbf0000u);
}

TEST(PixelScaling, APixelSplitBetweenTwoNewOnesCountsInBothByItsShare) {
  // Three pixels into two: the middle one is half in each.
  const PixelRows from{3, 1, {0xff000000, 0xff0000f0, 0xff000000}};
  const PixelRows to = ScalePixels(from, 2, 1);
  ASSERT_EQ(to.pixels.size(), 2u);
  EXPECT_EQ(to.pixels[0], 0xff000050u);  // 0xf0 * (1/2) / (3/2)
  EXPECT_EQ(to.pixels[1], 0xff000050u);
}

TEST(PixelScaling, GrowingKeepsAnEvenColourAndNothingIsMadeOfNothing) {
  const PixelRows from{2, 2, {0x80402010, 0x80402010, 0x80402010, 0x80402010}};
  const PixelRows to = ScalePixels(from, 5, 3);
  ASSERT_EQ(to.pixels.size(), 15u);
  for (const std::uint32_t pixel : to.pixels) EXPECT_EQ(pixel, 0x80402010u);
  EXPECT_EQ(ScalePixels(from, 0, 3).width, 0);
  EXPECT_EQ(ScalePixels(PixelRows{}, 2, 2).width, 0);
}

}  // namespace
}  // namespace quorbel::ui
