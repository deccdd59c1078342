#pragma once

#include "common/Types.h"

namespace quorbel {

// What the device thread asks of the rest of the program for each surface
// message. The thread calls the GUI-side operations through UiRequests, in
// order; Play runs on the device thread itself.
class SurfaceActions {
 public:
  virtual ~SurfaceActions() = default;

  // GUI thread: the main window's click on a command ID (1000 + control
  // index, 1058, 1074, 1094, 1126, 1127), as a click on a panel picture.
  virtual void SelectControlCommand(int commandId) = 0;

  // Any thread: whether "Capture coordinate when key is first pressed" is on,
  // as the main window showed it after its last event.
  virtual bool CaptureMode() = 0;

  // GUI thread: capture mode's answer to a press; restores the main window,
  // adds the chosen mouse step at `clientPoint` to `control` and leaves
  // capture mode.
  virtual void CapturePoint(int control, Point clientPoint) = 0;

  // GUI thread: the panel's jog halves and shuttle lamps.
  virtual void ResetWheelIndicators() = 0;
  virtual void LightBothShuttleLamps() = 0;

  // Device thread: a message that may play has come. Whatever the keys will
  // need to know is asked now, while the window in front is looked up.
  virtual void PrepareToPlay() = 0;

  // Device thread: replays the control's sequence into the target window.
  virtual void Play(int control, WindowId target) = 0;
};

}  // namespace quorbel
