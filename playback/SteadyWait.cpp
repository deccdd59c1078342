#include "playback/SteadyWait.h"

#include <algorithm>
#include <chrono>

namespace quorbel {

namespace {

// Longer waits than this (a corrupt delay) are waited as this, which keeps
// the deadline inside the clock's range; Interrupt() still ends them.
constexpr double kLongestWaitSeconds = 1e9;

}  // namespace

bool SteadyWait::Wait(float seconds) {
  std::unique_lock lock(mutex_);
  if (interrupted_ || !(seconds > 0)) return !interrupted_;
  const std::chrono::duration<double> length(std::min<double>(seconds, kLongestWaitSeconds));
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::ceil<std::chrono::steady_clock::duration>(length);
  interrupted_changed_.wait_until(lock, deadline, [this] { return interrupted_; });
  return !interrupted_;
}

void SteadyWait::Interrupt() {
  {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
  }
  interrupted_changed_.notify_all();
}

void SteadyWait::Resume() {
  std::lock_guard lock(mutex_);
  interrupted_ = false;
}

bool SteadyWait::Interrupted() const {
  std::lock_guard lock(mutex_);
  return interrupted_;
}

}  // namespace quorbel
