#pragma once

#include <atomic>

namespace quorbel {

// The main window's selection and wheel state, shared by the GUI thread and
// the device thread. Whole integers read and written atomically; no lock.
struct SelectionState {
  // Control index selected for editing, and the one whose sequence the editor
  // shows (-1: nothing shown, so the next selection fills the editor).
  std::atomic<int> SelectedControl{0};
  std::atomic<int> PreviousControl{-1};
  // Last decoded shuttle position (negative = reverse), 0 after a press,
  // a release or a jog step.
  std::atomic<int> ShuttleStep{0};
  // Jog divider 0..10 from the "Speed/Range" slider: one replay per
  // SpeedRange + 1 jog steps.
  std::atomic<int> SpeedRange{5};
};

}  // namespace quorbel
