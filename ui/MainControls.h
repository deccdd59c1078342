#pragma once

#include "common/SelectionState.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// The hidden window list, created before the panel so that it covers the
// panel when shown.
void BuildWindowListView(Toolkit& toolkit);

// Every control of the main window right of and above the panel, in creation
// order, ending with the background label that lies below everything. Sets
// the slider's starting position into `selection.SpeedRange`.
void BuildMainControls(Toolkit& toolkit, SelectionState& selection);

}  // namespace quorbel::ui
