#include "playback/Playback.h"

#include <array>
#include <cstddef>
#include <cstdint>

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

// The virtual key a step sends: the stored code, except for keys whose
// stored code is not the key the user meant. With shift, the keypad's minus
// and decimal point become the main keyboard's minus and period; three
// punctuation characters typed into the editor are stored by their
// character codes, which as virtual keys would be other keys.
int PlayedKey(std::int32_t keyCode, std::int32_t modifiers) {
  const int key = keyCode & 0xFF;
  const bool shift = (modifiers & kShift) != 0;
  const bool named = (keyCode & kNamedKey) != 0;
  if (key == 109 && shift) return 189;
  if (key == 110 && shift) return 190;
  if (!named && key == ']') return 221;
  if (!named && key == '\'') return 222;
  if (!named && key == '[') return 219;
  return key;
}

}  // namespace

Playback::Playback(KeysetModel& keysets, TargetProgram& target, EditorView& editor, UiRequests& ui,
                   HeldInput& input, PlaybackWait& wait)
    : keysets_(keysets), target_(target), editor_(editor), ui_(ui), input_(input), wait_(wait) {}

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

bool Playback::PlayStep(const Step& step, WindowId target) {
  const int key = PlayedKey(step.KeyCode, step.Modifiers);
  const bool whole = key != 0 ? PlayKey(key, step.Modifiers, step.Delay) : PlayMouse(step, target);
  if (!whole) return false;
  return step.Delay == 0 || wait_.Wait(static_cast<float>(step.Delay) / kTicksPerSecond);
}

bool Playback::PlayKey(int virtualKey, int modifiers, int delay) {
  for (const ModifierKey& modifier : kDownOrder) {
    if ((modifiers & modifier.bit) != 0) input_.KeyDown(modifier.virtualKey);
  }
  input_.KeyDown(virtualKey);
  if (delay != 0 && !wait_.Wait(static_cast<float>(delay) * kHoldSecondsPerTick)) return false;
  input_.KeyUp(virtualKey);
  for (const ModifierKey& modifier : kUpOrder) {
    if ((modifiers & modifier.bit) != 0) input_.KeyUp(modifier.virtualKey);
  }
  return true;
}

bool Playback::PlayMouse(const Step& step, WindowId target) {
  // The alternate wheel selector, and any code without a button, clicks
  // nothing.
  const bool left = (step.KeyCode & kLeftClick) != 0;
  const bool right = (step.KeyCode & kRightClick) != 0;
  const bool middle = (step.KeyCode & kCentreClick) != 0;
  if (step.MouseX != kNoPosition) {
    input_.SetCursor(input_.ClientToScreen(target, Point{step.MouseX, step.MouseY}));
  }
  if (left) {
    input_.Click(MouseButton::Left);
  } else if (right) {
    input_.Click(MouseButton::Right);
  } else if (middle) {
    input_.Click(MouseButton::Middle);
  }
  return wait_.Wait(kMouseSettleSeconds);
}

}  // namespace quorbel
