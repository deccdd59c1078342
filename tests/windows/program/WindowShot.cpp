// Writes a picture of QuorbelU's main window as a 24-bit BMP: its menu bar
// and client area as the screen shows them, the frame left out as in the
// Linux picture. windows_window_shot CAPTION OUT.BMP waits up to 20 s for a
// main window with that caption.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/WideText.h"

namespace {

using namespace std::chrono_literals;

HWND FindMainWindow(const std::wstring& caption) {
  for (int tries = 0; tries < 400; ++tries) {
    HWND window = ::FindWindowW(L"QuorbelForm", caption.c_str());
    if (window != nullptr && ::IsWindowVisible(window)) return window;
    std::this_thread::sleep_for(50ms);
  }
  return nullptr;
}

// The menu bar's top left and the client area's bottom right, on the screen.
RECT ShownPart(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  POINT topLeft{0, 0};
  POINT bottomRight{client.right, client.bottom};
  ::ClientToScreen(window, &topLeft);
  ::ClientToScreen(window, &bottomRight);
  // Wine gives no menu bar information: the bar is then the one line of
  // menu height right above the client area.
  MENUBARINFO menu{};
  menu.cbSize = sizeof(menu);
  if (::GetMenuBarInfo(window, OBJID_MENU, 0, &menu)) {
    topLeft.y = menu.rcBar.top;
  } else if (::GetMenu(window) != nullptr) {
    topLeft.y -= ::GetSystemMetrics(SM_CYMENU);
  }
  return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

bool WriteBmp(const std::string& file, const RECT& part) {
  const int width = part.right - part.left;
  const int height = part.bottom - part.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, part.left, part.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  const DWORD pixelBytes = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
  header.bfSize = header.bfOffBits + pixelBytes;
  std::ofstream out(quorbel::WideFromUtf8(file).c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  out.write(static_cast<const char*>(bits), pixelBytes);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: windows_window_shot CAPTION OUT.BMP\n");
    return 2;
  }
  HWND window = FindMainWindow(quorbel::WideFromUtf8(argv[1]));
  if (window == nullptr) {
    std::fprintf(stderr, "no main window captioned \"%s\"\n", argv[1]);
    return 1;
  }
  ::SetForegroundWindow(window);
  // Time to paint, the pictures included.
  std::this_thread::sleep_for(1500ms);
  const RECT part = ShownPart(window);
  if (!WriteBmp(argv[2], part)) return 1;
  std::printf("%ld x %ld\n", part.right - part.left, part.bottom - part.top);
  return 0;
}
