// The QuorbelU program: the application on the Qt toolkit, the Linux serial
// port, clock and single-instance guard, and the input and desktop of the
// session: X11, or a Wayland compositor.
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "app/UserGuide.h"
#include "app/linux/SessionDesktop.h"
#include "app/qt/DescriptorWatch.h"
#include "app/qt/DisplayLoss.h"
#include "app/qt/ShutdownSignals.h"
#include "platform/linux/posix/LinuxClock.h"
#include "platform/linux/posix/LinuxInstanceGuard.h"
#include "platform/linux/posix/LinuxSerialDevices.h"
#include "platform/linux/posix/LinuxSerialPort.h"
#include "platform/linux/posix/PollPortWaiter.h"
#include "platform/linux/x11/DisplayLost.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUiRequests.h"
#include "ui/art/DrawnImageSource.h"

int main() {
  using namespace quorbel;
  // Before any thread starts, so that every thread leaves the signals to it.
  ShutdownSignals shutdownSignals;
  // The X server gone under the desktop or the input connection: ended like
  // a signal ends it, on the event loop's thread, whichever thread noticed.
  OnDisplayLost([] { ::kill(::getpid(), SIGTERM); });

  // The folder the program was started in. Deleted while the program runs,
  // it has no current path any more; its files are then looked for where it
  // was, and each file operation fails by itself instead of the program.
  std::error_code noFolder;
  const std::filesystem::path startFolder = std::filesystem::current_path(noFolder);
  if (noFolder) {
    std::fprintf(stderr, "QuorbelU: the current folder cannot be read: %s\n",
                 noFolder.message().c_str());
    return 1;
  }

  // The program's own window, once there is one: on Wayland the desktop
  // knows it only as a window of this process.
  std::atomic<Application*> running{nullptr};
  SessionDesktop session = ConnectSessionDesktop([&running]() -> WindowId {
    Application* app = running.load();
    return app != nullptr ? app->State().windows.MainWindowHandle.load() : 0;
  });
  if (!session.problem.empty()) {
    std::fprintf(stderr, "QuorbelU: %s\n", session.problem.c_str());
    return 1;
  }
  Desktop* desktop = session.desktop.get();
  Input* input = session.input.get();
  ui::QtToolkit toolkit(ui::DrawnOrFolderImages());
  ui::QtUiRequests requests(toolkit.Calls());
  LinuxSerialPort port;
  PollPortWaiter waiter;
  LinuxClock clock;
  LinuxInstanceGuard guard;
  LinuxSerialDevices devices;
  ProgramComponents* components = nullptr;

  const auto workFolder = [&startFolder] {
    std::error_code gone;
    std::filesystem::path now = std::filesystem::current_path(gone);
    return gone ? startFolder : now;
  };
  std::error_code noProgramPath;
  const std::filesystem::path userGuide =
      FindUserGuide(std::filesystem::read_symlink("/proc/self/exe", noProgramPath));
  Application app({toolkit, guard, *desktop, workFolder, userGuide}, [&](Application& application) {
    auto made = std::make_unique<ProgramComponents>(
        application, ProgramComponents::Services{port, waiter, clock, *input, requests, devices});
    components = made.get();
    return made;
  });
  // A plugged-in adapter is noticed at once, not at the next status tick.
  std::unique_ptr<DescriptorWatch> deviceWatch;
  running = &app;
  // A signal ends the program even while a message box or dialog waits for
  // the user: shut down, then leave every event loop, the box's included.
  return app.Run([&] {
    ListenForWindowReports(session);
    deviceWatch = std::make_unique<DescriptorWatch>(devices.ChangeDescriptor(),
                                                    [&] { components->DevicesChanged(); });
    shutdownSignals.Watch([&app] {
      app.Shutdown();
      QCoreApplication::exit(0);
    });
    DisplayLoss::Watch([&app] { app.Shutdown(); });
  });
}
