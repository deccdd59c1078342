#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/Clock.h"
#include "playback/PlaybackWait.h"

namespace quorbel {

// Playback waits that pass on a Clock instead of in real time, for tests.
// Each wait is recorded with its exact seconds, then sleeps the clock by it
// in whole milliseconds. A hook runs at the start of each wait, so a test can
// interrupt in the middle of a sequence as another thread would.
class ClockWait : public PlaybackWait {
 public:
  explicit ClockWait(Clock& clock) : clock_(clock) {}

  bool Wait(float seconds) override;
  void Interrupt() override { interrupted_ = true; }
  void Resume() override { interrupted_ = false; }
  bool Interrupted() const override { return interrupted_; }

  void SetWaitHook(const std::function<void(float seconds)>& hook);
  // Every wait asked for, in order, including those cut short.
  std::vector<float> Waits() const;

 private:
  Clock& clock_;
  std::atomic<bool> interrupted_{false};
  mutable std::mutex mutex_;
  std::function<void(float)> hook_;
  std::vector<float> waits_;
};

}  // namespace quorbel
