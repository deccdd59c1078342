#include "platform/windows/WindowsDesktop.h"

#include <windows.h>

#include <cstdint>

#include "platform/windows/WideText.h"

namespace quorbel {

namespace {

HWND Window(WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
WindowId Id(HWND window) { return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window)); }

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<WindowId>*>(list)->push_back(Id(window));
  return TRUE;
}

}  // namespace

WindowId WindowsDesktop::ForegroundWindow() { return Id(::GetForegroundWindow()); }

std::vector<WindowId> WindowsDesktop::TopLevelWindows() {
  std::vector<WindowId> windows;
  ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowsDesktop::WindowTitle(WindowId window) {
  const int length = ::GetWindowTextLengthW(Window(window));
  if (length <= 0) return {};
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(Window(window), title.data(), length + 1);
  title.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return Utf8FromWide(title);
}

std::string WindowsDesktop::WindowClass(WindowId window) {
  // A class name has at most 256 characters.
  wchar_t name[257] = {};
  const int got = ::GetClassNameW(Window(window), name, 257);
  return got > 0 ? Utf8FromWide({name, static_cast<std::size_t>(got)}) : std::string();
}

int WindowsDesktop::ProcessId(WindowId window) {
  DWORD process = 0;
  if (::GetWindowThreadProcessId(Window(window), &process) == 0) return 0;
  return static_cast<int>(process);
}

std::string WindowsDesktop::ExecutablePath(int processId) {
  if (processId <= 0) return {};
  HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
  if (process == nullptr) return {};
  // Long paths reach 32767 characters.
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  const bool found = ::QueryFullProcessImageNameW(process, 0, path.data(), &size) != 0;
  ::CloseHandle(process);
  if (!found) return {};
  path.resize(size);
  return Utf8FromWide(path);
}

Point WindowsDesktop::CursorPosition() {
  POINT point{};
  ::GetCursorPos(&point);
  return {point.x, point.y};
}

Point WindowsDesktop::ScreenToClient(WindowId window, Point screen) {
  POINT point{screen.x, screen.y};
  ::ScreenToClient(Window(window), &point);
  return {point.x, point.y};
}

void WindowsDesktop::RestoreWindow(WindowId window) {
  if (::IsIconic(Window(window))) ::ShowWindow(Window(window), SW_RESTORE);
}

}  // namespace quorbel
