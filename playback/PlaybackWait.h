#pragma once

namespace quorbel {

// The waits of playback: hold times, pauses after steps and the settle after
// mouse steps. They run on the device thread and can be cut short from any
// other thread, so stopping the link or the program never waits for a long
// sequence to finish.
class PlaybackWait {
 public:
  virtual ~PlaybackWait() = default;

  // Waits `seconds` (nothing for 0 or less). False when interrupted, before
  // or during the wait.
  virtual bool Wait(float seconds) = 0;

  // Any thread: ends the wait in progress at once; every wait after it fails
  // at once too, until Resume().
  virtual void Interrupt() = 0;
  virtual void Resume() = 0;
  virtual bool Interrupted() const = 0;
};

}  // namespace quorbel
