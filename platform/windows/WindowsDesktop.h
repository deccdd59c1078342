#pragma once

#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace quorbel {

// The windows and programs of the Windows desktop. Window ids are window
// handles; titles, classes and paths come from the wide calls as UTF-8.
class WindowsDesktop : public Desktop {
 public:
  WindowId ForegroundWindow() override;
  std::vector<WindowId> TopLevelWindows() override;
  std::string WindowTitle(WindowId window) override;
  std::string WindowClass(WindowId window) override;
  int ProcessId(WindowId window) override;
  std::string ExecutablePath(int processId) override;
  Point CursorPosition() override;
  Point ScreenToClient(WindowId window, Point screen) override;
  void RestoreWindow(WindowId window) override;
};

}  // namespace quorbel
