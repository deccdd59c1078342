#pragma once

#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// Loads every panel image once, then creates the picture of each surface
// control (ID 1000 + index) showing its released image, the hidden jog and
// shuttle overlays, and the decorations. The controls come first so that
// they lie above the decorations they sit on. `window` is the main window's
// size, which places the screws and the wrist rest in its corners.
void BuildPanelPictures(Toolkit& toolkit, const ControlCatalogue& catalogue, Size window);

}  // namespace quorbel::ui
