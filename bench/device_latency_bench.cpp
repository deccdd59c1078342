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
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <thread>
#include <vector>

#include "bench/DeviceLatencyFixture.h"
#include "platform/SerialPort.h"
#include "platform/linux/posix/PollPortWaiter.h"

namespace {

using namespace quorbel;
using namespace quorbel::bench;

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

// The device thread reading the program's side of a pseudo-terminal.
struct Bench {
  explicit Bench(PassWait passWait) : device(port, passWait) {}
  PtyPort port;
  DeviceBench<PollPortWaiter> device;
};

PassWait WaitOf(const benchmark::State& state) {
  return state.range(0) == 0 ? PassWait::OnPort : PassWait::FixedBeat;
}

// From the write of a press's last byte into the terminal to the call of Play.
void BM_PressToPlay(benchmark::State& state) {
  constexpr int kPresses = 10000;
  Bench bench(WaitOf(state));
  std::vector<double> micros;
  bench.device.thread.Start();
  for (auto _ : state) {
    micros = PressToPlayMicros(bench.device, kPresses, [&](std::span<const std::uint8_t> press) {
      bench.port.SurfaceSend(press);
    });
  }
  bench.device.thread.Stop();
  if (micros.size() < kPresses) {
    state.SkipWithError(bench.device.thread.HungUp()
                            ? "a press was not played: the device thread took the port for gone"
                            : "a press was not played within the deadline");
  }
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
  bench.device.thread.Start();
  rusage before{};
  rusage after{};
  for (auto _ : state) {
    getrusage(RUSAGE_SELF, &before);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    getrusage(RUSAGE_SELF, &after);
  }
  bench.device.thread.Stop();
  state.counters["cpu_ms"] = CpuMs(after) - CpuMs(before);
  state.counters["passes"] = static_cast<double>(bench.device.Passes());
  state.counters["wakeups"] = static_cast<double>(after.ru_nvcsw - before.ru_nvcsw);
}
BENCHMARK(BM_SilentSurface)
    ->ArgName("fixed_beat")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
