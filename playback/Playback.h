#pragma once

#include "common/Types.h"
#include "keysets/KeysetModel.h"
#include "keysets/StepAction.h"
#include "keysets/TargetProgram.h"
#include "platform/UiRequests.h"
#include "playback/EditorView.h"
#include "playback/HeldInput.h"
#include "playback/PlaybackWait.h"

namespace quorbel {

// Replays a control's sequence into the application in front as key
// presses, mouse clicks and waits. Holds no state between calls.
class Playback {
 public:
  Playback(KeysetModel& keysets, TargetProgram& target, EditorView& editor, UiRequests& ui,
           HeldInput& input, PlaybackWait& wait, const ControlCatalogue& catalogue);

  // Device thread, once per control event that plays. Chooses the keyset of
  // the target window's program, then plays a copy of its sequence taken at
  // that moment; the caption and the editor, which shows the control, follow
  // on the GUI thread while the keys leave, so an edit on the GUI
  // thread never shows through half-made. Mouse positions are client points
  // of `target`. Leaves no key held down, whatever happens.
  void Play(int control, WindowId target);

  // Any thread: ends the wait in progress at once, abandons the rest of the
  // sequence and releases every held key. Playback stays silent (it still
  // chooses keysets and shows controls) until Resume().
  void Interrupt();
  void Resume();

 private:
  // Waits `seconds` of the sequence; false when interrupted.
  bool Pause(float seconds);
  // False when the step was cut short by an interruption. A key code that
  // names no key presses nothing; the delay still pauses.
  bool PlayStep(const Step& step, WindowId target);
  bool PlayKey(const StepAction& action, int modifiers, int delay);
  bool PlayMouse(const Step& step, StepButton button, WindowId target);

  KeysetModel& keysets_;
  TargetProgram& target_;
  EditorView& editor_;
  UiRequests& ui_;
  HeldInput& input_;
  PlaybackWait& wait_;
  const ControlCatalogue& catalogue_;
};

}  // namespace quorbel
