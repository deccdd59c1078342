#pragma once

#include <cstdint>

namespace quorbel {

// A native top-level window of the desktop; 0 is no window.
using WindowId = std::uint64_t;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Hardware controls of the surface are numbered 0..127.
inline constexpr int kControlCount = 128;
// The panel picture of control i carries this ID plus i.
inline constexpr int kPanelPictureBase = 1000;

inline constexpr bool IsControlIndex(int c) { return c >= 0 && c < kControlCount; }

}  // namespace quorbel
