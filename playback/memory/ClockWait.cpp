#include "playback/memory/ClockWait.h"

#include <chrono>
#include <cmath>

namespace quorbel {

bool ClockWait::Wait(float seconds) {
  std::function<void(float)> hook;
  {
    std::lock_guard lock(mutex_);
    waits_.push_back(seconds);
    hook = hook_;
  }
  if (hook) hook(seconds);
  if (interrupted_) return false;
  if (seconds > 0) {
    clock_.Sleep(std::chrono::milliseconds(std::llround(static_cast<double>(seconds) * 1000.0)));
  }
  return !interrupted_;
}

void ClockWait::SetWaitHook(const std::function<void(float)>& hook) {
  std::lock_guard lock(mutex_);
  hook_ = hook;
}

std::vector<float> ClockWait::Waits() const {
  std::lock_guard lock(mutex_);
  return waits_;
}

}  // namespace quorbel
