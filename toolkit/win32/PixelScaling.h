#pragma once

#include <cstdint>
#include <vector>

namespace quorbel::ui {

// Rows of 32-bit pixels from the top, colours multiplied by their alpha.
struct PixelRows {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height
};

// The image at another size, each new pixel the average of the part of the
// old image it covers, channel by channel: smooth when it shrinks, and
// without the dark fringes straight colours would give at transparent edges.
// No pixels in, or none asked for, gives an empty image.
PixelRows ScalePixels(const PixelRows& from, int width, int height);

}  // namespace quorbel::ui
