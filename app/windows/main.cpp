// The QuorbelU program on Windows: the application on the Win32 toolkit, the
// COM port, its waiter and the list of ports, the clock, the named mutex, and
// the system's input and desktop.
#include <windows.h>
// The system's headers name MessageBoxA or MessageBoxW by a macro.
#undef MessageBox

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "app/UserGuide.h"
#include "app/windows/SessionWindow.h"
#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/ProgramFilesFolder.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsClock.h"
#include "platform/windows/WindowsDesktop.h"
#include "platform/windows/WindowsInput.h"
#include "platform/windows/WindowsInstanceGuard.h"
#include "platform/windows/WindowsSerialDevices.h"
#include "platform/windows/WindowsSerialPort.h"
#include "toolkit/win32/ResourceBitmaps.h"
#include "toolkit/win32/Win32Toolkit.h"
#include "toolkit/win32/Win32UiRequests.h"

namespace quorbel {
namespace {

constexpr const char* kProgramsFilter = "Programs|*.exe";

void ShowTrouble(const std::string& text) {
  ::MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"QuorbelU", MB_OK | MB_ICONERROR);
}

std::filesystem::path ProgramPath() {
  std::wstring path(32768, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return std::filesystem::path(path);
}

int RunProgram() {
  // The folder the program was started in; its files are looked for there
  // should it be deleted while the program runs.
  std::error_code noFolder;
  const std::filesystem::path startFolder = std::filesystem::current_path(noFolder);
  if (noFolder) {
    ShowTrouble("The current folder cannot be read: " + noFolder.message());
    return 1;
  }
  const auto workFolder = [&startFolder] {
    std::error_code gone;
    std::filesystem::path now = std::filesystem::current_path(gone);
    return gone ? startFolder : now;
  };

  ui::Win32Toolkit toolkit(std::make_shared<ui::ResourceBitmaps>());
  ui::Win32UiRequests requests(toolkit.Calls());
  WindowsDesktop desktop;
  WindowsInput input;
  WindowsSerialPort port;
  CommPortWaiter waiter;
  WindowsClock clock;
  WindowsInstanceGuard guard;
  WindowsSerialDevices devices;
  ProgramComponents* components = nullptr;

  Application app({toolkit, guard, desktop, workFolder, FindUserGuide(ProgramPath()),
                   ProgramChoice{ProgramFilesFolder(), kProgramsFilter}},
                  [&](Application& application) {
                    auto made = std::make_unique<ProgramComponents>(
                        application,
                        ProgramComponents::Services{port, waiter, clock, input, requests, devices});
                    components = made.get();
                    return made;
                  });
  std::unique_ptr<SessionWindow> session;
  return app.Run([&] {
    // The session's end and a console's Ctrl+C end the program as its close
    // box does: the main window goes, and with it every form, message box and
    // dialog it owns, each leaving its loop.
    session = std::make_unique<SessionWindow>(
        SessionWindow::Handlers{[&] { app.Shutdown(); }, [&] { components->DevicesChanged(); }});
  });
}

}  // namespace
}  // namespace quorbel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return quorbel::RunProgram();
  } catch (const std::exception& failure) {
    quorbel::ShowTrouble(std::string("QuorbelU stopped: ") + failure.what());
    return 1;
  }
}
