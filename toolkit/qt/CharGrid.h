#pragma once

#include <QRect>
#include <QString>
#include <cmath>
#include <string>

#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// The toolkit's character grid. One column is 8 and one row 16 of Qt's
// device-independent pixels; the window system scales those by the screen's
// device pixel ratio, so the grid grows with it.
inline constexpr double kColumnPixels = 8;
inline constexpr double kRowPixels = 16;

inline int ColumnsToPixels(double columns) {
  return static_cast<int>(std::lround(columns * kColumnPixels));
}

inline int RowsToPixels(double rows) { return static_cast<int>(std::lround(rows * kRowPixels)); }

// Both edges are rounded, so that controls placed edge to edge stay so.
inline QRect ToPixels(const Rect& place) {
  const int left = ColumnsToPixels(place.column);
  const int top = RowsToPixels(place.row);
  return QRect(left, top, ColumnsToPixels(place.column + place.width) - left,
               RowsToPixels(place.row + place.height) - top);
}

// The program's texts are UTF-8, the text of the file system on Linux.
inline QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace quorbel::ui
