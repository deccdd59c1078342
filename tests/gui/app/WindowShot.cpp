// Saves a picture of a program's window on the X display: waits for the
// top-level window with the given title, then grabs it.
//   quorbel_window_shot TITLE FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/linux/x11/X11Desktop.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: quorbel_window_shot TITLE FILE.png\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  auto desktop = quorbel::X11Desktop::Connect();
  if (!desktop) return 1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    for (quorbel::WindowId window : desktop->TopLevelWindows()) {
      if (desktop->WindowTitle(window) != argv[1]) continue;
      // Let the window finish drawing after its caption changed.
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      const QPixmap picture = app.primaryScreen()->grabWindow(static_cast<WId>(window));
      return picture.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::fprintf(stderr, "quorbel_window_shot: no window \"%s\"\n", argv[1]);
  return 1;
}
