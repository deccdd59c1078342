#pragma once

#include <QImage>

namespace quorbel::art {

// The main window's surface as it opens, at `scale` times normal size: the
// chassis colour, the light strip along the top and every panel picture that
// is shown at first, in its place. Pictures placed earlier lie on top.
QImage RenderPanel(double scale);

}  // namespace quorbel::art
