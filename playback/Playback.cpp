#include "playback/Playback.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "keysets/StepAction.h"

namespace quorbel {

namespace {

constexpr int kAltVirtualKey = 18;
constexpr int kCtrlVirtualKey = 17;
constexpr int kShiftVirtualKey = 16;
constexpr int kAppVirtualKey = 93;

struct ModifierKey {
  std::int32_t bit;
  int virtualKey;
};
// Modifiers go down in this order and come up in the other listed order;
// the two differ on purpose and are what target programs have always seen.
constexpr std::array<ModifierKey, 4> kDownOrder{{{kAlt, kAltVirtualKey},
                                                 {kCtrl, kCtrlVirtualKey},
                                                 {kAppKey, kAppVirtualKey},
                                                 {kShift, kShiftVirtualKey}}};
constexpr std::array<ModifierKey, 4> kUpOrder{{{kShift, kShiftVirtualKey},
                                               {kAlt, kAltVirtualKey},
                                               {kCtrl, kCtrlVirtualKey},
                                               {kAppKey, kAppVirtualKey}}};

// Seconds a key step holds its key per tick of delay, in single precision.
constexpr float kHoldSecondsPerTick = 0.05f;
// A tick of the pause after a step is 1/18 second.
constexpr float kTicksPerSecond = 18.0f;
// Time a mouse step leaves the target to react.
constexpr float kMouseSettleSeconds = 1.0f;
// X of a mouse step that has no position: the cursor stays where it is.
constexpr std::int32_t kNoPosition = -1;

// The editor stores at most this many ticks; a larger delay (only a corrupt
// or foreign file holds one) would hold a key for days, so playback uses this.
constexpr std::int32_t kMostTicks = 100;

std::int32_t PlayedDelay(std::int32_t delay) { return std::clamp(delay, 0, kMostTicks); }

}  // namespace

Playback::Playback(KeysetModel& keysets, TargetProgram& target, EditorView& editor, UiRequests& ui,
                   HeldInput& input, PlaybackWait& wait, const ControlCatalogue& catalogue)
    : keysets_(keysets),
      target_(target),
      editor_(editor),
      ui_(ui),
      input_(input),
      wait_(wait),
      catalogue_(catalogue) {}

void Playback::Play(int control, WindowId target) {
  // Only a broken caller passes a control the surface does not have; it
  // must not index the keyset table.
  if (!IsControlIndex(control)) return;
  target_.UseKeysetForWindow(target);
  // The editor shows the control after the keys have left.
  ui_.Post([this, control] { editor_.ShowControl(control); });

  const Sequence sequence = keysets_.CopySequence(control);
  for (int s = 0; s < sequence.count && !wait_.Interrupted(); ++s) {
    if (!PlayStep(sequence.steps[static_cast<std::size_t>(s)], target)) break;
  }
  // Nothing is held after a whole step; after one cut short, whatever it
  // pressed goes up here.
  input_.ReleaseAll();
}

void Playback::Interrupt() {
  wait_.Interrupt();
  input_.ReleaseAll();
}

void Playback::Resume() { wait_.Resume(); }

// The window may catch up while the sequence waits: what it was held back
// from showing is not held for the length of a delay.
bool Playback::Pause(float seconds) {
  ui_.ReleasePosts();
  return wait_.Wait(seconds);
}

bool Playback::PlayStep(const Step& step, WindowId target) {
  const StepAction action = ActionOfStep(step.KeyCode, step.Modifiers, catalogue_);
  const std::int32_t delay = PlayedDelay(step.Delay);
  bool whole = true;
  if (action.kind == StepKind::Mouse) {
    whole = PlayMouse(step, action.button, target);
  } else if (action.virtualKey != 0 || action.character != 0) {
    whole = PlayKey(action, step.Modifiers, delay);
  }
  if (!whole) return false;
  return delay == 0 || Pause(static_cast<float>(delay) / kTicksPerSecond);
}

// A key with a virtual key goes through it; any other character is typed as
// itself.
bool Playback::PlayKey(const StepAction& action, int modifiers, int delay) {
  for (const ModifierKey& modifier : kDownOrder) {
    if ((modifiers & modifier.bit) != 0) input_.KeyDown(modifier.virtualKey);
  }
  if (action.virtualKey != 0) {
    input_.KeyDown(action.virtualKey);
  } else {
    input_.CharacterDown(action.character);
  }
  if (delay != 0 && !Pause(static_cast<float>(delay) * kHoldSecondsPerTick)) return false;
  if (action.virtualKey != 0) {
    input_.KeyUp(action.virtualKey);
  } else {
    input_.CharacterUp(action.character);
  }
  for (const ModifierKey& modifier : kUpOrder) {
    if ((modifiers & modifier.bit) != 0) input_.KeyUp(modifier.virtualKey);
  }
  return true;
}

bool Playback::PlayMouse(const Step& step, StepButton button, WindowId target) {
  if (step.MouseX != kNoPosition) {
    input_.SetCursor(input_.ClientToScreen(target, Point{step.MouseX, step.MouseY}));
  }
  // The alternate wheel selector clicks nothing.
  switch (button) {
    case StepButton::Left:
      input_.Click(MouseButton::Left);
      break;
    case StepButton::Right:
      input_.Click(MouseButton::Right);
      break;
    case StepButton::Middle:
      input_.Click(MouseButton::Middle);
      break;
    case StepButton::None:
      break;
  }
  return Pause(kMouseSettleSeconds);
}

}  // namespace quorbel
