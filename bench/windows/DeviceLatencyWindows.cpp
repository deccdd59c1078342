// The device thread's press-to-Play latency and its cost while the surface is
// silent, on Windows: the same two measurements as bench_device_latency of
// the Linux build, with the COM port, its waiter and the clock of Windows.
// The program is the device thread on COM1; the surface writes into COM2,
// which a relay joins to COM1 (bench/windows/run-under-wine.sh). Prints one
// line per case.
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "common/SelectionState.h"
#include "device/DeviceContext.h"
#include "device/DeviceThread.h"
#include "device/SurfaceActions.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/WindowsSerialPort.h"
#include "toolkit/WindowState.h"

namespace {

using namespace quorbel;
using Steady = std::chrono::steady_clock;

constexpr WindowId kMainWindow = 1;
constexpr WindowId kTarget = 2;
constexpr int kBaudRate = 38400;

// The real clock; counts the sleeps of the fixed beat, one per pass.
class SteadyClock : public Clock {
 public:
  std::uint32_t TickMs() override { return ::GetTickCount(); }
  void Sleep(std::chrono::milliseconds duration) override {
    ++sleeps;
    std::this_thread::sleep_for(duration);
  }
  std::atomic<long> sleeps{0};
};

class CountingWaiter : public PortWaiter {
 public:
  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override {
    ++waits;
    return inner_.Wait(port, timeout);
  }
  void Wake() override { inner_.Wake(); }
  std::atomic<long> waits{0};

 private:
  CommPortWaiter inner_;
};

class TimedActions : public SurfaceActions {
 public:
  explicit TimedActions(UiRequests& ui) : ui_(ui) {}
  void SelectControlCommand(int) override {}
  bool CaptureMode() override { return false; }
  void CapturePoint(int, Point) override {}
  void ResetWheelIndicators() override {}
  void LightBothShuttleLamps() override {}
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

struct Bench {
  explicit Bench(PassWait passWait) : thread(context, waiter, passWait) {
    desktop.AddWindow(kMainWindow, "Quorbel", "main", 1);
    desktop.AddWindow(kTarget, "Target", "target", 2);
    desktop.SetForeground(kTarget);
    windows.MainWindowHandle = kMainWindow;
    if (!port.Open(1, kBaudRate) || !surface.Open(2, kBaudRate)) {
      std::fprintf(stderr, "COM1 and COM2 do not open\n");
      std::exit(2);
    }
  }
  WindowsSerialPort port;
  WindowsSerialPort surface;
  SteadyClock clock;
  MemoryDesktop desktop;
  MemoryUiRequests ui;
  TimedActions actions{ui};
  SelectionState selection;
  ui::WindowState windows;
  DeviceContext context{port, clock, desktop, ui, actions, selection, windows};
  CountingWaiter waiter;
  DeviceThread thread;
};

double Percentile(std::vector<double>& values, double share) {
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
  return values[at];
}

// From the write of a press's last byte to the call of Play, after a random
// pause of up to 3 ms, as on Linux.
void PressToPlay(PassWait passWait, int presses) {
  Bench bench(passWait);
  const std::array<std::uint8_t, 3> press = {0xBF, 0x12, 0x05};
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(presses));
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(0, 3000);
  bench.thread.Start();
  for (int i = 0; i < presses; ++i) {
    std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
    if (!bench.surface.Write(press)) std::exit(3);
    const auto sent = Steady::now();
    bench.ui.ServeUntil([&] { return bench.actions.plays == i + 1; });
    micros.push_back(
        std::chrono::duration<double, std::micro>(bench.actions.playedAt - sent).count());
  }
  bench.thread.Stop();
  std::printf("PressToPlay/fixed_beat:%d presses=%d p50_us=%.0f p99_us=%.0f\n",
              passWait == PassWait::FixedBeat ? 1 : 0, presses, Percentile(micros, 0.50),
              Percentile(micros, 0.99));
}

double CpuMs() {
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

// Ten seconds of a silent surface: the process's CPU time and the device
// thread's passes, each one wake-up of it.
void SilentSurface(PassWait passWait) {
  Bench bench(passWait);
  bench.thread.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const double cpuBefore = CpuMs();
  const long passesBefore = bench.waiter.waits + bench.clock.sleeps;
  std::this_thread::sleep_for(std::chrono::seconds(10));
  const double cpu = CpuMs() - cpuBefore;
  const long passes = bench.waiter.waits + bench.clock.sleeps - passesBefore;
  bench.thread.Stop();
  std::printf("SilentSurface/fixed_beat:%d seconds=10 cpu_ms=%.1f passes=%ld\n",
              passWait == PassWait::FixedBeat ? 1 : 0, cpu, passes);
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::atoi(argv[1]) : 10000;
  // Each figure shows as soon as it is measured.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  for (const PassWait wait : {PassWait::OnPort, PassWait::FixedBeat}) PressToPlay(wait, presses);
  for (const PassWait wait : {PassWait::OnPort, PassWait::FixedBeat}) SilentSurface(wait);
  return 0;
}
