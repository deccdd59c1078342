#pragma once

#include <windows.h>

#include <functional>

namespace quorbel {

// A hidden top-level window of the program's own, for what the system tells
// every top-level window: the session ends (WM_ENDSESSION) and serial ports
// come and go (WM_DEVICECHANGE). A console's Ctrl+C, Ctrl+Break or close
// arrives on a thread of the system's; it is handed to this window, so the
// program ends on its GUI thread as it does for the close box, and the
// console's thread waits until it has.
class SessionWindow {
 public:
  struct Handlers {
    std::function<void()> end;             // the program is to end now
    std::function<void()> devicesChanged;  // ports may have come or gone
  };

  // On the GUI thread, whose messages reach the window. One at a time.
  explicit SessionWindow(Handlers handlers);
  ~SessionWindow();
  SessionWindow(const SessionWindow&) = delete;
  SessionWindow& operator=(const SessionWindow&) = delete;

  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static BOOL WINAPI OnConsoleControl(DWORD kind);
  // Runs the end handler once, however many ways ask for it.
  void End();

  Handlers handlers_;
  HWND window_ = nullptr;
  bool ending_ = false;
};

}  // namespace quorbel
