#pragma once

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
// last window list asked for, asked anew for a window it lacks. Safe to use
// from several threads.
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
  // Where the compositor does not tell, the last point asked of ScreenToClient
  // cannot be better known: the origin.
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
};

}  // namespace quorbel
