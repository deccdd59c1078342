#include "platform/windows/WindowsInput.h"

#include <windows.h>

namespace quorbel {

namespace {

BYTE KeyCode(int virtualKey) { return static_cast<BYTE>(virtualKey & 0xFF); }

}  // namespace

void WindowsInput::KeyDown(int virtualKey) { ::keybd_event(KeyCode(virtualKey), 0, 0, 0); }

void WindowsInput::KeyUp(int virtualKey) {
  ::keybd_event(KeyCode(virtualKey), 0, KEYEVENTF_KEYUP, 0);
}

void WindowsInput::Click(MouseButton button) {
  DWORD flags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
  if (button == MouseButton::Right) flags = MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP;
  if (button == MouseButton::Middle) flags = MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP;
  ::mouse_event(flags, 0, 0, 0, 0);
}

void WindowsInput::SetCursor(Point screen) { ::SetCursorPos(screen.x, screen.y); }

Point WindowsInput::ClientToScreen(WindowId window, Point client) {
  POINT point{client.x, client.y};
  // A window that has gone leaves the position as it was.
  ::ClientToScreen(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)), &point);
  return {point.x, point.y};
}

}  // namespace quorbel
