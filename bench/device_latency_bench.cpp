// How fast the device thread answers a press, and what it costs while the
// surface is silent: waiting on the port against sleeping 2 ms per pass.
// The surface is the master side of a real pseudo-terminal.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "common/SelectionState.h"
#include "device/DeviceContext.h"
#include "device/DeviceThread.h"
#include "device/SurfaceActions.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "platform/linux/posix/PollPortWaiter.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "toolkit/WindowState.h"

namespace {

using namespace quorbel;
using Steady = std::chrono::steady_clock;

constexpr WindowId kMainWindow = 1;
constexpr WindowId kTarget = 2;

// The program's side of a pseudo-terminal, raw and non-blocking; the bench
// writes the surface's bytes into the master side.
class PtyPort : public SerialPort {
 public:
  PtyPort() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) std::abort();
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) std::abort();
    for (int fd : {master_, slave_}) {
      termios settings{};
      ::tcgetattr(fd, &settings);
      ::cfmakeraw(&settings);
      ::tcsetattr(fd, TCSANOW, &settings);
    }
  }
  ~PtyPort() override {
    ::close(slave_);
    ::close(master_);
  }
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  bool Open(int, int) override { return true; }
  bool IsOpen() const override { return true; }
  void Close() override {}
  std::size_t BytesPending() override {
    int pending = 0;
    return ::ioctl(slave_, FIONREAD, &pending) == 0 && pending > 0
               ? static_cast<std::size_t>(pending)
               : 0;
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    const ssize_t got = ::read(slave_, buffer, count);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    return ::write(slave_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  void DiscardPending() override {
    std::array<std::uint8_t, 256> scratch{};
    std::size_t left = BytesPending();
    while (left > 0) {
      const std::size_t got = Read(scratch.data(), std::min(left, scratch.size()));
      if (got == 0) break;
      left -= got;
    }
  }
  PortHandle WaitHandle() const override { return slave_; }

  void SurfaceSend(std::span<const std::uint8_t> bytes) {
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      std::abort();
  }

 private:
  int master_ = -1;
  int slave_ = -1;
};

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
class CountingWaiter : public PortWaiter {
 public:
  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override {
    ++waits;
    return inner_.Wait(port, timeout);
  }
  void Wake() override { inner_.Wake(); }
  std::atomic<long> waits{0};

 private:
  PollPortWaiter inner_;
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
  }
  PtyPort port;
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

PassWait WaitOf(const benchmark::State& state) {
  return state.range(0) == 0 ? PassWait::OnPort : PassWait::FixedBeat;
}

double Percentile(std::vector<double>& values, double share) {
  const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
  return values[at];
}

// From the write of a press's last byte into the terminal to the call of Play,
// with the select-control and capture-mode requests served on this thread.
// Presses come after a random pause of up to 3 ms, so that they meet the
// fixed beat at any point of its sleep, as a hand does.
void BM_PressToPlay(benchmark::State& state) {
  constexpr int kPresses = 10000;
  Bench bench(WaitOf(state));
  const std::array<std::uint8_t, 3> press = {0xBF, 0x12, 0x05};
  std::vector<double> micros;
  micros.reserve(kPresses);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(0, 3000);
  bench.thread.Start();
  for (auto _ : state) {
    for (int i = 0; i < kPresses; ++i) {
      std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
      bench.port.SurfaceSend(press);
      const auto sent = Steady::now();
      bench.ui.ServeUntil([&] { return bench.actions.plays == i + 1; });
      micros.push_back(
          std::chrono::duration<double, std::micro>(bench.actions.playedAt - sent).count());
    }
  }
  bench.thread.Stop();
  state.counters["presses"] = static_cast<double>(micros.size());
  state.counters["p50_us"] = Percentile(micros, 0.50);
  state.counters["p99_us"] = Percentile(micros, 0.99);
}
BENCHMARK(BM_PressToPlay)
    ->ArgName("fixed_beat")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

double CpuMs(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Ten seconds of a silent surface: the process's CPU time (this thread only
// sleeps), the thread's passes and the process's voluntary context switches.
void BM_SilentSurface(benchmark::State& state) {
  Bench bench(WaitOf(state));
  bench.thread.Start();
  rusage before{};
  rusage after{};
  for (auto _ : state) {
    getrusage(RUSAGE_SELF, &before);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    getrusage(RUSAGE_SELF, &after);
  }
  bench.thread.Stop();
  state.counters["cpu_ms"] = CpuMs(after) - CpuMs(before);
  state.counters["passes"] = static_cast<double>(bench.waiter.waits + bench.clock.sleeps);
  state.counters["wakeups"] = static_cast<double>(after.ru_nvcsw - before.ru_nvcsw);
}
BENCHMARK(BM_SilentSurface)
    ->ArgName("fixed_beat")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
