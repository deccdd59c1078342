#pragma once

#include <functional>
#include <mutex>

#include "platform/PortWaiter.h"
#include "platform/memory/FakeClock.h"

namespace quorbel {

// A waiter for tests that never sleeps for real. It watches the descriptor
// and its wake-up for real, so a byte from the test or a Wake() ends a wait
// as it would on Linux; but a wait with a time-out and nothing ready moves
// the fake clock past the time-out and returns at once. A wait without a
// time-out blocks until a byte, a hang-up or a Wake().
class MemoryPortWaiter : public PortWaiter {
 public:
  explicit MemoryPortWaiter(FakeClock& clock);
  ~MemoryPortWaiter() override;
  MemoryPortWaiter(const MemoryPortWaiter&) = delete;
  MemoryPortWaiter& operator=(const MemoryPortWaiter&) = delete;

  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override;

  // Called, on the waiting thread, each time a wait starts to block with no
  // time-out; a test serving GUI requests can wake itself with it.
  void SetOnBlocked(std::function<void()> onBlocked);
  // Waits so far, and how many of them ended by their time-out.
  int Waits() const;
  int TimedOut() const;
  // Whether a wait is blocked right now, and on which descriptor.
  bool Blocked() const;
  int BlockedDescriptor() const;

 private:
  // PortWait for what poll() found ready, if anything.
  std::optional<PortWait> Check(int descriptor, int pollTimeout);

  FakeClock& clock_;
  int wakeDescriptor_ = -1;
  mutable std::mutex mutex_;
  std::function<void()> onBlocked_;
  int waits_ = 0;
  int timedOut_ = 0;
  bool blocked_ = false;
  int blockedDescriptor_ = -1;
};

}  // namespace quorbel
