#pragma once

#include <string>
#include <vector>

#include "common/Types.h"

namespace quorbel {

// What the program needs to know about the windows and programs of the desktop.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // The window in front; 0 when there is none.
  virtual WindowId ForegroundWindow() = 0;
  // Every top-level window, in the desktop's own order.
  virtual std::vector<WindowId> TopLevelWindows() = 0;
  virtual std::string WindowTitle(WindowId window) = 0;
  virtual std::string WindowClass(WindowId window) = 0;
  // Process that owns the window; 0 when unknown.
  virtual int ProcessId(WindowId window) = 0;
  // Full path of the program the process runs; empty when unknown.
  virtual std::string ExecutablePath(int processId) = 0;

  virtual Point CursorPosition() = 0;
  virtual Point ScreenToClient(WindowId window, Point screen) = 0;
  // Brings a minimised window back to its normal size.
  virtual void RestoreWindow(WindowId window) = 0;

  // False where the desktop gives no way to learn the window in front (some
  // Wayland desktops): a 0 from ForegroundWindow then means "unknown", and
  // nothing is played into whatever program that is.
  virtual bool TellsForeground() { return true; }
};

}  // namespace quorbel
