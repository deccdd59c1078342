#include "tests/integration/device/LinkRig.h"

#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "device/PortMenu.h"

namespace quorbel::testing {

namespace {

constexpr int kPreferencesMenu = 1600;
constexpr int kKeysetList = 410;
// Lamp off for control 127: harmless to the surface, and never sent by the
// program during the tests, so it marks the end of what the program wrote.
constexpr std::array<std::uint8_t, 3> kMarker = {0xBF, 0x13, 0x7F};
constexpr const char* kMarkerText = "BF 13 7F";
constexpr std::chrono::milliseconds kLookAgain{5};

}  // namespace

LinkRig::LinkRig(int portNumber) {
  toolkit.CreateForm("MAIN", "", "QuorbelU", {}, "_C", 15, 32);
  toolkit.AddMenuTitle("main", kPreferencesMenu, "&Preferences");
  for (int n = kFirstCommPort; n <= kLastCommPort; ++n) {
    toolkit.AddMenuItem("main", kPreferencesMenu, kComMenuBase + n, ComMenuText(n));
  }
  for (int rate : kBaudRates) {
    toolkit.AddMenuItem("main", kPreferencesMenu, BaudMenuId(rate), BaudMenuText(rate));
  }
  toolkit.AddControl("main", {ui::ControlKind::ComboBox, kKeysetList, {}, "", "", -1, -1, -1});
  toolkit.AddItems("main", kKeysetList, "Default");
  toolkit.SelectItem("main", kKeysetList, 0);
  // The window system keeps serving events while the display pauses.
  toolkit.SetDelayHook([this](float seconds) {
    ServeFor(std::chrono::milliseconds(static_cast<long>(seconds * 1000)));
  });

  desktop.AddWindow(kMainWindow, "Quorbel", "main", 10);
  desktop.AddWindow(kOtherWindow, "Editing", "target", 20);
  desktop.SetForeground(kOtherWindow);
  windows.MainWindowHandle = kMainWindow;

  settings = {portNumber, 38400};
  surface = std::make_unique<SurfaceProcess>(folder.Path(), portNumber, [this] { ui.Wake(); });
  surface->Command("log on");
  surface->State();
}

LinkRig::~LinkRig() {
  link.serial.StopLink();
  surface.reset();
}

bool LinkRig::Await(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::mutex mutex;
  std::condition_variable cancelled;
  bool over = false;
  // Some conditions (bytes waiting on the port) wake nobody when they come
  // true: the serving loop looks again every few milliseconds, and once the
  // time is up.
  std::thread alarm([&] {
    std::unique_lock lock(mutex);
    while (!cancelled.wait_for(lock, kLookAgain, [&] { return over; })) ui.Wake();
  });
  bool result = false;
  ui.ServeUntil([&] {
    result = done();
    return result || std::chrono::steady_clock::now() >= deadline;
  });
  {
    std::lock_guard lock(mutex);
    over = true;
  }
  cancelled.notify_all();
  alarm.join();
  return result;
}

void LinkRig::ServeFor(std::chrono::milliseconds duration) {
  Await([] { return false; }, duration);
}

std::size_t LinkRig::Settle() {
  const std::size_t before = surface->LineCount();
  if (port.IsOpen() && port.WriteUnnoted(kMarker)) {
    const std::string line = std::string("recv ") + kMarkerText;
    Await([&] { return !surface->LinesAfter(before, line).empty(); });
  } else {
    surface->State();
  }
  return surface->LineCount();
}

std::vector<std::string> LinkRig::ReceivedSince(std::size_t from) {
  Settle();
  std::vector<std::string> received = surface->ReceivedSince(from);
  std::erase(received, kMarkerText);
  return received;
}

void LinkRig::SurfaceSends(const std::string& command) {
  const std::size_t readBefore = port.BytesRead();
  const std::size_t from = surface->LineCount();
  surface->Command(command);
  const long sentLine = surface->WaitForLine(from, "sent ");
  if (sentLine < 0) return;
  // "sent BF 65 40": three characters a byte, the last without its blank.
  const std::size_t sent = (surface->Lines()[static_cast<std::size_t>(sentLine)].text.size() -
                            std::string("sent ").size() + 1) /
                           3;
  // Reading happens outside the waits: a thread that has read them all and
  // waits again has handled them, once what it posted to the window has run.
  Await([&] {
    return port.BytesRead() >= readBefore + sent && waiter.Blocked() && ui.Pending() == 0;
  });
}

bool LinkRig::AnyPortMarkChecked() const {
  for (int id = kFirstComMenuId; id <= kLastBaudMenuId; ++id) {
    if (toolkit.MenuChecked("main", id)) return true;
  }
  return false;
}

}  // namespace quorbel::testing
