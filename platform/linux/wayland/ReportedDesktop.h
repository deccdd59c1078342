#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Desktop.h"
#include "platform/linux/wayland/WindowReport.h"

namespace quorbel {

// The desktop as a helper inside the compositor reports it (the KWin script
// on KDE Plasma, the Shell extension on GNOME): the window in front, its
// process and frame, sent anew whenever another window comes to the front
// or the one in front moves. Until the first report, after one that cannot
// be read and after the helper said it stops, the window in front is unknown and the programs under
// XWayland are all that is known, through `xwayland` (null without it). Of
// the reported windows only the one in front is known; a window of this very
// process stands for the program's main window (`ownWindow`), so that the
// program knows itself in front. Reported windows get ids of their own, per
// window of the desktop, never reused and apart from XWayland's. Safe to use
// from several threads: reports come on one, questions on others.
class ReportedDesktop : public Desktop {
 public:
  ReportedDesktop(int ownProcess, std::function<WindowId()> ownWindow,
                  std::unique_ptr<Desktop> xwayland);

  // Takes one report; returns why it was refused, empty when taken.
  std::string Report(std::string_view json);

  WindowId ForegroundWindow() override;
  std::vector<WindowId> TopLevelWindows() override;
  std::string WindowTitle(WindowId window) override;
  std::string WindowClass(WindowId window) override;
  int ProcessId(WindowId window) override;
  std::vector<WindowFacts> DescribeWindows(const std::vector<WindowId>& windows) override;
  std::string ExecutablePath(int processId) override;
  // XWayland's pointer: the helpers do not follow the pointer.
  Point CursorPosition() override;
  Point ScreenToClient(WindowId window, Point screen) override;
  // A window under XWayland is restored there; a reported window is the one
  // in front, which is never a minimised one.
  void RestoreWindow(WindowId window) override;
  bool TellsForeground() override;

  // Where the client point of a reported window lies on the screen: the
  // point itself when that window is no longer in front (it may be gone);
  // nullopt for a window under XWayland, which XWayland places.
  std::optional<Point> ClientToScreen(WindowId window, Point client);
  // The box around all outputs, as last reported.
  std::optional<wayland::Rect> Layout();

 private:
  static bool IsReported(WindowId window);
  // The report about `window` when it is the one in front.
  const wayland::WindowReport* Current(WindowId window) const;

  const int ownProcess_;
  std::function<WindowId()> ownWindow_;
  std::unique_ptr<Desktop> xwayland_;
  std::mutex mutex_;
  bool known_ = false;  // the last report could be read
  std::optional<wayland::WindowReport> front_;
  WindowId frontId_ = 0;
  std::optional<wayland::Rect> screen_;
  std::map<std::string, WindowId> ids_;  // by the desktop's own id of a window
};

}  // namespace quorbel
