#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/integration/device/ExpectedMessages.h"
#include "tests/integration/device/LinkRig.h"

namespace quorbel::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kPort = 6;
// No surface and no built-in serial device stands behind this number.
constexpr int kMissingPort = 31;

// Opening, stopping, changing and losing the port while the real device
// thread runs on it.
class LifecycleTest : public ::testing::Test {
 protected:
  LifecycleTest() {
    rig.link.serial.OpenAtStartup();
    EXPECT_TRUE(rig.Await([this] { return rig.waiter.BlockedOnPortOnly(); }));
    rig.actions.Clear();
  }

  // A press on the surface reaches playback.
  bool PressIsPlayed(int control) {
    rig.surface->Command("press " + std::to_string(control));
    return rig.Await(
        [&] { return rig.actions.Count("play " + std::to_string(control) + " in 2") == 1; });
  }

  LinkRig rig{kPort};
};

TEST_F(LifecycleTest, StoppingDrainsWhatTheSurfaceSentWhileTheThreadWasHeld) {
  rig.thread.Hold();
  rig.surface->Command("jog left 5");
  ASSERT_TRUE(rig.Await([this] { return rig.port.BytesPending() >= 15; }));

  rig.link.serial.StopLink();
  EXPECT_GE(rig.clock.SleepsOf(200ms), 1);
  EXPECT_FALSE(rig.thread.Running());
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_THAT(rig.actions.Log(), IsEmpty());
}

TEST_F(LifecycleTest, StoppingEndsWhileTheSurfaceNeverFallsSilent) {
  std::atomic<bool> turning{true};
  std::thread wheel([&] {
    while (turning) {
      rig.surface->Command("jog right");
      std::this_thread::sleep_for(5ms);
    }
  });
  ASSERT_TRUE(rig.Await([this] { return rig.actions.Count("select 1127") > 0; }));
  // Returns while the wheel still turns, with the thread ended and the port closed.
  rig.link.serial.StopLink();
  EXPECT_FALSE(rig.thread.Running());
  EXPECT_FALSE(rig.port.IsOpen());
  turning = false;
  wheel.join();
}

TEST_F(LifecycleTest, AChoiceOfAMissingPortFailsAndTheWayBackOpensTheSurfaceAgain) {
  rig.link.portMenu.PutPortMenuMarks();
  rig.link.serial.ChoosePort(kMissingPort);
  ASSERT_EQ(rig.toolkit.MessageBoxes().size(), 1U);
  EXPECT_EQ(rig.toolkit.MessageBoxes()[0].text, "Failure to start communications on Com 31");
  EXPECT_EQ(rig.toolkit.MessageBoxes()[0].title, "QuorbelU");
  EXPECT_FALSE(rig.thread.Running());
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_FALSE(rig.AnyPortMarkChecked());
  EXPECT_EQ(rig.windows.DialogActive, 0);

  const std::size_t from = rig.Settle();
  rig.link.portMenu.PutPortMenuMarks();
  rig.link.serial.ChoosePort(kPort);
  EXPECT_TRUE(rig.thread.Running());
  // The surface answered before, so it is greeted but not initialised again.
  EXPECT_EQ(rig.ReceivedSince(from), Join({{kIdentityRequest}, GreetingMessages()}));
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  EXPECT_EQ(rig.toolkit.MessageBoxes().size(), 1U);
  EXPECT_TRUE(PressIsPlayed(7));
}

TEST_F(LifecycleTest, AnUnpluggedSurfaceStopsTheThreadWithoutSpinningAndComesBackAtATick) {
  ASSERT_TRUE(PressIsPlayed(5));
  ASSERT_GE(rig.surface->CommandAndWait("unplug", "unplugged"), 0);

  // The thread sees the hang-up and then sleeps on nothing but its wake-up.
  ASSERT_TRUE(rig.Await([this] { return rig.thread.HungUp() && rig.waiter.BlockedOnWakeOnly(); }));
  const WaitCounts atHangUp = rig.waiter.Counts();
  rig.ServeFor(200ms);
  EXPECT_EQ(rig.waiter.Counts().waits, atHangUp.waits);
  EXPECT_TRUE(rig.thread.Running());

  rig.link.status.StatusTick();
  EXPECT_EQ(rig.Caption(), "Quorbel Not Active");
  EXPECT_FALSE(rig.thread.Running());
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_FALSE(rig.AnyPortMarkChecked());

  // Still unplugged: tried quietly at the next tick.
  rig.link.status.StatusTick();
  EXPECT_FALSE(rig.port.IsOpen());
  EXPECT_THAT(rig.toolkit.MessageBoxes(), IsEmpty());

  ASSERT_GE(rig.surface->CommandAndWait("plug", "ready "), 0);
  const std::size_t from = rig.Settle();
  rig.link.status.StatusTick();
  ASSERT_TRUE(rig.thread.Running());
  // Opened as after a choice of port; the surface answers anew, so it is
  // initialised, then greeted.
  EXPECT_EQ(rig.ReceivedSince(from),
            Join({{kIdentityRequest}, InitialisationMessages(0), GreetingMessages()}));
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  EXPECT_TRUE(rig.toolkit.MenuChecked("main", 1640 + kPort));
  EXPECT_TRUE(PressIsPlayed(6));
  RecordProperty(
      "device_thread_cpu_us",
      static_cast<int>(
          std::chrono::duration_cast<std::chrono::microseconds>(rig.waiter.ThreadCpu()).count()));
}

TEST_F(LifecycleTest, ASurfacePluggedBackBeforeTheTickIsOpenedAgainByThatTick) {
  ASSERT_GE(rig.surface->CommandAndWait("unplug", "unplugged"), 0);
  ASSERT_TRUE(rig.Await([this] { return rig.thread.HungUp(); }));
  ASSERT_GE(rig.surface->CommandAndWait("plug", "ready "), 0);

  rig.link.status.StatusTick();
  EXPECT_TRUE(rig.thread.Running());
  EXPECT_TRUE(rig.port.IsOpen());
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  EXPECT_TRUE(PressIsPlayed(8));
}

}  // namespace
}  // namespace quorbel::testing
