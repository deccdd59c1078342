#pragma once

#include <string>

#include "common/SelectionState.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// Registers the program's colours and fonts, creates the main window (its
// layout runs inside, see LayOutMainWindow) and starts the status timer.
void CreateMainWindow(Toolkit& toolkit, const std::string& parent);

// The layout of "MAIN": menus, the hidden window list, the panel pictures,
// the editing controls and the accelerators, in that order.
void LayOutMainWindow(Toolkit& toolkit, const ControlCatalogue& catalogue,
                      SelectionState& selection);

}  // namespace quorbel::ui
