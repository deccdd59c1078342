#include "tests/integration/device/CountingPortWaiter.h"

#include <time.h>

namespace quorbel::testing {

namespace {

std::chrono::nanoseconds CallingThreadCpu() {
  timespec used{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
  return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

}  // namespace

void CountingPortWaiter::NoteCpu() {
  // Called with mutex_ held, on the waiting thread. Thread IDs come back
  // once a thread has ended, so a new thread is told by a flag of its own.
  thread_local bool seenBefore = false;
  if (!seenBefore) {
    seenBefore = true;
    cpuOfEarlierThreads_ += cpuOfThisThread_;
  }
  cpuOfThisThread_ = CallingThreadCpu();
}

PortWait CountingPortWaiter::Wait(PortHandle port,
                                  std::optional<std::chrono::milliseconds> timeout) {
  {
    std::lock_guard lock(mutex_);
    NoteCpu();
    ++counts_.waits;
    blocked_ = true;
    blockedDescriptor_ = static_cast<int>(port);
    blockedWithTimeOut_ = timeout.has_value();
  }
  if (onChange_) onChange_();
  const PortWait result = inner_.Wait(port, timeout);
  {
    std::lock_guard lock(mutex_);
    NoteCpu();
    blocked_ = false;
    switch (result) {
      case PortWait::Readable:
        ++counts_.readable;
        break;
      case PortWait::HungUp:
        ++counts_.hungUp;
        break;
      case PortWait::Woken:
        ++counts_.woken;
        break;
      case PortWait::TimedOut:
        ++counts_.timedOut;
        break;
    }
  }
  if (onChange_) onChange_();
  return result;
}

WaitCounts CountingPortWaiter::Counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}

bool CountingPortWaiter::Blocked() const {
  std::lock_guard lock(mutex_);
  return blocked_;
}

bool CountingPortWaiter::BlockedOnWakeOnly() const {
  std::lock_guard lock(mutex_);
  return blocked_ && blockedDescriptor_ < 0 && !blockedWithTimeOut_;
}

bool CountingPortWaiter::BlockedOnPortOnly() const {
  std::lock_guard lock(mutex_);
  return blocked_ && blockedDescriptor_ >= 0 && !blockedWithTimeOut_;
}

std::chrono::nanoseconds CountingPortWaiter::ThreadCpu() const {
  std::lock_guard lock(mutex_);
  return cpuOfEarlierThreads_ + cpuOfThisThread_;
}

}  // namespace quorbel::testing
