#pragma once

#include "common/SelectionState.h"
#include "device/LinkSettings.h"
#include "keysets/KeysetModel.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// The process-wide state of the program, owned by the application and handed
// to every part that needs it.
struct ProgramState {
  SelectionState selection;
  ui::WindowState windows;
  KeysetModel keysets;
  LinkSettings link;
  // Whether the window list (Ctrl+F12) is shown; GUI thread only.
  bool WindowListVisible = false;
};

}  // namespace quorbel
