#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::art {

// An image as rows of 0xAARRGGBB pixels from the top, the colours already
// multiplied by their alpha (as the artwork draws them).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // width * height
};

// A 32-bit bitmap file whose bytes a Windows program can blend as they are:
// colours stay multiplied by alpha, rows bottom-up, no palette.
std::string BitmapFileBytes(const Pixels& image);

// An icon file with one 32-bit image per entry, each with straight (not
// multiplied) colours and the mask of its fully transparent pixels. Sides
// up to 256 pixels.
std::string IconFileBytes(const std::vector<Pixels>& images);

// One line of a resource script: `NAME TYPE "path"`.
struct ResourceLine {
  std::string name;
  std::string_view type;  // "BITMAP" or "ICON"
  std::string path;
};

// The resource script naming every file; in the quoted paths a backslash
// is doubled, and so is a quote.
std::string ResourceScript(const std::vector<ResourceLine>& lines);

}  // namespace quorbel::art
