#pragma once

#include <atomic>

#include "common/Types.h"

namespace quorbel::ui {

// Process-wide state of the windows, read by both threads.
struct WindowState {
  // Set while the program shows a message box or runs a modal command; the
  // main window then does not minimise itself when it loses the focus.
  std::atomic<bool> DialogActive{false};
  std::atomic<WindowId> MainWindowHandle{0};
};

}  // namespace quorbel::ui
