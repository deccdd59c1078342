#pragma once

#include <string>
#include <vector>

#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryInput.h"
#include "playback/EditorView.h"
#include "playback/HeldInput.h"
#include "playback/Playback.h"
#include "playback/memory/ClockWait.h"
#include "tests/support/KeysetListFixture.h"

namespace quorbel {

class RecordingEditor : public EditorView {
 public:
  explicit RecordingEditor(MemoryUiRequests& requests) : requests_(requests) {}
  void ShowControl(int control) override {
    shown.push_back(control);
    if (!requests_.OnGuiThread()) shownOffGuiThread = true;
  }
  std::vector<int> shown;
  bool shownOffGuiThread = false;

 private:
  MemoryUiRequests& requests_;
};

// Playback with the in-memory platform and waits on a fake clock. One
// keyset, "Default", unless a test lists more; window 0x50 is in front.
class PlaybackFixture : public KeysetListFixture {
 protected:
  static constexpr WindowId kTarget = 0x50;
  static constexpr int kControl = 59;

  PlaybackFixture() {
    SetKeysets({"Default"});
    AddProgramWindow(kTarget, "/usr/bin/editor");
  }

  // Steps 1.. of kControl in the current keyset and layer.
  void SetSequence(const std::vector<Step>& steps, int control = kControl) {
    auto model = keysets.Lock();
    int s = 1;
    for (const Step& step : steps) model->SetStep(control, s++, step);
  }

  static Step Key(std::int32_t keyCode, std::int32_t modifiers = 0, std::int32_t delay = 0) {
    return Step{0, 0, keyCode, modifiers, delay};
  }
  static Step Mouse(std::int32_t keyCode, int x, int y, std::int32_t delay = 0) {
    return Step{x, y, keyCode, 0, delay};
  }

  std::vector<std::string> Played() { return input.Events(); }

  MemoryInput input;
  HeldInput held{input};
  FakeClock clock;
  ClockWait wait{clock};
  RecordingEditor editor{requests};
  const ControlCatalogue catalogue;
  Playback playback{keysets, target, editor, requests, held, wait, catalogue};
};

}  // namespace quorbel
