#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "keysets/KeysetFiles.h"

namespace quorbel {

// quorbelu.exe started in a folder of the test's own, and its windows found
// the way a user's desktop sees them.

// A path as the build gives it ("/work/build/app/quorbelu.exe") as Wine's
// drive Z names it; a Windows path stays as it is.
inline std::filesystem::path WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

// The program's folder: its preferences and `keysets` keyset files, the
// first one "Default", the others "Program1", "Program2", ...
inline void WriteProgramFolder(const std::filesystem::path& folder, int port, int baudRate,
                               int keysets) {
  std::ofstream(folder / "QuorbelU.ini", std::ios::binary)
      << "[QUORBELU]\r\nCom Port=" << port << "\r\nBaud Rate=" << baudRate << "\r\n";
  std::filesystem::create_directories(folder / "keysets");
  const std::string image(kKeysetFileBytes, '\0');
  for (int k = 0; k < keysets; ++k) {
    const std::string name = k == 0 ? "Default" : "Program" + std::to_string(k);
    std::ofstream(folder / "keysets" / (name + ".qrb"), std::ios::binary) << image;
  }
}

inline std::wstring WindowTitleOf(HWND window) {
  wchar_t title[512] = {};
  return std::wstring(title, static_cast<std::size_t>(::GetWindowTextW(window, title, 512)));
}

inline std::wstring WindowClassOf(HWND window) {
  wchar_t name[257] = {};
  return std::wstring(name, static_cast<std::size_t>(::GetClassNameW(window, name, 257)));
}

// The text of a system message box: its static control of ID 0xFFFF.
inline std::wstring MessageTextOf(HWND box) {
  wchar_t text[1024] = {};
  return std::wstring(text, ::GetDlgItemTextW(box, 0xFFFF, text, 1024));
}

// True once `done` holds, false when `limit` passes first.
inline bool Within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class ProgramProcess {
 public:
  ProgramProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
                 const std::wstring& arguments = {}) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    if (!::CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, folder.wstring().c_str(), &startup, &process_)) {
      throw std::runtime_error("quorbelu.exe cannot be started");
    }
    ::CloseHandle(process_.hThread);
  }
  ~ProgramProcess() {
    if (Running()) {
      ::TerminateProcess(process_.hProcess, 99);
      ::WaitForSingleObject(process_.hProcess, 10000);
    }
    ::CloseHandle(process_.hProcess);
  }
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  DWORD Id() const { return process_.dwProcessId; }
  bool Running() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // The process's visible top-level windows of `windowClass`.
  std::vector<HWND> Windows(const std::wstring& windowClass) const {
    struct Search {
      DWORD process;
      const std::wstring* windowClass;
      std::vector<HWND> found;
    } search{Id(), &windowClass, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          if (owner == s.process && ::IsWindowVisible(window) &&
              WindowClassOf(window) == *s.windowClass) {
            s.found.push_back(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // The first visible window of `windowClass` titled `title`; null if none.
  HWND Window(const std::wstring& windowClass, const std::wstring& title) const {
    for (HWND window : Windows(windowClass)) {
      if (WindowTitleOf(window) == title) return window;
    }
    return nullptr;
  }

  // Waits for a window as Window() finds it, at most `limit`.
  HWND WaitForWindow(const std::wstring& windowClass, const std::wstring& title,
                     std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    Within(limit, [&] { return (found = Window(windowClass, title)) != nullptr; });
    return found;
  }

  // The exit code once the process has ended within `limit`; -1 otherwise.
  long WaitForExit(std::chrono::milliseconds limit) const {
    if (::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) !=
        WAIT_OBJECT_0) {
      return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace quorbel
