// Cost of playing one key step through a wlroots compositor's virtual
// keyboard, and the time until the key reaches a Wayland program, on a
// headless sway of the benchmark's own.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "platform/linux/wayland/WlrootsInput.h"
#include "tests/integration/wayland/HeadlessSway.h"

namespace {

using quorbel::WaylandDesktop;
using quorbel::WindowId;
using quorbel::WlrootsInput;
using quorbel::testing::ChildProcess;
using quorbel::testing::HeadlessSway;

// A sway, the program's desktop and input on it, and the target in front,
// whose lines a thread of their own reads as they come: a target that cannot
// write stops reading its events, and sway then drops it.
struct Session {
  Session() {
    ::setenv("WAYLAND_DISPLAY", sway.waylandDisplay().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", sway.runtimeFolder().c_str(), 1);
    desktop = std::make_unique<WaylandDesktop>(
        quorbel::wayland::SwayWindows::ForSocket(sway.swaySocket()), [] { return WindowId{0}; });
    input = WlrootsInput::Connect(*desktop);
    target = std::make_unique<ChildProcess>(std::vector<std::string>{QUORBEL_WAYLAND_TARGET});
    reader = std::thread([this] {
      while (auto line = target->ReadLine(std::chrono::seconds(60))) {
        std::lock_guard lock(mutex);
        lines.push_back(std::move(*line));
        arrived.notify_all();
      }
    });
    if (!input || !NextLine("ready") || !NextLine("focus")) {
      throw std::runtime_error("no session on sway");
    }
  }

  ~Session() {
    input.reset();
    target.reset();  // ends its output, and so the reader
    reader.join();
  }

  // Passes over the target's lines up to one that starts with `prefix`.
  bool NextLine(const std::string& prefix) {
    std::unique_lock lock(mutex);
    for (;;) {
      if (!arrived.wait_for(lock, std::chrono::seconds(10), [this] { return !lines.empty(); })) {
        return false;
      }
      const std::string line = std::move(lines.front());
      lines.pop_front();
      if (line.starts_with(prefix)) return true;
    }
  }

  // Forgets the lines that came so far.
  void Forget() {
    std::lock_guard lock(mutex);
    lines.clear();
  }

  HeadlessSway sway;
  std::unique_ptr<WaylandDesktop> desktop;
  std::unique_ptr<WlrootsInput> input;
  std::unique_ptr<ChildProcess> target;
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<std::string> lines;
  std::thread reader;
};

Session* TheSession(benchmark::State& state) {
  static std::unique_ptr<Session> session = [] {
    if (!HeadlessSway::Unavailable().empty()) return std::unique_ptr<Session>();
    return std::make_unique<Session>();
  }();
  if (!session) state.SkipWithError("sway cannot run here");
  return session.get();
}

// Down and up of one key; each has reached the compositor when the call
// returns. The same measure as bench_x11's PlayKeyStep.
void PlayKeyStep(benchmark::State& state, int virtualKey) {
  Session* session = TheSession(state);
  if (session == nullptr) return;
  for (auto _ : state) {
    session->input->KeyDown(virtualKey);
    session->input->KeyUp(virtualKey);
  }
  session->Forget();
}
BENCHMARK_CAPTURE(PlayKeyStep, letter, 'A');
// A character no key carries yet: a key is added and the keymap sent again.
void PlayNewCharacter(benchmark::State& state) {
  Session* session = TheSession(state);
  if (session == nullptr) return;
  char32_t character = U'\u0400';
  for (auto _ : state) {
    session->input->CharacterDown(character);
    session->input->CharacterUp(character);
    if (++character == U'\u0500') character = U'\u0400';
  }
  session->Forget();
}
BENCHMARK(PlayNewCharacter)->Iterations(100);

// From the call that presses the key until the target program has it.
void KeyAtTarget(benchmark::State& state) {
  Session* session = TheSession(state);
  if (session == nullptr) return;
  session->Forget();
  for (auto _ : state) {
    session->input->KeyDown('B');
    if (!session->NextLine("key b down")) {
      state.SkipWithError("the key did not arrive");
      break;
    }
    state.PauseTiming();
    session->input->KeyUp('B');
    session->NextLine("key b up");
    state.ResumeTiming();
  }
}
BENCHMARK(KeyAtTarget)->Unit(benchmark::kMicrosecond);

}  // namespace
