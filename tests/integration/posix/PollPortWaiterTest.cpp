#include "platform/linux/posix/PollPortWaiter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace quorbel {
namespace {

using namespace std::chrono_literals;

// A raw pseudo-terminal: the test writes into the master as the surface
// would; the waiter watches the slave as it watches the serial port.
class Pty {
 public:
  Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master_, 0);
    EXPECT_EQ(::grantpt(master_), 0);
    EXPECT_EQ(::unlockpt(master_), 0);
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(slave_, 0);
    termios settings{};
    ::tcgetattr(slave_, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(slave_, TCSANOW, &settings);
  }
  ~Pty() {
    ::close(slave_);
    CloseMaster();
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  void SurfaceSends(unsigned char byte) { ASSERT_EQ(::write(master_, &byte, 1), 1); }
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  int Pending() const {
    int pending = 0;
    return ::ioctl(slave_, FIONREAD, &pending) == 0 ? pending : 0;
  }
  int Port() const { return slave_; }

 private:
  int master_ = -1;
  int slave_ = -1;
};

TEST(PollPortWaiter, ABytePutOnTheLineEndsTheWait) {
  Pty pty;
  PollPortWaiter waiter;
  std::thread surface([&] { pty.SurfaceSends(0xBF); });
  EXPECT_EQ(waiter.Wait(pty.Port(), std::nullopt), PortWait::Readable);
  surface.join();
  EXPECT_EQ(pty.Pending(), 1);
}

TEST(PollPortWaiter, ASilentLineTimesOutNoEarlierThanAsked) {
  Pty pty;
  PollPortWaiter waiter;
  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(waiter.Wait(pty.Port(), 30ms), PortWait::TimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - before, 30ms);
}

TEST(PollPortWaiter, AWakeEndsTheWaitOnceWhetherItCameBeforeOrDuring) {
  Pty pty;
  PollPortWaiter waiter;
  waiter.Wake();
  waiter.Wake();
  EXPECT_EQ(waiter.Wait(pty.Port(), std::nullopt), PortWait::Woken);
  EXPECT_EQ(waiter.Wait(pty.Port(), 0ms), PortWait::TimedOut);  // both wakes were taken

  std::thread other([&] { waiter.Wake(); });
  EXPECT_EQ(waiter.Wait(-1, std::nullopt), PortWait::Woken);
  other.join();
}

TEST(PollPortWaiter, AClosedLineIsSeenAsGoneWithNothingToRead) {
  Pty pty;
  PollPortWaiter waiter;
  pty.CloseMaster();
  // A terminal may report its hang-up as readable too; then nothing is pending.
  const PortWait result = waiter.Wait(pty.Port(), 1s);
  EXPECT_TRUE(result == PortWait::HungUp || (result == PortWait::Readable && pty.Pending() == 0))
      << static_cast<int>(result);
}

TEST(PollPortWaiter, WithoutADescriptorOnlyTheTimeOutOrAWakeEndTheWait) {
  PollPortWaiter waiter;
  EXPECT_EQ(waiter.Wait(-1, 1ms), PortWait::TimedOut);
}

}  // namespace
}  // namespace quorbel
