// The QuorbelU program: the application on the Qt toolkit, the Linux serial
// port, clock and single-instance guard, and X11 input and desktop.
#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "app/UserGuide.h"
#include "app/qt/ShutdownSignals.h"
#include "platform/linux/posix/LinuxClock.h"
#include "platform/linux/posix/LinuxInstanceGuard.h"
#include "platform/linux/posix/LinuxSerialPort.h"
#include "platform/linux/posix/PollPortWaiter.h"
#include "platform/linux/x11/X11Desktop.h"
#include "platform/linux/x11/X11Input.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtUiRequests.h"

int main() {
  using namespace quorbel;
  // Before any thread starts, so that every thread leaves the signals to it.
  ShutdownSignals shutdownSignals;

  std::unique_ptr<X11Desktop> desktop = X11Desktop::Connect();
  std::unique_ptr<X11Input> input = X11Input::Connect();
  if (!desktop || !input) {
    std::fputs("QuorbelU: cannot open the X display (is DISPLAY set?)\n", stderr);
    return 1;
  }
  ui::QtToolkit toolkit;
  ui::QtUiRequests requests(toolkit.Calls());
  LinuxSerialPort port;
  PollPortWaiter waiter;
  LinuxClock clock;
  LinuxInstanceGuard guard;

  std::error_code noProgramPath;
  const std::filesystem::path userGuide =
      FindUserGuide(std::filesystem::read_symlink("/proc/self/exe", noProgramPath));
  Application app(
      {toolkit, guard, *desktop, [] { return std::filesystem::current_path(); }, userGuide},
      [&](Application& application) {
        return std::make_unique<ProgramComponents>(
            application, ProgramComponents::Services{port, waiter, clock, *input, requests});
      });
  // A signal ends the program even while a message box or dialog waits for
  // the user: shut down, then leave every event loop, the box's included.
  return app.Run([&] {
    shutdownSignals.Watch([&app] {
      app.Shutdown();
      QCoreApplication::exit(0);
    });
  });
}
