// The QuorbelU program: the application on the Qt toolkit, the Linux serial
// port, clock and single-instance guard, and X11 input and desktop.
#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "app/qt/DescriptorWatch.h"
#include "app/qt/ShutdownSignals.h"
#include "platform/linux/posix/LinuxClock.h"
#include "platform/linux/posix/LinuxInstanceGuard.h"
#include "platform/linux/posix/LinuxSerialDevices.h"
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
  LinuxSerialDevices devices;
  ProgramComponents* components = nullptr;

  Application app({toolkit, guard, *desktop, [] { return std::filesystem::current_path(); }},
                  [&](Application& application) {
                    auto made = std::make_unique<ProgramComponents>(
                        application, ProgramComponents::Services{port, waiter, clock, *input,
                                                                 requests, devices});
                    components = made.get();
                    return made;
                  });
  // A plugged-in adapter is noticed at once, not at the next status tick.
  std::unique_ptr<DescriptorWatch> deviceWatch;
  // A signal ends the program even while a message box or dialog waits for
  // the user: shut down, then leave every event loop, the box's included.
  return app.Run([&] {
    deviceWatch = std::make_unique<DescriptorWatch>(devices.ChangeDescriptor(),
                                                    [&] { components->DevicesChanged(); });
    shutdownSignals.Watch([&app] {
      app.Shutdown();
      QCoreApplication::exit(0);
    });
  });
}
