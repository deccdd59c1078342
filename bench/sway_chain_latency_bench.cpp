// The whole chain of one press on a headless sway, the Wayland figure beside
// bench_chain_latency's X11 one: the surface's bytes written into a
// pseudo-terminal, the program reading them, asking sway which window is in
// front, choosing its keyset and typing its key through the virtual
// keyboard, and the tests' Wayland target client in front printing the key.
// Beside it, press by press, a floor program that does only what any driver
// must (bench_sway_floor). The target's line reaches the bench through a pipe,
// which both drivers pay alike. Needs sway (run as `quorbeltest` when root).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/ChainRace.h"
#include "bench/SurfaceTerminal.h"
#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/wayland/HeadlessSway.h"

namespace quorbel::testing {
namespace {

using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kF1 = 0;

struct SwayChain {
  std::unique_ptr<HeadlessSway> sway;
  std::unique_ptr<WaylandDesktop> desktop;
  std::unique_ptr<ProgramFolder> targetFolder;
  std::unique_ptr<ChildProcess> target;

  bool Ready(benchmark::State& state) {
    if (const std::string why = HeadlessSway::Unavailable(); !why.empty()) {
      state.SkipWithError(why.c_str());
      return false;
    }
    sway = std::make_unique<HeadlessSway>();
    desktop = std::make_unique<WaylandDesktop>(wayland::SwayWindows::ForSocket(sway->swaySocket()),
                                               [] { return WindowId{0}; });
    // Named like no keyset, so that the program plays its Default keyset.
    targetFolder = std::make_unique<ProgramFolder>();
    const fs::path program = targetFolder->path() / "chaintarget";
    fs::copy_file(QUORBEL_WAYLAND_TARGET, program);
    target = std::make_unique<ChildProcess>(std::vector<std::string>{
        "env", "WAYLAND_DISPLAY=" + sway->waylandDisplay(),
        "XDG_RUNTIME_DIR=" + targetFolder->path().string(), program.string(), "chaintarget"});
    return Next("ready", std::chrono::seconds(10)).has_value();
  }

  // When the target's next line starting with `prefix` came; lines before it are passed over.
  std::optional<Steady::time_point> Next(const std::string& prefix,
                                         std::chrono::milliseconds patience) {
    const auto deadline = Steady::now() + patience;
    for (;;) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now());
      if (left.count() <= 0) return std::nullopt;
      const auto line = target->ReadLine(left);
      if (!line) return std::nullopt;
      if (line->starts_with(prefix)) return Steady::now();
    }
  }

  // Passes over the lines the target has written so far.
  void PassOver() {
    while (Next("", std::chrono::milliseconds(50))) {
    }
  }

  // The target in front again, after a program's window took the focus.
  bool TargetInFront() {
    sway->Command("[app_id=quorbel-target] focus");
    return Next("focus", std::chrono::seconds(10)).has_value();
  }

  std::unique_ptr<Entrant> StartFloor() {
    auto entrant = std::make_unique<Entrant>();
    entrant->name = "floor";
    entrant->process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"env", "WAYLAND_DISPLAY=" + sway->waylandDisplay(),
                                 QUORBEL_SWAY_FLOOR, entrant->surface->path(), sway->swaySocket()});
    if (entrant->process->ReadLine(std::chrono::seconds(10)) != "ready") return nullptr;
    return entrant;
  }

  // QuorbelU in a folder of its own whose Com 1 is the entrant's terminal,
  // with the keysets "Default" (F1 plays the key A) and "Notepad", on Qt's
  // Wayland platform, once its caption names the keyset.
  std::unique_ptr<Entrant> StartEditor() {
    auto entrant = std::make_unique<Entrant>();
    entrant->name = "quorbelu";
    entrant->folder = std::make_unique<ProgramFolder>();
    const ProgramFolder& folder = *entrant->folder;
    folder.WritePreferences(1, 38400);
    WriteKeyset(folder, "Default", kF1, 'A', 0);
    WriteKeyset(folder, "Notepad", kF1, 'B', 0);
    fs::create_directories(folder.path() / "ports");
    fs::create_symlink(entrant->surface->path(), folder.path() / "ports" / "com1");
    const std::string dir = folder.path().string();
    entrant->process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"sh", "-c",
                                 "cd \"$1\" && exec env -u DISPLAY WAYLAND_DISPLAY=\"$2\" "
                                 "SWAYSOCK=\"$3\" XDG_RUNTIME_DIR=\"$1\" QT_QPA_PLATFORM=wayland "
                                 "\"$4\"",
                                 "sh", dir, sway->waylandDisplay(), sway->swaySocket(),
                                 QUORBELU_PROGRAM},
        1, true);
    const WindowId window = WaitForWindow(
        *desktop, entrant->process->pid(),
        [](const std::string& title) { return title.starts_with("Quorbel - Default"); });
    if (window == 0) return nullptr;
    return entrant;
  }
};

// Presses until a key arrives, for up to ten seconds; presses the program
// took before it was ready play late, so what comes meanwhile is passed over.
bool WarmUp(Entrant& entrant, SwayChain& chain, const std::array<std::uint8_t, 3>& press,
            const std::array<std::uint8_t, 3>& release) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    entrant.surface->Send(press);
    const bool arrived = chain.Next("key a down", std::chrono::seconds(1)).has_value();
    entrant.surface->Send(release);
    if (arrived) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      chain.PassOver();
      return true;
    }
  }
  return false;
}

// From the write of a press's last byte to the key's line from the target in
// front, alternating between the entrants press by press. Presses come after
// a random pause of 5 to 15 ms, as a hand's do; each is released before the next.
void BM_PressToKeyOnSway(benchmark::State& state) {
  constexpr int kPressesEach = 300;
  SwayChain chain;
  if (!chain.Ready(state)) return;
  std::vector<std::unique_ptr<Entrant>> entrants;
  entrants.push_back(chain.StartFloor());
  entrants.push_back(chain.StartEditor());
  if (std::ranges::any_of(entrants, [](const auto& entrant) { return !entrant; })) {
    state.SkipWithError("a driver did not start");
    return;
  }
  if (!chain.TargetInFront()) {
    state.SkipWithError("the target did not take the focus");
    return;
  }

  const std::array<std::uint8_t, 3> press{0xBF, 0x12, kF1};
  const std::array<std::uint8_t, 3> release{0xBF, 0x13, kF1};
  // A program may still be in its start-up (the greeting's pause) after its
  // caption is up: each entrant plays one press before the measuring starts.
  for (auto& entrant : entrants) {
    if (!WarmUp(*entrant, chain, press, release)) {
      state.SkipWithError(("no key from " + entrant->name + " after its start-up").c_str());
      return;
    }
  }
  std::mt19937 random(12);
  std::uniform_int_distribution<int> pause(5000, 15000);
  for (auto _ : state) {
    for (int round = 0; round < kPressesEach; ++round) {
      for (auto& entrant : entrants) {
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        entrant->surface->Send(press);
        const Steady::time_point sent = Steady::now();
        const auto arrived = chain.Next("key a down", std::chrono::seconds(2));
        if (!arrived) {
          // Counted, not measured: the round goes on with the next entrant.
          ++entrant->lost;
          entrant->surface->Send(release);
          chain.PassOver();
          continue;
        }
        entrant->micros.push_back(
            std::chrono::duration<double, std::micro>(*arrived - sent).count());
        chain.Next("key a up", std::chrono::seconds(2));
        entrant->surface->Send(release);
      }
    }
  }
  ReportRace(state, entrants);
}
BENCHMARK(BM_PressToKeyOnSway)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorbel::testing
