#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/WindowsClock.h"
#include "platform/windows/WindowsInstanceGuard.h"

namespace quorbel {
namespace {

using namespace std::chrono_literals;

TEST(WindowsInstanceGuard, TheSecondCopyFindsTheFirstAndTheNameIsFreeAgainAfterRelease) {
  WindowsInstanceGuard first;
  WindowsInstanceGuard second;
  ASSERT_EQ(first.Acquire("QuorbelU test guard"), GuardResult::Acquired);
  EXPECT_EQ(second.Acquire("QuorbelU test guard"), GuardResult::AlreadyRunning);
  EXPECT_EQ(second.Acquire("QuorbelU other guard"), GuardResult::Acquired);
  first.Release();
  EXPECT_EQ(first.Acquire("QuorbelU test guard"), GuardResult::Acquired);
  EXPECT_EQ(second.Acquire(""), GuardResult::Failed);
}

TEST(CommPortWaiter, AWakeEndsTheWaitOnceWhetherItCameBeforeOrDuring) {
  CommPortWaiter waiter;
  waiter.Wake();
  waiter.Wake();
  EXPECT_EQ(waiter.Wait(kNoPortHandle, std::nullopt), PortWait::Woken);
  EXPECT_EQ(waiter.Wait(kNoPortHandle, 0ms), PortWait::TimedOut);  // both wakes were taken
  std::thread waker([&waiter] {
    std::this_thread::sleep_for(20ms);
    waiter.Wake();
  });
  EXPECT_EQ(waiter.Wait(kNoPortHandle, std::nullopt), PortWait::Woken);
  waker.join();
}

TEST(CommPortWaiter, WithoutAPortOnlyTheTimeOutEndsAQuietWaitAndNeverEarly) {
  CommPortWaiter waiter;
  WindowsClock clock;
  const std::uint32_t start = clock.TickMs();
  EXPECT_EQ(waiter.Wait(kNoPortHandle, 30ms), PortWait::TimedOut);
  // The tick counts in steps of the system's timer (about 16 ms on Windows).
  EXPECT_GE(clock.TickMs() - start, 30U - 16U);
}

}  // namespace
}  // namespace quorbel
