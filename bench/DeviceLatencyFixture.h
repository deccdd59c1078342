#pragma once

// The device thread of the latency benches, on the real port and waiter of a
// system (a pseudo-terminal with poll() on Linux, a COM port with its
// overlapped waiter on Windows) and in-memory everything else, and the
// press-to-Play measurement they share.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <thread>
#include <vector>

#include "common/SelectionState.h"
#include "device/DeviceContext.h"
#include "device/DeviceThread.h"
#include "device/SurfaceActions.h"
#include "platform/Clock.h"
#include "platform/PortWaiter.h"
#include "platform/SerialPort.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "toolkit/WindowState.h"

namespace quorbel::bench {

using Steady = std::chrono::steady_clock;

// The real clock; counts the sleeps of the fixed beat, one per pass.
class SteadyClock : public Clock {
 public:
  std::uint32_t TickMs() override {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch())
            .count());
  }
  void Sleep(std::chrono::milliseconds duration) override {
    ++sleeps;
    std::this_thread::sleep_for(duration);
  }
  std::atomic<long> sleeps{0};
};

// Counts the waits of the thread that waits on the port, one per pass that waited.
template <typename Inner>
class CountingWaiter : public PortWaiter {
 public:
  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override {
    ++waits;
    return inner_.Wait(port, timeout);
  }
  void Wake() override { inner_.Wake(); }
  std::atomic<long> waits{0};

 private:
  Inner inner_;
};

// Notes when Play is called; the GUI-thread requests cost what they cost.
class TimedActions : public SurfaceActions {
 public:
  explicit TimedActions(UiRequests& ui) : ui_(ui) {}
  void SelectControlCommand(int) override {}
  bool CaptureMode() override { return false; }
  void CapturePoint(int, Point) override {}
  void ResetWheelIndicators() override {}
  void LightBothShuttleLamps() override {}
  void PrepareToPlay() override {}
  void Play(int, WindowId) override {
    playedAt = Steady::now();
    ++plays;
    ui_.Wake();
  }
  Steady::time_point playedAt;
  std::atomic<long> plays{0};

 private:
  UiRequests& ui_;
};

// The device thread on `port`, with a target window in front; the thread
// that makes it is the GUI thread.
template <typename Waiter>
struct DeviceBench {
  static constexpr WindowId kMainWindow = 1;
  static constexpr WindowId kTarget = 2;

  DeviceBench(SerialPort& port, PassWait passWait)
      : context{port, clock, desktop, ui, actions, selection, windows},
        thread(context, waiter, passWait) {
    desktop.AddWindow(kMainWindow, "Quorbel", "main", 1);
    desktop.AddWindow(kTarget, "Target", "target", 2);
    desktop.SetForeground(kTarget);
    windows.MainWindowHandle = kMainWindow;
  }
  // The passes of the device thread so far, waits and sleeps alike.
  long Passes() const { return waiter.waits + clock.sleeps; }

  SteadyClock clock;
  MemoryDesktop desktop;
  MemoryUiRequests ui;
  TimedActions actions{ui};
  SelectionState selection;
  ui::WindowState windows;
  DeviceContext context;
  CountingWaiter<Waiter> waiter;
  DeviceThread thread;
};

inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
  return values[at];
}

// How long a press may take to be played before the bench gives up on it.
constexpr std::chrono::seconds kPressDeadline{5};

// Sends `presses` presses through `send`, each after a random pause of up to
// 3 ms (so that they meet a fixed beat at any point of its sleep, as a hand
// does), and measures from the end of the send to the call of Play, with the
// device thread's requests to the GUI thread served on this thread. The device
// thread must be running. Stops at the first press not played within
// kPressDeadline: fewer figures than presses tell of a lost press.
template <typename Waiter>
std::vector<double> PressToPlayMicros(
    DeviceBench<Waiter>& bench, int presses,
    const std::function<void(std::span<const std::uint8_t>)>& send) {
  const std::array<std::uint8_t, 3> press = {0xBF, 0x12, 0x05};
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(presses));
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(0, 3000);
  // Nothing else wakes the GUI thread when a press is lost: a waker looks in
  // on the deadline now and then.
  std::atomic<bool> measuring{true};
  std::thread waker([&] {
    while (measuring) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      bench.ui.Wake();
    }
  });
  const long playsBefore = bench.actions.plays;
  for (int i = 0; i < presses; ++i) {
    std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
    send(press);
    const auto sent = Steady::now();
    const long played = playsBefore + i + 1;
    bench.ui.ServeUntil(
        [&] { return bench.actions.plays >= played || Steady::now() - sent > kPressDeadline; });
    if (bench.actions.plays < played) break;
    micros.push_back(
        std::chrono::duration<double, std::micro>(bench.actions.playedAt - sent).count());
  }
  measuring = false;
  waker.join();
  return micros;
}

}  // namespace quorbel::bench
