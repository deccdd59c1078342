#pragma once

#include <condition_variable>
#include <mutex>

#include "playback/PlaybackWait.h"

namespace quorbel {

// Playback waits in real time on the monotonic clock; Interrupt() wakes the
// waiting thread at once.
class SteadyWait : public PlaybackWait {
 public:
  bool Wait(float seconds) override;
  void Interrupt() override;
  void Resume() override;
  bool Interrupted() const override;

 private:
  mutable std::mutex mutex_;
  std::condition_variable interrupted_changed_;
  bool interrupted_ = false;
};

}  // namespace quorbel
