// What one control event costs the program before any real input is sent:
// finding the program of the window in front among 200 windows (a hit in the
// window list, and a miss that rebuilds it), and playing a ten-step sequence.
#include <benchmark/benchmark.h>

#include <string>

#include "keysets/KeysetModel.h"
#include "keysets/TargetProgram.h"
#include "keysets/WindowList.h"
#include "platform/Input.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "playback/HeldInput.h"
#include "playback/Playback.h"
#include "playback/memory/ClockWait.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace {

using namespace quorbel;

constexpr int kWindows = 200;
constexpr WindowId kFirstWindow = 0x3C00001;

void AddWindows(MemoryDesktop& desktop) {
  for (int w = 0; w < kWindows; ++w) {
    desktop.AddWindow(kFirstWindow + static_cast<WindowId>(w), "Window " + std::to_string(w),
                      "Main", 1000 + w);
    desktop.SetExecutable(1000 + w, "/usr/bin/program" + std::to_string(w));
  }
}

void BM_ProgramOfListedWindow(benchmark::State& state) {
  MemoryDesktop desktop;
  AddWindows(desktop);
  WindowList windows(desktop);
  windows.RefreshWindowList();
  // The first window enumerated is the last row: the longest scan.
  for (auto _ : state) benchmark::DoNotOptimize(TargetProgramName(windows, kFirstWindow));
}
BENCHMARK(BM_ProgramOfListedWindow);

void BM_ProgramOfUnlistedWindow(benchmark::State& state) {
  MemoryDesktop desktop;
  AddWindows(desktop);
  WindowList windows(desktop);
  for (auto _ : state) benchmark::DoNotOptimize(TargetProgramName(windows, 0x1));
}
BENCHMARK(BM_ProgramOfUnlistedWindow);

class NullInput : public Input {
 public:
  void KeyDown(int) override { ++events; }
  void KeyUp(int) override { ++events; }
  void CharacterDown(char32_t) override { ++events; }
  void CharacterUp(char32_t) override { ++events; }
  void Click(MouseButton) override { ++events; }
  void SetCursor(Point) override { ++events; }
  Point ClientToScreen(WindowId, Point client) override { return client; }
  long long events = 0;
};

class NoEditor : public EditorView {
 public:
  void ShowControl(int) override {}
};

void BM_PlayTenKeySteps(benchmark::State& state) {
  MemoryDesktop desktop;
  AddWindows(desktop);
  WindowList windows(desktop);
  windows.RefreshWindowList();
  KeysetModel keysets;
  ui::MemoryToolkit toolkit;
  toolkit.CreateForm("MAIN", "", "QuorbelU", ui::Rect{}, "", -1, -1);
  ui::ControlDefinition list;
  list.kind = ui::ControlKind::ComboBox;
  list.id = 410;
  toolkit.AddControl("MAIN", list);
  toolkit.AddItems("MAIN", 410, "Default|program7|program199|");
  MemoryUiRequests requests;
  ui::KeysetListView listed(toolkit);
  TargetProgram target(windows, keysets, toolkit, listed, requests, [](ui::Event&) {});
  NullInput input;
  HeldInput held(input);
  FakeClock clock;
  ClockWait wait(clock);
  NoEditor editor;
  const ControlCatalogue catalogue;
  Playback playback(keysets, target, editor, requests, held, wait, catalogue);
  {
    auto model = keysets.Lock();
    model->SetCurrent(2);
    for (int s = 1; s <= kMaxSteps; ++s)
      model->SetStep(59, s, Step{0, 0, 'A' + s, kCtrl | kShift, 0});
  }
  const WindowId program199 = kFirstWindow + kWindows - 1;
  for (auto _ : state) playback.Play(59, program199);
  state.counters["events"] =
      benchmark::Counter(static_cast<double>(input.events), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlayTenKeySteps);

}  // namespace
