#pragma once

#include <QPainter>
#include <QRectF>

#include "tools/surface/SurfaceState.h"

namespace quorbel::surfacewindow {

// The surface's text display: two lines of 56 characters. Display position p
// is column p % 56 of line p / 56, so the greeting written at 2 sits on the
// first line and the layer line written at 72 on the second; cells past the
// second line are kept by the surface but not shown.
inline constexpr int kDisplayColumns = 56;
inline constexpr int kDisplayLines = 2;

// The rectangle of display cell `position` on `glass`.
QRectF DisplayCellRect(const QRectF& glass, int position);

// Paints the glass, backlit, with every character written so far.
void PaintDisplay(QPainter& painter, const QRectF& glass, const surfacetool::SurfaceState& state);

}  // namespace quorbel::surfacewindow
