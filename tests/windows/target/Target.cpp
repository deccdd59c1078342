// A small window of its own class that writes down, one line each, the keys,
// characters and left clicks it receives: "down 65", "char 97", "up 65",
// "click 120 45" (client coordinates). First it writes "ready" and its window
// handle. The file to write is the first argument; a left and a top screen
// position may follow, where the window is placed instead of 100, 100.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::FILE* record = nullptr;

void Note(const char* format, long long a, long long b = 0) {
  std::fprintf(record, format, a, b);
  std::fflush(record);
}

LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Note("down %lld\n", static_cast<long long>(w));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Note("up %lld\n", static_cast<long long>(w));
      return 0;
    case WM_CHAR:
      Note("char %lld\n", static_cast<long long>(w));
      return 0;
    case WM_LBUTTONDOWN:
      Note("click %lld %lld\n", static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if ((argc != 2 && argc != 4) || (record = std::fopen(argv[1], "w")) == nullptr) return 2;
  const int left = argc == 4 ? std::atoi(argv[2]) : 100;
  const int top = argc == 4 ? std::atoi(argv[3]) : 100;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Receive;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuorbelTarget";
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  if (RegisterClassW(&windowClass) == 0) return 3;
  HWND window = CreateWindowExW(0, L"QuorbelTarget", L"Quorbel target", WS_OVERLAPPEDWINDOW, left,
                                top, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetForegroundWindow(window);
  Note("ready %lld\n", static_cast<long long>(reinterpret_cast<std::uintptr_t>(window)));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  std::fclose(record);
  return 0;
}
