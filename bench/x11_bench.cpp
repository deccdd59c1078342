// Cost of playing one key step through the X server, and of describing every
// top-level window of a busy desktop, on an Xvfb of the benchmark's own.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/linux/x11/X11Desktop.h"
#include "platform/linux/x11/X11Input.h"
#include "tests/integration/x11/RecorderProcess.h"
#include "tests/integration/x11/XvfbServer.h"

namespace {

using quorbel::X11Desktop;
using quorbel::X11Input;
using quorbel::testing::RecorderProcess;
using quorbel::testing::XvfbServer;

constexpr int kDesktopWindows = 200;

const XvfbServer* Server() {
  static std::unique_ptr<XvfbServer> server = XvfbServer::Start();
  return server.get();
}

// Down and up of one key; each has reached the server when the call returns.
void PlayKeyStep(benchmark::State& state, int virtualKey) {
  if (Server() == nullptr) {
    state.SkipWithError("Xvfb is not installed");
    return;
  }
  auto input = X11Input::Connect(Server()->display());
  for (auto _ : state) {
    input->KeyDown(virtualKey);
    input->KeyUp(virtualKey);
  }
}
BENCHMARK_CAPTURE(PlayKeyStep, letter, 'A');
// F13 has no key of its own: a spare keycode carries it while it is down.
BENCHMARK_CAPTURE(PlayKeyStep, through_spare_keycode, 124)->Iterations(20);

// What refreshing the window list asks: the windows, then each one's title,
// class and process, all asked together.
void DescribeTopLevelWindows(benchmark::State& state) {
  if (Server() == nullptr) {
    state.SkipWithError("Xvfb is not installed");
    return;
  }
  RecorderProcess recorder(Server()->display(),
                           {"--windows", std::to_string(kDesktopWindows), "--title", "Window"});
  auto desktop = X11Desktop::Connect(Server()->display());
  std::size_t described = 0;
  for (auto _ : state) {
    const std::vector<quorbel::WindowId> windows = desktop->TopLevelWindows();
    const std::vector<quorbel::WindowFacts> facts = desktop->DescribeWindows(windows);
    benchmark::DoNotOptimize(facts.data());
    described += facts.size();
  }
  state.counters["windows"] =
      benchmark::Counter(static_cast<double>(described) / static_cast<double>(state.iterations()));
}
BENCHMARK(DescribeTopLevelWindows)->Unit(benchmark::kMillisecond);

}  // namespace
