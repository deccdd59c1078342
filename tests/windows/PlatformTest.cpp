#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/FileAccess.h"
#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/WindowsClock.h"
#include "platform/windows/WindowsInstanceGuard.h"
#include "tests/support/TempFolder.h"

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

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Opened as most programs open a file to read it: others may read it too, but
// neither replace nor delete it while it is open.
HANDLE HoldAsAnotherProgram(const std::filesystem::path& file) {
  return ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(MoveIntoPlace, ASaveWaitsOutAnotherProgramsShortReadAndFailsCleanlyOnALongOne) {
  const TempFolder folder("quorbelu-move-");
  const auto target = folder.Path() / "Default.qrb";
  const auto fresh = folder.Path() / "fresh";
  std::ofstream(target, std::ios::binary) << "old";
  std::ofstream(fresh, std::ios::binary) << "new";

  HANDLE held = HoldAsAnotherProgram(target);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread reader([held] {
    std::this_thread::sleep_for(100ms);
    ::CloseHandle(held);
  });
  const bool moved = MoveIntoPlace(fresh, target);
  reader.join();
  EXPECT_TRUE(moved) << LastSystemError().message();
  EXPECT_EQ(Contents(target), "new");
  EXPECT_FALSE(std::filesystem::exists(fresh));

  // Held for longer than a save waits: the old file stays whole, the new one
  // stays beside it, and the reason is the system's.
  std::ofstream(fresh, std::ios::binary) << "newer";
  held = HoldAsAnotherProgram(target);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(MoveIntoPlace(fresh, target));
  EXPECT_TRUE(LastSystemError());
  ::CloseHandle(held);
  EXPECT_EQ(Contents(target), "new");
  EXPECT_EQ(Contents(fresh), "newer");
}

}  // namespace
}  // namespace quorbel
