#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace quorbel {

// A desktop made of the windows and programs a test describes. Safe to use
// from several threads.
class MemoryDesktop : public Desktop {
 public:
  WindowId ForegroundWindow() override;
  std::vector<WindowId> TopLevelWindows() override;  // in the order added
  std::string WindowTitle(WindowId window) override;
  std::string WindowClass(WindowId window) override;
  int ProcessId(WindowId window) override;
  std::string ExecutablePath(int processId) override;
  Point CursorPosition() override;
  // The screen point moved back by the window's client origin (0,0 unless set).
  Point ScreenToClient(WindowId window, Point screen) override;
  void RestoreWindow(WindowId window) override;
  bool TellsForeground() override { return tellsForeground_; }

  // Adds a top-level window, or describes an existing one anew.
  void AddWindow(WindowId window, const std::string& title, const std::string& windowClass,
                 int processId);
  void RemoveWindow(WindowId window);
  void SetExecutable(int processId, const std::string& path);
  void SetForeground(WindowId window);
  void SetCursor(Point screen);
  void SetClientOrigin(WindowId window, Point origin);
  // A desktop that cannot say which window is in front (true until set).
  void SetTellsForeground(bool tells) { tellsForeground_ = tells; }

  // Every RestoreWindow call, in order.
  std::vector<WindowId> Restored() const;

 private:
  struct Window {
    WindowId id = 0;
    std::string title;
    std::string windowClass;
    int processId = 0;
  };
  const Window* Find(WindowId window) const;

  mutable std::mutex mutex_;
  std::vector<Window> windows_;
  std::map<int, std::string> executables_;
  std::map<WindowId, Point> origins_;
  WindowId foreground_ = 0;
  Point cursor_;
  std::vector<WindowId> restored_;
  std::atomic<bool> tellsForeground_{true};
};

}  // namespace quorbel
