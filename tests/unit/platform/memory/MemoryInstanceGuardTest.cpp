#include "platform/memory/MemoryInstanceGuard.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(MemoryInstanceGuard, ASecondCopyWaitsUntilTheFirstLetsGo) {
  MemoryInstanceGuard second;
  {
    MemoryInstanceGuard first;
    ASSERT_EQ(first.Acquire("Quorbel Editor"), GuardResult::Acquired);
    EXPECT_EQ(second.Acquire("Quorbel Editor"), GuardResult::AlreadyRunning);
    EXPECT_FALSE(second.Holds());
    EXPECT_EQ(second.Acquire("Other Editor"), GuardResult::Acquired);

    first.Release();
    EXPECT_EQ(second.Acquire("Quorbel Editor"), GuardResult::Acquired);
    EXPECT_EQ(first.Acquire("Other Editor"), GuardResult::Acquired);  // second gave it up
    second.Release();
  }
  EXPECT_EQ(second.Acquire("Other Editor"), GuardResult::Acquired);  // released on destruction
  second.SetFails(true);
  EXPECT_EQ(second.Acquire("Quorbel Editor"), GuardResult::Failed);
}

}  // namespace
}  // namespace quorbel
