#include "platform/memory/MemoryPortWaiter.h"

#include <cstdint>

#include "platform/memory/MemoryLines.h"

namespace quorbel {

PortWait MemoryPortWaiter::Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) {
  {
    std::lock_guard lock(mutex_);
    ++waits_;
  }
  MemoryLines& lines = MemoryLines::Instance();
  if (const auto ready = lines.Watch(port, woken_, false)) return *ready;
  if (timeout) {
    clock_.Advance(static_cast<std::uint32_t>(timeout->count()));
    std::lock_guard lock(mutex_);
    ++timedOut_;
    return PortWait::TimedOut;
  }
  std::function<void()> onBlocked;
  {
    std::lock_guard lock(mutex_);
    blocked_ = true;
    blockedHandle_ = port;
    onBlocked = onBlocked_;
  }
  if (onBlocked) onBlocked();
  const std::optional<PortWait> ready = lines.Watch(port, woken_, true);
  std::lock_guard lock(mutex_);
  blocked_ = false;
  return *ready;
}

void MemoryPortWaiter::Wake() { MemoryLines::Instance().Wake(woken_); }

void MemoryPortWaiter::SetOnBlocked(std::function<void()> onBlocked) {
  std::lock_guard lock(mutex_);
  onBlocked_ = std::move(onBlocked);
}

int MemoryPortWaiter::Waits() const {
  std::lock_guard lock(mutex_);
  return waits_;
}

int MemoryPortWaiter::TimedOut() const {
  std::lock_guard lock(mutex_);
  return timedOut_;
}

bool MemoryPortWaiter::Blocked() const {
  std::lock_guard lock(mutex_);
  return blocked_;
}

PortHandle MemoryPortWaiter::BlockedHandle() const {
  std::lock_guard lock(mutex_);
  return blockedHandle_;
}

}  // namespace quorbel
