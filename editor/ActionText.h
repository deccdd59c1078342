#pragma once

#include <string>

#include "keysets/KeysetLayer.h"
#include "surface/ControlCatalogue.h"

namespace quorbel {

// The one-line text of step 1..10 of a control in a layer record: the held
// modifiers ("alt+", "ctrl+", "shft+", "app+") and then the mouse click, the
// key name or the character. An empty slot has the empty text.
std::string ActionText(const KeysetLayer& record, int control, int step,
                       const ControlCatalogue& catalogue);

// The row that follows a step whose delay is 1 or more.
std::string DelayRow(int delay);

}  // namespace quorbel
