// The whole program on the Qt toolkit (offscreen) with the in-memory platform:
// the main window as Qt builds it, and the end of the event loop on shutdown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryInput.h"
#include "platform/memory/MemoryInstanceGuard.h"
#include "platform/memory/MemoryPortWaiter.h"
#include "platform/memory/MemorySerialDevices.h"
#include "platform/memory/MemorySerialPort.h"
#include "tests/support/TempFolder.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUiRequests.h"
#include "ui/art/DrawnImageSource.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

QWidget* MainWindowWidget() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowTitle().startsWith("Quorbel")) return widget;
  }
  return nullptr;
}

TEST(ProgramOnQt, MainWindowIsBuiltAndShutdownEndsTheEventLoop) {
  const TempFolder made("quorbel-qt-");
  const fs::path& folder = made.Path();
  fs::create_directory(folder / "keysets");
  std::ofstream(folder / "QuorbelU.ini", std::ios::binary)
      << "[QUORBELU]\r\nCom Port=1\r\nBaud Rate=9600\r\n";

  ui::QtToolkit toolkit(ui::DrawnOrFolderImages());
  ui::QtUiRequests requests(toolkit.Calls());
  MemoryInstanceGuard guard;
  MemoryDesktop desktop;
  MemorySerialPort port;
  port.AddPort(1);
  FakeClock clock;
  MemoryPortWaiter waiter(clock);
  MemorySerialDevices devices;
  MemoryInput input;
  Application app({toolkit, guard, desktop, [&] { return folder; }}, [&](Application& a) {
    return std::make_unique<ProgramComponents>(
        a, ProgramComponents::Services{port, waiter, clock, input, requests, devices});
  });

  int menus = 0;
  int widgets = 0;
  QSize picture;
  bool openDuringRun = false;
  const int result = toolkit.Run(
      [&] {
        app.Startup();
        QTimer::singleShot(0, [&] {
          if (QWidget* main = MainWindowWidget()) {
            if (auto* bar = main->findChild<QMenuBar*>())
              menus = static_cast<int>(bar->actions().size());
            widgets = static_cast<int>(main->findChildren<QWidget*>().size());
            picture = main->grab().size();
          }
          openDuringRun = port.IsOpen();
          app.Shutdown();
        });
      },
      [&](const std::string& form) { app.LayOut(form); },
      [&](ui::Event& event) { app.Event(event); });

  EXPECT_EQ(result, 0);
  EXPECT_EQ(menus, 5);
  EXPECT_GT(widgets, 150);  // the panel's pictures and the editing controls
  EXPECT_GE(picture.width(), 1000);
  EXPECT_TRUE(openDuringRun);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(fs::exists(folder / "QuorbelU.ini"));
}

}  // namespace
}  // namespace quorbel
