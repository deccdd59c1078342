// Start-up time of quorbelu.exe on Windows: from starting the process to its
// main window being shown with the eleven keysets of its folder listed, and
// to the caption naming the keyset once the surface on COM1 has answered the
// presence probe; the same two figures as bench_startup of the Linux build.
// Beside them the floor: this program started again as a bare window, which
// is what any program pays to start under the same system. Run it through
// startup-under-wine.sh; it prints one line per figure.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/windows/program/ProgramProcess.h"

namespace {

using namespace quorbel;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr wchar_t kFloorClass[] = L"QuorbelStartupFloor";
constexpr wchar_t kFormClass[] = L"QuorbelForm";
constexpr int kKeysetList = 410;
constexpr int kKeysets = 11;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

fs::path Self() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// The floor: a bare window that stays until it is closed.
int RunFloorWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kFloorClass;
  ::RegisterClassExW(&windowClass);
  HWND window = ::CreateWindowExW(0, kFloorClass, L"Floor", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}

struct Times {
  std::vector<double> visible;  // the window on the screen, its controls made
  std::vector<double> shown;
  std::vector<double> ready;
};

// A whole start: process started, window up, then closed and gone.
bool TimeStart(const fs::path& program, const fs::path& folder, bool floor, Times& times) {
  const Clock::time_point start = Clock::now();
  ProgramProcess copy(program, folder, floor ? L"--floor" : L"");
  HWND main = nullptr;
  double visible = 0;
  double shown = 0;
  double named = 0;
  const bool ready = Within(20s, [&] {
    for (HWND window : copy.Windows(floor ? kFloorClass : kFormClass)) {
      if (floor) {
        main = window;
        shown = MillisecondsSince(start);
        return true;
      }
      const std::wstring title = WindowTitleOf(window);
      if (!title.starts_with(L"Quorbel")) continue;
      main = window;
      if (visible == 0) visible = MillisecondsSince(start);
      const HWND list = ::GetDlgItem(window, kKeysetList);
      if (shown == 0 && ::SendMessageW(list, CB_GETCOUNT, 0, 0) == kKeysets) {
        shown = MillisecondsSince(start);
      }
      if (shown != 0 && title == L"Quorbel - Default") {
        named = MillisecondsSince(start);
        return true;
      }
    }
    return false;
  });
  if (!ready) {
    std::fprintf(stderr, "the %s window did not come up within 20 s\n", floor ? "floor" : "main");
    return false;
  }
  times.shown.push_back(shown);
  if (!floor) {
    times.visible.push_back(visible);
    times.ready.push_back(named);
  }
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  if (const long code = copy.WaitForExit(20s); code != 0) {
    std::fprintf(stderr, "the program did not end well within 20 s of its close box: %ld\n", code);
    return false;
  }
  return true;
}

void Print(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-40s mean %7.1f ms  median %7.1f ms  min %7.1f ms  max %7.1f ms  (%zu starts)\n",
              what, sum / static_cast<double>(times.size()), times[times.size() / 2], times.front(),
              times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--floor") return RunFloorWindow();
  // How many starts: the first argument, else QUORBEL_STARTS, else 20.
  const char* asked = argc > 1 ? argv[1] : std::getenv("QUORBEL_STARTS");
  const int starts = asked != nullptr ? std::max(1, std::atoi(asked)) : 20;
  const fs::path program =
      Self().parent_path().parent_path().parent_path() / "app" / "quorbelu.exe";
  TempFolder folder("quorbelu-startup-");
  WriteProgramFolder(folder.Path(), 1, 38400, kKeysets);
  Times floor;
  Times quorbelu;
  // One start of each first, so that neither pays for loading the system
  // libraries from disk.
  Times warmUp;
  if (!TimeStart(Self(), folder.Path(), true, warmUp) ||
      !TimeStart(program, folder.Path(), false, warmUp)) {
    return 4;
  }
  for (int i = 0; i < starts; ++i) {
    if (!TimeStart(Self(), folder.Path(), true, floor) ||
        !TimeStart(program, folder.Path(), false, quorbelu)) {
      return 4;
    }
  }
  Print("floor: a bare window shown", floor.shown);
  Print("quorbelu.exe: window visible", quorbelu.visible);
  Print("quorbelu.exe: window with 11 keysets", quorbelu.shown);
  Print("quorbelu.exe: caption names the keyset", quorbelu.ready);
  return 0;
}
