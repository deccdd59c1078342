#include "platform/memory/MemoryPortWaiter.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace quorbel {

MemoryPortWaiter::MemoryPortWaiter(FakeClock& clock)
    : clock_(clock), wakeDescriptor_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (wakeDescriptor_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

MemoryPortWaiter::~MemoryPortWaiter() { ::close(wakeDescriptor_); }

PortWait MemoryPortWaiter::Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) {
  const int descriptor = static_cast<int>(port);
  {
    std::lock_guard lock(mutex_);
    ++waits_;
  }
  if (const auto ready = Check(descriptor, 0)) return *ready;
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
    blockedDescriptor_ = descriptor;
    onBlocked = onBlocked_;
  }
  if (onBlocked) onBlocked();
  std::optional<PortWait> ready;
  while (!ready) ready = Check(descriptor, -1);
  std::lock_guard lock(mutex_);
  blocked_ = false;
  return *ready;
}

std::optional<PortWait> MemoryPortWaiter::Check(int descriptor, int pollTimeout) {
  pollfd watched[2] = {{wakeDescriptor_, POLLIN, 0}, {descriptor, POLLIN, 0}};
  if (::poll(watched, 2, pollTimeout) <= 0) return std::nullopt;
  if ((watched[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(wakeDescriptor_, &count, sizeof count);
    return PortWait::Woken;
  }
  if ((watched[1].revents & POLLIN) != 0) return PortWait::Readable;
  return PortWait::HungUp;
}

void MemoryPortWaiter::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t put = ::write(wakeDescriptor_, &one, sizeof one);
}

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

int MemoryPortWaiter::BlockedDescriptor() const {
  std::lock_guard lock(mutex_);
  return blockedDescriptor_;
}

}  // namespace quorbel
