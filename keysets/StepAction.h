#pragma once

#include <cstdint>

#include "surface/ControlCatalogue.h"

namespace quorbel {

// What a step does, read from its key code and modifier bits. The action
// text and playback both take a step's meaning from here, so what the editor
// shows is always what the surface plays, whatever a keyset file holds.
enum class StepKind {
  Empty,  // key code 0: the slot ends the sequence
  Key,    // one key, pressed with the modifiers
  Mouse,  // a click (or only a cursor move) and the settle time
};

enum class StepButton { None, Left, Right, Middle };

struct StepAction {
  StepKind kind = StepKind::Empty;
  // Key: the virtual key pressed; 0 when the step types `character` instead
  // or presses nothing.
  int virtualKey = 0;
  // Key: the character (Unicode) a plain code shows as, which the step types
  // unless `virtualKey` gives the key that types it; 0 for a named key and for
  // a control code, which show as a key's name or the control's.
  char32_t character = 0;
  // Mouse: the button clicked; None for the alternate wheel selector.
  StepButton button = StepButton::None;
};

// A mouse bit (12..15) makes a mouse step whatever the low byte holds; any
// other nonzero code is a key step.
StepAction ActionOfStep(std::int32_t keyCode, std::int32_t modifiers,
                        const ControlCatalogue& catalogue);

}  // namespace quorbel
