#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/linux/posix/PollPortWaiter.h"

namespace quorbel::testing {

// What the device thread's waits have been so far.
struct WaitCounts {
  int waits = 0;
  int readable = 0;
  int hungUp = 0;
  int woken = 0;
  int timedOut = 0;
};

// The real poll() waiter, watched: it counts the device thread's waits and how
// each ended, tells whether the thread sits in one right now and on what, and
// adds up the CPU time of every thread that waited on it. A thread that spins
// shows up as waits that keep ending; a thread that sleeps on nothing but a
// wake-up can only be ended by a stop or a hold.
class CountingPortWaiter : public PortWaiter {
 public:
  // `onChange` runs on the device thread whenever a wait begins or ends.
  explicit CountingPortWaiter(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override { inner_.Wake(); }

  WaitCounts Counts() const;
  bool Blocked() const;
  // True while the thread waits for nothing but a wake-up: no port, no time-out.
  bool BlockedOnWakeOnly() const;
  // True while the thread waits on a port with no time-out.
  bool BlockedOnPortOnly() const;
  // CPU time the waiting threads had used when they last began or ended a wait.
  std::chrono::nanoseconds ThreadCpu() const;

 private:
  void NoteCpu();

  PollPortWaiter inner_;
  std::function<void()> onChange_;
  mutable std::mutex mutex_;
  WaitCounts counts_;
  bool blocked_ = false;
  int blockedDescriptor_ = -1;
  bool blockedWithTimeOut_ = false;
  std::chrono::nanoseconds cpuOfEarlierThreads_{0};
  std::chrono::nanoseconds cpuOfThisThread_{0};
};

}  // namespace quorbel::testing
