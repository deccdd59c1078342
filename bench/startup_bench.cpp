// Start-up time of the whole program with eleven keyset files: from starting
// the process to its main window being shown, and to the window naming the
// keyset once the simulated surface has answered. Needs Xvfb.
#include <benchmark/benchmark.h>
#include <signal.h>

#include <chrono>
#include <memory>

#include "platform/linux/x11/X11Desktop.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/x11/XvfbServer.h"

namespace quorbel::testing {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void ProgramStartup(benchmark::State& state) {
  auto server = XvfbServer::Start();
  if (!server) {
    state.SkipWithError("Xvfb is not installed");
    return;
  }
  auto desktop = X11Desktop::Connect(server->display());
  ProgramFolder folder;
  folder.WritePreferences(1, 38400);
  folder.AddKeysets(11);
  auto surface = StartSurface(folder);

  double shownTotal = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    auto program = StartProgram(folder, server->display());
    const int pid = program->pid();
    double shown = 0;
    double ready = 0;
    while (ready == 0 && SecondsSince(start) < 20) {
      for (WindowId window : desktop->TopLevelWindows()) {
        if (desktop->ProcessId(window) != pid) continue;
        const std::string title = desktop->WindowTitle(window);
        if (shown == 0 && (title == "QuorbelU" || title.starts_with("Quorbel - "))) {
          shown = SecondsSince(start);
        }
        if (title == "Quorbel - Default") ready = SecondsSince(start);
      }
    }
    if (ready == 0) {
      state.SkipWithError("the main window did not come up");
      return;
    }
    state.SetIterationTime(ready);
    shownTotal += shown;
    ::kill(pid, SIGTERM);
    program->Wait();
  }
  state.counters["shown_ms"] =
      benchmark::Counter(shownTotal * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(ProgramStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace quorbel::testing
