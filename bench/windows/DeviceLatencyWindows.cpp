// The device thread's press-to-Play latency and its cost while the surface is
// silent, on Windows: the same two measurements as bench_device_latency of
// the Linux build, with the COM port, its waiter and the clock of Windows.
// The program is the device thread on COM1; the surface writes into COM2,
// which a relay joins to COM1 (bench/windows/run-under-wine.sh). Prints one
// line per case; a press that is never played ends the program with a
// message and status 4 instead of a wait without end.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <thread>
#include <vector>

#include "bench/DeviceLatencyFixture.h"
#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/WindowsSerialPort.h"

namespace {

using namespace quorbel;
using namespace quorbel::bench;

constexpr int kBaudRate = 38400;

// The device thread on COM1, the surface's end on COM2.
struct Bench {
  explicit Bench(PassWait passWait) : device(port, passWait) {
    if (!port.Open(1, kBaudRate) || !surface.Open(2, kBaudRate)) {
      std::fprintf(stderr, "COM1 and COM2 do not open\n");
      std::exit(2);
    }
  }
  WindowsSerialPort port;
  WindowsSerialPort surface;
  DeviceBench<CommPortWaiter> device;
};

int FixedBeat(PassWait passWait) { return passWait == PassWait::FixedBeat ? 1 : 0; }

// From the write of a press's last byte to the call of Play.
bool PressToPlay(PassWait passWait, int presses) {
  Bench bench(passWait);
  bench.device.thread.Start();
  const std::vector<double> micros =
      PressToPlayMicros(bench.device, presses, [&](std::span<const std::uint8_t> press) {
        if (!bench.surface.Write(press)) {
          std::fprintf(stderr, "COM2 takes no bytes\n");
          std::exit(3);
        }
      });
  const bool hungUp = bench.device.thread.HungUp();
  bench.device.thread.Stop();
  if (micros.size() < static_cast<std::size_t>(presses)) {
    std::fprintf(stderr,
                 "PressToPlay/fixed_beat:%d: press %zu of %d was not played within %lld s%s\n",
                 FixedBeat(passWait), micros.size() + 1, presses,
                 static_cast<long long>(kPressDeadline.count()),
                 hungUp ? "; the device thread took COM1 for gone" : "");
    return false;
  }
  std::printf("PressToPlay/fixed_beat:%d presses=%d p50_us=%.0f p99_us=%.0f\n", FixedBeat(passWait),
              presses, Percentile(micros, 0.50), Percentile(micros, 0.99));
  return true;
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
  bench.device.thread.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const double cpuBefore = CpuMs();
  const long passesBefore = bench.device.Passes();
  std::this_thread::sleep_for(std::chrono::seconds(10));
  const double cpu = CpuMs() - cpuBefore;
  const long passes = bench.device.Passes() - passesBefore;
  bench.device.thread.Stop();
  std::printf("SilentSurface/fixed_beat:%d seconds=10 cpu_ms=%.1f passes=%ld\n",
              FixedBeat(passWait), cpu, passes);
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::atoi(argv[1]) : 10000;
  // Each figure shows as soon as it is measured.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  bool allPlayed = true;
  for (const PassWait wait : {PassWait::OnPort, PassWait::FixedBeat}) {
    allPlayed = PressToPlay(wait, presses) && allPlayed;
  }
  for (const PassWait wait : {PassWait::OnPort, PassWait::FixedBeat}) SilentSurface(wait);
  return allPlayed ? 0 : 4;
}
