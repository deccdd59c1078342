#pragma once

#include <windows.h>

#include <cmath>

#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// The toolkit's character grid on Win32: one column is 8 and one row 16
// pixels at the system's normal 96 dots per inch, and both grow with the DPI
// of the window they are measured for.
inline constexpr double kColumnPixels = 8;
inline constexpr double kRowPixels = 16;
inline constexpr int kNormalDpi = 96;

class CharGrid {
 public:
  explicit CharGrid(int dpi) : scale_(static_cast<double>(dpi) / kNormalDpi) {}

  double ColumnWidth() const { return kColumnPixels * scale_; }
  double RowHeight() const { return kRowPixels * scale_; }

  int Columns(double columns) const {
    return static_cast<int>(std::lround(columns * ColumnWidth()));
  }
  int Rows(double rows) const { return static_cast<int>(std::lround(rows * RowHeight())); }

  // Both edges are rounded, so that controls placed edge to edge stay so.
  RECT ToPixels(const Rect& place) const {
    return RECT{Columns(place.column), Rows(place.row), Columns(place.column + place.width),
                Rows(place.row + place.height)};
  }

 private:
  double scale_;
};

}  // namespace quorbel::ui
