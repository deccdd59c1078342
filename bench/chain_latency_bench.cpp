// The whole chain of one press: the surface's bytes written into a
// pseudo-terminal, the program reading them, choosing the keyset of the
// window in front and sending its keys through XTest, and an X client in
// front receiving the key. The program is `quorbelu` itself; beside it, in
// alternating rounds of one run, a floor program that does only what any
// driver must (bench_chain_floor), and optionally an older build of the
// program given by QUORBELU_BASELINE (the path of its executable). The bench
// is the X client in front. Needs Xvfb.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "bench/ChainRace.h"
#include "bench/SurfaceTerminal.h"
#include "platform/linux/x11/X11Desktop.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/x11/XvfbServer.h"

namespace quorbel::testing {
namespace {

using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kF1 = 0;
constexpr int kWheelLeft = 126;

// The X client in front: one window that takes the input focus and notes
// when each key reaches it.
class TargetWindow {
 public:
  explicit TargetWindow(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.c_str());
    if (display_ == nullptr) std::abort();
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
    XStoreName(display_, window_, "Chain target");
    XClassHint hint{const_cast<char*>("chain"), const_cast<char*>("ChainTarget")};
    XSetClassHint(display_, window_, &hint);
    const long pid = ::getpid();
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XSelectInput(display_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(display_, window_);
    XEvent event{};
    do XNextEvent(display_, &event);
    while (event.type != MapNotify);
    TakeFocus();
  }
  ~TargetWindow() { XCloseDisplay(display_); }
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  Window window() const { return window_; }
  void TakeFocus() {
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
  }
  // When the next event of `type` arrived; nothing when none came within `patience`.
  std::optional<Steady::time_point> Next(int type, std::chrono::milliseconds patience) {
    const auto deadline = Steady::now() + patience;
    for (;;) {
      while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (event.type == type) return Steady::now();
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd ready{ConnectionNumber(display_), POLLIN, 0};
      ::poll(&ready, 1, static_cast<int>(left.count()) + 1);
    }
  }
  void Drain() {
    while (Next(KeyPress, std::chrono::milliseconds(50))) {
    }
  }

 private:
  Display* display_ = nullptr;
  Window window_ = 0;
};

std::unique_ptr<Entrant> StartFloor(const std::string& display) {
  auto entrant = std::make_unique<Entrant>();
  entrant->name = "floor";
  entrant->process = std::make_unique<ChildProcess>(
      std::vector<std::string>{QUORBEL_CHAIN_FLOOR, entrant->surface->path(), display});
  if (entrant->process->ReadLine() != "ready") return nullptr;
  return entrant;
}

// The program at `program`, in a folder of its own whose Com 1 is the
// entrant's terminal, with the keysets "Default" (control `control` plays
// the key A) and "Notepad", once its caption names the keyset.
std::unique_ptr<Entrant> StartEditor(const std::string& name, const std::string& program,
                                     const std::string& display, Desktop& desktop, int control) {
  auto entrant = std::make_unique<Entrant>();
  entrant->name = name;
  entrant->folder = std::make_unique<ProgramFolder>();
  const ProgramFolder& folder = *entrant->folder;
  folder.WritePreferences(1, 38400);
  WriteKeyset(folder, "Default", control, 'A', 0);
  WriteKeyset(folder, "Notepad", control, 'B', 0);
  fs::create_directories(folder.path() / "ports");
  fs::create_symlink(entrant->surface->path(), folder.path() / "ports" / "com1");
  const std::string dir = folder.path().string();
  entrant->process = std::make_unique<ChildProcess>(
      std::vector<std::string>{"sh", "-c",
                               "cd \"$1\" && exec env DISPLAY=\"$2\" XDG_RUNTIME_DIR=\"$1\" \"$3\"",
                               "sh", dir, display, program},
      1, true);
  const WindowId window =
      WaitForWindow(desktop, entrant->process->pid(),
                    [](const std::string& title) { return title == "Quorbel - Default"; });
  if (window == 0) return nullptr;
  return entrant;
}

// Presses until a key arrives, for up to ten seconds; presses the program
// took before it was ready play late, so what comes meanwhile is drained.
bool WarmUp(Entrant& entrant, TargetWindow& target, const std::array<std::uint8_t, 3>& press,
            const std::array<std::uint8_t, 3>& release) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    entrant.surface->Send(press);
    const bool arrived = target.Next(KeyPress, std::chrono::seconds(1)).has_value();
    entrant.surface->Send(release);
    if (arrived) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      target.Drain();
      return true;
    }
  }
  return false;
}

struct Chain {
  std::unique_ptr<XvfbServer> server = XvfbServer::Start();
  std::unique_ptr<X11Desktop> desktop;
  std::unique_ptr<TargetWindow> target;

  bool Ready(benchmark::State& state) {
    if (!server) {
      state.SkipWithError("Xvfb is not installed");
      return false;
    }
    desktop = X11Desktop::Connect(server->display());
    target = std::make_unique<TargetWindow>(server->display());
    return true;
  }
  // The target in front again, after a program's window took the focus.
  bool TargetInFront() {
    target->TakeFocus();
    return desktop->ForegroundWindow() == target->window();
  }
};

// From the write of a press's last byte to the key arriving at the window in
// front, alternating between the entrants press by press. Presses come after
// a random pause of 5 to 15 ms, as a hand's do; each is released before the next.
void BM_PressToKey(benchmark::State& state) {
  constexpr int kPressesEach = 300;
  Chain chain;
  if (!chain.Ready(state)) return;
  const std::string& display = chain.server->display();
  std::vector<std::unique_ptr<Entrant>> entrants;
  entrants.push_back(StartFloor(display));
  if (const char* baseline = std::getenv("QUORBELU_BASELINE")) {
    entrants.push_back(StartEditor("baseline", baseline, display, *chain.desktop, kF1));
  }
  entrants.push_back(StartEditor("quorbelu", QUORBELU_PROGRAM, display, *chain.desktop, kF1));
  if (std::ranges::any_of(entrants, [](const auto& entrant) { return !entrant; })) {
    state.SkipWithError("a driver did not start");
    return;
  }
  if (!chain.TargetInFront()) {
    state.SkipWithError("the target window did not take the focus");
    return;
  }
  const std::array<std::uint8_t, 3> press{0xBF, 0x12, kF1};
  const std::array<std::uint8_t, 3> release{0xBF, 0x13, kF1};
  // A program may still be in its start-up (the greeting's pause) after its
  // caption is up: each entrant plays one press before the measuring starts.
  for (auto& entrant : entrants) {
    if (!WarmUp(*entrant, *chain.target, press, release)) {
      state.SkipWithError(("no key from " + entrant->name + " after its start-up").c_str());
      return;
    }
  }
  chain.target->Drain();

  std::mt19937 random(12);
  std::uniform_int_distribution<int> pause(5000, 15000);
  for (auto _ : state) {
    for (int round = 0; round < kPressesEach; ++round) {
      for (auto& entrant : entrants) {
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        entrant->surface->Send(press);
        const Steady::time_point sent = Steady::now();
        const auto arrived = chain.target->Next(KeyPress, std::chrono::seconds(2));
        if (!arrived) {
          // Counted, not measured: the round goes on with the next entrant.
          ++entrant->lost;
          entrant->surface->Send(release);
          chain.target->Drain();
          continue;
        }
        entrant->micros.push_back(
            std::chrono::duration<double, std::micro>(*arrived - sent).count());
        chain.target->Next(KeyRelease, std::chrono::seconds(2));
        entrant->surface->Send(release);
      }
    }
  }
  ReportRace(state, entrants);
}
BENCHMARK(BM_PressToKey)->Iterations(1)->Unit(benchmark::kMillisecond);

// A jog wheel spun fast: 1,000 steps a second for two seconds with the
// divider at its start-up setting. How long after the last step the last
// replay reaches the window in front, and how many replays came.
void BM_SpunJogWheel(benchmark::State& state) {
  constexpr int kSteps = 2000;
  Chain chain;
  if (!chain.Ready(state)) return;
  auto program = StartEditor(
      std::getenv("QUORBELU_BASELINE") ? "baseline" : "quorbelu",
      std::getenv("QUORBELU_BASELINE") ? std::getenv("QUORBELU_BASELINE") : QUORBELU_PROGRAM,
      chain.server->display(), *chain.desktop, kWheelLeft);
  if (!program || !chain.TargetInFront()) {
    state.SkipWithError("the program did not start with the target in front");
    return;
  }
  chain.target->Drain();
  const std::array<std::uint8_t, 3> step{0xBF, 0x65, 0x40};
  for (auto _ : state) {
    Steady::time_point lastStep;
    std::thread wheel([&] {
      const Steady::time_point start = Steady::now();
      for (int i = 0; i < kSteps; ++i) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(i));
        program->surface->Send(step);
      }
      lastStep = Steady::now();
    });
    std::optional<Steady::time_point> lastKey;
    int replays = 0;
    // Replays until the target has heard nothing for a second after the wheel stopped.
    while (auto key = chain.target->Next(KeyPress, std::chrono::seconds(1))) {
      lastKey = key;
      ++replays;
    }
    wheel.join();
    state.counters["replays"] = replays;
    state.counters["last_replay_after_last_step_ms"] =
        lastKey ? std::chrono::duration<double, std::milli>(*lastKey - lastStep).count() : -1.0;
  }
}
BENCHMARK(BM_SpunJogWheel)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorbel::testing
