#pragma once

#include <string>
#include <vector>

#include "common/Types.h"

namespace quorbel {

// What the window list reads of one window.
struct WindowFacts {
  std::string title;
  std::string windowClass;
  int processId = 0;  // 0 when unknown
};

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
  // The title, class and process of each window, in the order given: what
  // the three questions above answer, asked of many windows at once.
  virtual std::vector<WindowFacts> DescribeWindows(const std::vector<WindowId>& windows) {
    std::vector<WindowFacts> facts;
    facts.reserve(windows.size());
    for (const WindowId window : windows) {
      facts.push_back(WindowFacts{WindowTitle(window), WindowClass(window), ProcessId(window)});
    }
    return facts;
  }

  virtual Point CursorPosition() = 0;
  virtual Point ScreenToClient(WindowId window, Point screen) = 0;
  // Brings a minimised window back to its normal size.
  virtual void RestoreWindow(WindowId window) = 0;

  // False where the desktop gives no way to learn the window in front (some
  // Wayland desktops), or gives none at the moment (a helper that has not
  // reported yet): a 0 from ForegroundWindow then means "unknown", and
  // nothing is played into whatever program that is.
  virtual bool TellsForeground() { return true; }
};

}  // namespace quorbel
