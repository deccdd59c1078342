#include <gtest/gtest.h>

#include <array>

#include "tests/integration/device/LinkRig.h"

namespace quorbel::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kPort = 7;

// A surface unplugged while its messages still wait unread on the line: they
// can no longer be read, and must not keep the thread or the drain busy.
class HangUpTest : public ::testing::Test {
 protected:
  HangUpTest() {
    rig.link.serial.OpenAtStartup();
    EXPECT_TRUE(rig.Await([this] { return rig.waiter.BlockedOnPortOnly(); }));
  }

  // The surface sends five jog steps that stay unread, then is unplugged.
  void UnplugWithStepsQueued() {
    rig.surface->Command("jog left 5");
    ASSERT_TRUE(rig.Await([this] { return rig.port.BytesPending() >= 15; }));
    ASSERT_GE(rig.surface->CommandAndWait("unplug", "unplugged"), 0);
  }

  LinkRig rig{kPort};
};

TEST_F(HangUpTest, APortWhoseLineWentAwayReadsNothingAndHasNothingPending) {
  rig.thread.Hold();
  UnplugWithStepsQueued();
  std::array<std::uint8_t, 3> bytes{};
  EXPECT_EQ(rig.port.Read(bytes.data(), bytes.size()), 0U);
  EXPECT_EQ(rig.port.BytesPending(), 0U);
  rig.thread.LetGo();
}

TEST_F(HangUpTest, TheThreadNoticesTheHangUpAndSleepsInsteadOfSpinning) {
  rig.thread.Hold();
  UnplugWithStepsQueued();
  rig.thread.LetGo();
  ASSERT_TRUE(rig.Await([this] { return rig.thread.HungUp() && rig.waiter.BlockedOnWakeOnly(); }));
  EXPECT_LE(rig.waiter.Counts().waits, 4);

  // The status tick drops the port at once: nothing left to drain.
  const int drainPauses = rig.clock.SleepsOf(200ms);
  rig.link.status.StatusTick();
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_EQ(rig.clock.SleepsOf(200ms), drainPauses);
  EXPECT_EQ(rig.Caption(), "Quorbel Not Active");
}

}  // namespace
}  // namespace quorbel::testing

namespace quorbel::testing {
namespace {

// Port 1 is also the machine's first built-in serial port when no link names it.
TEST(HangUpOfTheFirstPort, WhileTheSurfaceIsAwayNoOtherDeviceIsOpenedInItsPlace) {
  LinkRig rig{1};
  rig.link.serial.OpenAtStartup();
  ASSERT_GE(rig.surface->CommandAndWait("unplug", "unplugged"), 0);
  ASSERT_TRUE(rig.Await([&] { return rig.thread.HungUp(); }));
  rig.link.status.StatusTick();
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_FALSE(rig.thread.Running());
  EXPECT_EQ(rig.Caption(), "Quorbel Not Active");

  ASSERT_GE(rig.surface->CommandAndWait("plug", "ready "), 0);
  rig.link.status.StatusTick();
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  rig.surface->Command("press 3");
  EXPECT_TRUE(rig.Await([&] { return rig.actions.Count("play 3 in 2") == 1; }));
}

}  // namespace
}  // namespace quorbel::testing
