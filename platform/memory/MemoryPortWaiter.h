#pragma once

#include <functional>
#include <mutex>

#include "platform/PortWaiter.h"
#include "platform/memory/FakeClock.h"

namespace quorbel {

// A waiter for tests that never sleeps for real. It watches the in-memory
// line and its wake-up for real, so a byte from the test or a Wake() ends a
// wait as it would on the real system; but a wait with a time-out and nothing ready moves
// the fake clock past the time-out and returns at once. A wait without a
// time-out blocks until a byte, a hang-up or a Wake().
class MemoryPortWaiter : public PortWaiter {
 public:
  explicit MemoryPortWaiter(FakeClock& clock) : clock_(clock) {}
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
  // Whether a wait is blocked right now, and on which line.
  bool Blocked() const;
  PortHandle BlockedHandle() const;

 private:
  FakeClock& clock_;
  // Guarded by the in-memory lines' lock, not by mutex_.
  bool woken_ = false;
  mutable std::mutex mutex_;
  std::function<void()> onBlocked_;
  int waits_ = 0;
  int timedOut_ = 0;
  bool blocked_ = false;
  PortHandle blockedHandle_ = kNoPortHandle;
};

}  // namespace quorbel
