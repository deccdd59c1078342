#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace quorbel {

// The desktop as the X server and the window manager describe it. With a
// window manager that follows the extended window-manager hints the active
// window and the client list come from it; without one, from the input focus
// and the window tree. Questions about windows that have gone away give empty
// answers. Safe to use from several threads.
class X11Desktop : public Desktop {
 public:
  // Empty name: the display named by $DISPLAY. Null when it cannot be opened.
  static std::unique_ptr<X11Desktop> Connect(const std::string& displayName = {});
  ~X11Desktop() override;

  WindowId ForegroundWindow() override;
  // The window manager's client list, else the viewable children of the root
  // from the bottom of the stack to the top (their tree walked a level at a
  // time, every window of a level asked at once).
  std::vector<WindowId> TopLevelWindows() override;
  // At most 254 characters, in UTF-8.
  std::string WindowTitle(WindowId window) override;
  // The class part of WM_CLASS, at most 254 characters.
  std::string WindowClass(WindowId window) override;
  int ProcessId(WindowId window) override;
  // All windows' questions go to the server together, answered in one or
  // two trips instead of several per window.
  std::vector<WindowFacts> DescribeWindows(const std::vector<WindowId>& windows) override;
  std::string ExecutablePath(int processId) override;
  Point CursorPosition() override;
  Point ScreenToClient(WindowId window, Point screen) override;
  // Maps and raises the window and asks the window manager to activate it.
  void RestoreWindow(WindowId window) override;

 private:
  struct Impl;
  explicit X11Desktop(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
