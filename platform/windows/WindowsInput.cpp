#include "platform/windows/WindowsInput.h"

#include <windows.h>

#include <cstdint>

namespace quorbel {

namespace {

BYTE KeyCode(int virtualKey) { return static_cast<BYTE>(virtualKey & 0xFF); }

void SendCharacter(char32_t character, DWORD flags) {
  INPUT events[2] = {};
  UINT count = 0;
  const auto add = [&](WORD unit) {
    events[count].type = INPUT_KEYBOARD;
    events[count].ki.wScan = unit;
    events[count].ki.dwFlags = KEYEVENTF_UNICODE | flags;
    ++count;
  };
  if (character >= 0x10000 && character <= 0x10FFFF) {
    const char32_t above = character - 0x10000;
    add(static_cast<WORD>(0xD800 + (above >> 10)));
    add(static_cast<WORD>(0xDC00 + (above & 0x3FF)));
  } else {
    add(static_cast<WORD>(character));
  }
  ::SendInput(count, events, sizeof(INPUT));
}

}  // namespace

void WindowsInput::KeyDown(int virtualKey) { ::keybd_event(KeyCode(virtualKey), 0, 0, 0); }

void WindowsInput::KeyUp(int virtualKey) {
  ::keybd_event(KeyCode(virtualKey), 0, KEYEVENTF_KEYUP, 0);
}

void WindowsInput::CharacterDown(char32_t character) { SendCharacter(character, 0); }

void WindowsInput::CharacterUp(char32_t character) { SendCharacter(character, KEYEVENTF_KEYUP); }

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
