#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Desktop.h"
#include "platform/linux/wayland/WindowSource.h"

namespace quorbel {

// The desktop as a Wayland compositor describes it through its IPC (sway,
// Hyprland). Window ids are the compositor's own; a window of this very
// process stands for the program's main window (`ownWindow`), so that the
// program knows itself in front. Titles, classes and processes come from the
// last window list asked for while it is fresh (a window list is built from
// one answer, not one per question), else from a new one. Safe to use from
// several threads.
class WaylandDesktop : public Desktop {
 public:
  WaylandDesktop(std::unique_ptr<wayland::WindowSource> source,
                 std::function<WindowId()> ownWindow);

  WindowId ForegroundWindow() override;
  std::vector<WindowId> TopLevelWindows() override;
  std::string WindowTitle(WindowId window) override;
  std::string WindowClass(WindowId window) override;
  int ProcessId(WindowId window) override;
  std::string ExecutablePath(int processId) override;
  // The origin where the compositor does not tell (sway).
  Point CursorPosition() override;
  Point ScreenToClient(WindowId window, Point screen) override;
  // Focuses the window (a minimised window on Wayland is one not in view).
  void RestoreWindow(WindowId window) override;

  // The window's content on the layout; nullopt when the window is gone.
  std::optional<wayland::Rect> Content(WindowId window);
  // The space absolute pointer motion spans.
  std::optional<wayland::Rect> Layout();

 private:
  bool IsOwn(const wayland::CompositorWindow& window) const;
  // The compositor's id of a window id this desktop gave out.
  WindowId CompositorId(WindowId window);
  std::optional<wayland::CompositorWindow> Find(WindowId window);
  void Refresh();

  std::unique_ptr<wayland::WindowSource> source_;
  std::function<WindowId()> ownWindow_;
  std::mutex mutex_;
  std::vector<wayland::CompositorWindow> windows_;  // the last list asked for
  std::chrono::steady_clock::time_point listed_;    // when it was asked for
};

}  // namespace quorbel
