#include "toolkit/win32/PixelScaling.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quorbel::ui {

namespace {

using Channels = std::array<double, 4>;

std::size_t Index(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// For each new place along one side, the old places it covers and how much
// of each: the new place i spans [i * ratio, (i + 1) * ratio) of the old.
struct Cover {
  int first = 0;
  std::vector<double> weights;  // of old places first, first + 1, ...
};

std::vector<Cover> Covers(int from, int to) {
  std::vector<Cover> covers(static_cast<std::size_t>(to));
  const double ratio = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double start = i * ratio;
    const double end = std::min<double>(from, (i + 1) * ratio);
    Cover& cover = covers[static_cast<std::size_t>(i)];
    cover.first = std::min(from - 1, static_cast<int>(start));
    for (int old = cover.first; old < end && old < from; ++old) {
      const double part = std::min<double>(end, old + 1) - std::max<double>(start, old);
      cover.weights.push_back(part / ratio);
    }
  }
  return covers;
}

Channels Split(std::uint32_t pixel) {
  return {static_cast<double>(pixel >> 24), static_cast<double>((pixel >> 16) & 0xff),
          static_cast<double>((pixel >> 8) & 0xff), static_cast<double>(pixel & 0xff)};
}

std::uint32_t Join(const Channels& channels) {
  std::uint32_t pixel = 0;
  for (const double channel : channels) {
    const double rounded = std::clamp(channel + 0.5, 0.0, 255.0);
    pixel = (pixel << 8) | static_cast<std::uint32_t>(rounded);
  }
  return pixel;
}

}  // namespace

PixelRows ScalePixels(const PixelRows& from, int width, int height) {
  if (width <= 0 || height <= 0 || from.width <= 0 || from.height <= 0) return {};
  PixelRows to{width, height, {}};
  to.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const std::vector<Cover> across = Covers(from.width, width);
  const std::vector<Cover> down = Covers(from.height, height);
  for (int y = 0; y < height; ++y) {
    const Cover& rows = down[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x) {
      const Cover& columns = across[static_cast<std::size_t>(x)];
      Channels sum{};
      for (std::size_t r = 0; r < rows.weights.size(); ++r) {
        for (std::size_t c = 0; c < columns.weights.size(); ++c) {
          const Channels old = Split(from.pixels[Index(
              columns.first + static_cast<int>(c), rows.first + static_cast<int>(r), from.width)]);
          const double weight = rows.weights[r] * columns.weights[c];
          for (std::size_t k = 0; k < sum.size(); ++k) sum[k] += old[k] * weight;
        }
      }
      to.pixels[Index(x, y, width)] = Join(sum);
    }
  }
  return to;
}

}  // namespace quorbel::ui
