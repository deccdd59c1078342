#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/linux/posix/LinuxClock.h"
#include "platform/linux/posix/LinuxInstanceGuard.h"
#include "tests/support/TempFolder.h"

namespace quorbel::testing {
namespace {

class InstanceGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime_ = folder_.Path().string() + "/runtime";
    std::filesystem::create_directory(runtime_);
    ::chmod(runtime_.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("XDG_RUNTIME_DIR"); }

  WorkingFolder folder_{"quorbel-serial-"};
  std::string runtime_;
};

TEST_F(InstanceGuardTest, SecondCopyIsRefusedUntilTheFirstReleases) {
  LinuxInstanceGuard first;
  LinuxInstanceGuard second;
  ASSERT_EQ(first.Acquire("QuorbelU"), GuardResult::Acquired);
  EXPECT_TRUE(std::filesystem::exists(runtime_ + "/QuorbelU.lock"));
  EXPECT_EQ(second.Acquire("QuorbelU"), GuardResult::AlreadyRunning);
  EXPECT_EQ(second.Acquire("Other/Name"), GuardResult::Acquired);
  first.Release();
  EXPECT_EQ(second.Acquire("QuorbelU"), GuardResult::Acquired);
}

TEST_F(InstanceGuardTest, LockOfAnotherProcessHoldsUntilItExits) {
  int started[2];
  int finish[2];
  ASSERT_EQ(::pipe(started), 0);
  ASSERT_EQ(::pipe(finish), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    ::close(started[0]);
    ::close(finish[1]);
    LinuxInstanceGuard guard;
    const char result = guard.Acquire("QuorbelU") == GuardResult::Acquired ? 'y' : 'n';
    (void)!::write(started[1], &result, 1);
    char ignored;
    (void)!::read(finish[0], &ignored, 1);
    ::_exit(0);  // no release: the lock must go with the process
  }
  ::close(started[1]);
  ::close(finish[0]);
  char result = 0;
  ASSERT_EQ(::read(started[0], &result, 1), 1);
  ASSERT_EQ(result, 'y');

  LinuxInstanceGuard guard;
  EXPECT_EQ(guard.Acquire("QuorbelU"), GuardResult::AlreadyRunning);
  ::close(finish[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(holder, &status, 0), holder);
  EXPECT_EQ(guard.Acquire("QuorbelU"), GuardResult::Acquired);
  ::close(started[0]);
}

TEST_F(InstanceGuardTest, RuntimeFolderOthersCanEnterIsNotUsed) {
  ::chmod(runtime_.c_str(), 0777);
  LinuxInstanceGuard guard(folder_.Path().string() + "/no-run-user", folder_.Path());
  ASSERT_EQ(guard.Acquire("QuorbelU-guard-test"), GuardResult::Acquired);
  EXPECT_FALSE(std::filesystem::exists(runtime_ + "/QuorbelU-guard-test.lock"));
  const std::string fallback = folder_.Path().string() + "/quorbel-" + std::to_string(::geteuid());
  struct stat info {};
  ASSERT_EQ(::lstat(fallback.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700U);
  EXPECT_TRUE(std::filesystem::exists(fallback + "/QuorbelU-guard-test.lock"));
}

// Without XDG_RUNTIME_DIR: the session's own runtime folder first, and a
// fallback folder that someone else made first is refused with a reason.
TEST_F(InstanceGuardTest, WithoutRuntimeVariableTheFoldersAreTriedInTurn) {
  ::unsetenv("XDG_RUNTIME_DIR");
  const std::string uid = std::to_string(::geteuid());
  const std::string runUser = folder_.Path().string() + "/run-user";
  std::filesystem::create_directories(runUser + "/" + uid);
  ::chmod((runUser + "/" + uid).c_str(), 0700);
  LinuxInstanceGuard session(runUser, folder_.Path());
  ASSERT_EQ(session.Acquire("QuorbelU"), GuardResult::Acquired);
  EXPECT_TRUE(std::filesystem::exists(runUser + "/" + uid + "/QuorbelU.lock"));

  const std::string fallback = folder_.Path().string() + "/quorbel-" + uid;
  std::filesystem::create_directory(fallback);
  ::chmod(fallback.c_str(), 0700);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(fallback.c_str(), 65534, 65534), 0);
  } else {
    ::chmod(fallback.c_str(), 0777);  // a folder of our own that others may use
  }
  LinuxInstanceGuard taken(folder_.Path().string() + "/no-run-user", folder_.Path());
  EXPECT_EQ(taken.Acquire("QuorbelU"), GuardResult::Failed);
  EXPECT_NE(taken.Trouble().find(fallback), std::string::npos) << taken.Trouble();
  EXPECT_FALSE(std::filesystem::exists(fallback + "/QuorbelU.lock"));
}

TEST(LinuxClockTest, SleepLastsAtLeastItsTimeOnTheTick) {
  LinuxClock clock;
  const std::uint32_t before = clock.TickMs();
  clock.Sleep(std::chrono::milliseconds(30));
  EXPECT_GE(static_cast<std::uint32_t>(clock.TickMs() - before), 30U);
}

}  // namespace
}  // namespace quorbel::testing
