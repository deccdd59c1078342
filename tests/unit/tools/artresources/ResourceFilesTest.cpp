#include "tools/artresources/ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorbel::art {
namespace {

std::uint32_t Word(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint32_t Half(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// Three by two: the top row red, half-clear grey, clear; the bottom row blue,
// white, opaque black.
Pixels Sample() {
  return {3, 2, {0xffff0000, 0x80404040, 0x00000000, 0xff0000ff, 0xffffffff, 0xff000000}};
}

Pixels Solid(int side, std::uint32_t pixel) {
  return {side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), pixel)};
}

TEST(BitmapFile, HeadersDescribeA32BitImageStoredBottomUpWithItsAlphaAsDrawn) {
  const std::string file = BitmapFileBytes(Sample());
  ASSERT_EQ(file.size(), 54u + 3 * 2 * 4);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(Word(file, 2), file.size());
  EXPECT_EQ(Word(file, 10), 54u);  // the pixels follow the two headers
  EXPECT_EQ(Word(file, 14), 40u);
  EXPECT_EQ(Word(file, 18), 3u);
  EXPECT_EQ(Word(file, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(Half(file, 26), 1u);
  EXPECT_EQ(Half(file, 28), 32u);
  EXPECT_EQ(Word(file, 30), 0u);  // no compression
  EXPECT_EQ(Word(file, 34), 24u);
  EXPECT_EQ(Word(file, 46), 0u);  // no palette
  // The bottom row comes first, each pixel blue, green, red, alpha; the
  // half-clear grey keeps its multiplied colours.
  EXPECT_EQ(Word(file, 54), 0xff0000ffu);
  EXPECT_EQ(Word(file, 58), 0xffffffffu);
  EXPECT_EQ(Word(file, 66), 0xffff0000u);
  EXPECT_EQ(Word(file, 70), 0x80404040u);
  EXPECT_EQ(static_cast<unsigned char>(file[66]), 0x00);  // blue of red
  EXPECT_EQ(static_cast<unsigned char>(file[68]), 0xff);  // red of red
}

TEST(IconFile, EntriesPointAtImagesThatFollowOneAnother) {
  const std::string file = IconFileBytes({Solid(16, 0xff102030), Solid(256, 0xff102030)});
  EXPECT_EQ(Half(file, 0), 0u);
  EXPECT_EQ(Half(file, 2), 1u);  // an icon
  ASSERT_EQ(Half(file, 4), 2u);
  const std::size_t first = 6;
  const std::size_t second = 6 + 16;
  EXPECT_EQ(static_cast<unsigned char>(file[first]), 16);
  EXPECT_EQ(static_cast<unsigned char>(file[second]), 0);  // 256 is written as 0
  EXPECT_EQ(static_cast<unsigned char>(file[second + 1]), 0);
  EXPECT_EQ(Half(file, first + 6), 32u);
  EXPECT_EQ(Word(file, first + 12), 6u + 2 * 16);
  EXPECT_EQ(Word(file, second + 12), Word(file, first + 12) + Word(file, first + 8));
  EXPECT_EQ(Word(file, second + 12) + Word(file, second + 8), file.size());
  // Each image: colours and mask, its header counting both halves' rows.
  const std::size_t image = Word(file, first + 12);
  EXPECT_EQ(Word(file, image + 4), 16u);
  EXPECT_EQ(Word(file, image + 8), 32u);
  EXPECT_EQ(Word(file, first + 8), 40u + 16 * 16 * 4 + 16 * 4);
  EXPECT_EQ(Word(file, second + 8), 40u + 256 * 256 * 4 + 256 * 32);
}

TEST(IconFile, ColoursAreStraightAndTheMaskMarksClearPixelsInPaddedRows) {
  const std::string file = IconFileBytes({Sample()});
  const std::size_t image = Word(file, 6 + 12);
  EXPECT_EQ(Word(file, image + 8), 4u);  // two rows of colours, two of mask
  const std::size_t colours = image + 40;
  // Bottom row first, then the top row: red, grey with its colours divided
  // by its alpha again (0x40 * 255 / 0x80, rounded), clear.
  EXPECT_EQ(Word(file, colours), 0xff0000ffu);
  EXPECT_EQ(Word(file, colours + 12), 0xffff0000u);
  EXPECT_EQ(Word(file, colours + 16), 0x80808080u);
  EXPECT_EQ(Word(file, colours + 20), 0u);
  // Mask rows of four bytes each, bottom row first: only the clear pixel,
  // the third of the top row, is set.
  const std::size_t mask = colours + 6 * 4;
  EXPECT_EQ(file.size(), mask + 2 * 4);
  EXPECT_EQ(static_cast<unsigned char>(file[mask]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(file[mask + 4]), 0x20);
  EXPECT_EQ(file.substr(mask + 5, 3), std::string(3, '\0'));
}

TEST(ResourceScriptText, EveryFileIsNamedWithItsTypeAndItsPathQuoted) {
  const std::string script = ResourceScript({{"ART_FUNCUP_100", "BITMAP", "/b/drawn/funcup.bmp"},
                                             {"ART_PROGRAM", "ICON", "/b/my \"art\"\\x.ico"}});
  EXPECT_NE(script.find("\nART_FUNCUP_100 BITMAP \"/b/drawn/funcup.bmp\"\n"), std::string::npos);
  EXPECT_NE(script.find("\nART_PROGRAM ICON \"/b/my \"\"art\"\"\\\\x.ico\"\n"), std::string::npos);
}

}  // namespace
}  // namespace quorbel::art
