#pragma once

#include "keysets/KeysetModel.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel::ui {

inline constexpr const char* kKeysetDisplayForm = "KSDISPLAY";

// The read-only overview of what the current keyset and layer assign to each
// control, one line per control in three columns that follow the surface's
// groups. It shows the moment it was opened and never refreshes.
class KeysetDisplay {
 public:
  KeysetDisplay(Toolkit& toolkit, WindowState& windows, KeysetModel& keysets,
                const ControlCatalogue& catalogue);

  // Opens the window modal to the main window; returns when it was closed.
  void OpenKeysetDisplay();
  // The layout callback of the window: its labels, frames and accelerators.
  void LayOut();
  // Escape (accelerator 27) closes the window; everything else is ignored.
  void KeysetDisplayEvent(Event& event);

 private:
  Toolkit& toolkit_;
  WindowState& windows_;
  KeysetModel& keysets_;
  const ControlCatalogue& catalogue_;
};

}  // namespace quorbel::ui
