#pragma once

#include <memory>

#include "platform/Desktop.h"

namespace quorbel {

// A Wayland desktop whose compositor does not say which window is in front:
// only the windows of programs under XWayland are known, through its X
// server; a native Wayland program in front is an unknown one. Without
// XWayland every answer is empty.
class XWaylandDesktop : public Desktop {
 public:
  explicit XWaylandDesktop(std::unique_ptr<Desktop> xwayland) : x_(std::move(xwayland)) {}

  WindowId ForegroundWindow() override { return x_ ? x_->ForegroundWindow() : 0; }
  std::vector<WindowId> TopLevelWindows() override {
    return x_ ? x_->TopLevelWindows() : std::vector<WindowId>{};
  }
  std::string WindowTitle(WindowId window) override {
    return x_ ? x_->WindowTitle(window) : std::string();
  }
  std::string WindowClass(WindowId window) override {
    return x_ ? x_->WindowClass(window) : std::string();
  }
  int ProcessId(WindowId window) override { return x_ ? x_->ProcessId(window) : 0; }
  // The X server's own batch answer, many windows in one round.
  std::vector<WindowFacts> DescribeWindows(const std::vector<WindowId>& windows) override {
    return x_ ? x_->DescribeWindows(windows) : Desktop::DescribeWindows(windows);
  }
  std::string ExecutablePath(int processId) override {
    return x_ ? x_->ExecutablePath(processId) : std::string();
  }
  Point CursorPosition() override { return x_ ? x_->CursorPosition() : Point{}; }
  Point ScreenToClient(WindowId window, Point screen) override {
    return x_ ? x_->ScreenToClient(window, screen) : screen;
  }
  void RestoreWindow(WindowId window) override {
    if (x_) x_->RestoreWindow(window);
  }
  bool TellsForeground() override { return false; }

 private:
  std::unique_ptr<Desktop> x_;
};

}  // namespace quorbel
