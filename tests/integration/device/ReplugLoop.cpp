// Pulls the simulated surface's cable and plugs it in again, N times, with the
// real device link running on it, and reports whether the link came back
// every time and what the device thread did meanwhile.
//
//   link_replug_loop [N]     (N cycles, 50 when not given)
//
// Exit status 0 when every cycle recovered and the thread never woke between
// seeing a hang-up and being stopped.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/integration/device/LinkRig.h"

namespace {

using namespace quorbel::testing;

constexpr int kPort = 9;
constexpr int kDefaultCycles = 50;
// Controls 1..19 are replayed when pressed (20, Shift, never is).
constexpr int kPlainControls = 19;

struct LoopCounts {
  int recovered = 0;
  int failed = 0;
  // Waits the thread began after it had gone to sleep on its hang-up; a
  // spinning thread would pile them up.
  int wakeUpsAfterHangUp = 0;
};

bool PressIsPlayed(LinkRig& rig, int control) {
  const std::string play = "play " + std::to_string(control) + " in 2";
  const int before = rig.actions.Count(play);
  rig.surface->Command("press " + std::to_string(control));
  return rig.Await([&] { return rig.actions.Count(play) > before; });
}

// One unplug and replug; false, with the reason printed, when the link did not
// come back as it should.
bool Cycle(LinkRig& rig, int cycle, LoopCounts& counts) {
  auto fail = [cycle](const char* why) {
    std::printf("cycle %d: %s\n", cycle, why);
    return false;
  };
  if (rig.surface->CommandAndWait("unplug", "unplugged") < 0) return fail("no unplug");
  if (!rig.Await([&] { return rig.thread.HungUp() && rig.waiter.BlockedOnWakeOnly(); })) {
    return fail("the thread did not notice the hang-up");
  }
  const int asleepAt = rig.waiter.Counts().waits;
  rig.link.status.StatusTick();
  counts.wakeUpsAfterHangUp += rig.waiter.Counts().waits - asleepAt;
  if (rig.thread.Running() || rig.Caption() != "Quorbel Not Active") {
    return fail("the vanished port was not dropped");
  }
  if (rig.surface->CommandAndWait("plug", "ready ") < 0) return fail("no plug");
  rig.link.status.StatusTick();
  if (!rig.thread.Running() || rig.Caption() != "Quorbel - Default") {
    return fail("the port was not opened again");
  }
  if (!PressIsPlayed(rig, 1 + cycle % kPlainControls))
    return fail("a press after the replug was not played");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : kDefaultCycles;
  LinkRig rig(kPort);
  rig.link.serial.OpenAtStartup();
  if (!rig.thread.Running()) {
    std::printf("the link did not open\n");
    return 1;
  }
  LoopCounts counts;
  const auto start = std::chrono::steady_clock::now();
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    ++(Cycle(rig, cycle, counts) ? counts.recovered : counts.failed);
  }
  const auto wall = std::chrono::steady_clock::now() - start;
  const quorbel::testing::WaitCounts waits = rig.waiter.Counts();
  const auto cpu = std::chrono::duration<double, std::milli>(rig.waiter.ThreadCpu()).count();
  std::printf("cycles %d: recovered %d, failed %d\n", cycles, counts.recovered, counts.failed);
  std::printf("device thread waits %d (readable %d, hung up %d, woken %d, timed out %d)\n",
              waits.waits, waits.readable, waits.hungUp, waits.woken, waits.timedOut);
  std::printf("wake-ups between a hang-up and the stop: %d\n", counts.wakeUpsAfterHangUp);
  std::printf("device threads' CPU time %.2f ms over %.1f s\n", cpu,
              std::chrono::duration<double>(wall).count());
  return counts.failed == 0 && counts.wakeUpsAfterHangUp == 0 ? 0 : 1;
}
