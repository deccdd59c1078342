#include "app/windows/SessionWindow.h"

#include <dbt.h>

#include <atomic>
#include <stdexcept>
#include <utility>

namespace quorbel {

namespace {

constexpr wchar_t kClass[] = L"QuorbelUSession";
// What the console's thread posts: end the program.
constexpr UINT kEndMessage = WM_APP + 1;
// The system gives a closing console five seconds before it ends the process.
constexpr DWORD kConsoleWaitMs = 4500;

// What the console's thread needs, kept apart from the window object, which
// may go while that thread still waits: the window to post to, and the event
// of the end, made once and kept for the process's life.
std::atomic<HWND> consoleTarget{nullptr};
HANDLE EndedEvent() {
  static const HANDLE ended = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return ended;
}

}  // namespace

SessionWindow::SessionWindow(Handlers handlers) : handlers_(std::move(handlers)) {
  if (EndedEvent() == nullptr)
    throw std::runtime_error("cannot make the event of the program's end");
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &SessionWindow::Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClass;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register the session window's class");
  }
  // Top-level, for only those hear the session's end and the ports' changes;
  // never shown, and without a title, so that no list of windows names it.
  window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    throw std::runtime_error("cannot create the session window");
  }
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  consoleTarget = window_;
  ::SetConsoleCtrlHandler(&SessionWindow::OnConsoleControl, TRUE);
}

SessionWindow::~SessionWindow() {
  ::SetConsoleCtrlHandler(&SessionWindow::OnConsoleControl, FALSE);
  consoleTarget = nullptr;
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  ::DestroyWindow(window_);
  // A console's thread still waiting goes on: the program has ended.
  ::SetEvent(EndedEvent());
}

void SessionWindow::End() {
  if (!ending_) {
    ending_ = true;
    if (handlers_.end) handlers_.end();
  }
  ::SetEvent(EndedEvent());
}

LRESULT CALLBACK SessionWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* session = reinterpret_cast<SessionWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (session == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process ends when this returns: the preferences are written first.
      if (wParam != FALSE) session->End();
      return 0;
    case kEndMessage:
      session->End();
      return 0;
    case WM_DEVICECHANGE:
      if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE ||
           wParam == DBT_DEVNODES_CHANGED) &&
          session->handlers_.devicesChanged) {
        session->handlers_.devicesChanged();
      }
      return TRUE;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

BOOL WINAPI SessionWindow::OnConsoleControl(DWORD kind) {
  const HWND target = consoleTarget.load();
  if (target == nullptr) return FALSE;
  switch (kind) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      ::PostMessageW(target, kEndMessage, 0, 0);
      ::WaitForSingleObject(EndedEvent(), kConsoleWaitMs);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quorbel
