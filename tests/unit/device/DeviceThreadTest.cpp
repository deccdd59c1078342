#include "device/DeviceThread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>

#include "DeviceRig.h"
#include "platform/memory/MemoryPortWaiter.h"

namespace quorbel::testing {
namespace {

using ::testing::ElementsAre;

constexpr int kStart = 0xBF;
constexpr int kPress = 0x12;
constexpr int kJog = 0x65;

// The real thread on the in-memory port; the test is the GUI thread and
// serves the thread's requests while it waits for what it expects.
class DeviceThreadTest : public ::testing::Test {
 protected:
  DeviceThreadTest() {
    waiter.SetOnBlocked([this] { rig.ui.Wake(); });
  }
  ~DeviceThreadTest() override { thread.Stop(); }

  void ServeUntil(const std::function<bool()>& done) { rig.ui.ServeUntil(done); }
  // Serves until the thread sits in a wait with no time-out.
  void ServeUntilIdle() {
    ServeUntil([this] { return waiter.Blocked(); });
  }

  DeviceRig rig;
  MemoryPortWaiter waiter{rig.clock};
  DeviceThread thread{rig.context, waiter};
};

TEST_F(DeviceThreadTest, APressIsReplayedAtOnceAndASilentSurfaceCostsNoWakeUps) {
  thread.Start();
  ServeUntilIdle();
  EXPECT_EQ(waiter.Waits(), 1);

  rig.Send({kStart, kPress, 5});
  ServeUntil([this] { return rig.actions.Logged("play 5 in 2"); });
  ServeUntilIdle();
  // One wait that the press ended, one that has begun since: no time-outs,
  // no passes in between.
  EXPECT_EQ(waiter.Waits(), 2);
  EXPECT_EQ(waiter.TimedOut(), 0);
  EXPECT_EQ(rig.clock.TickMs(), 0u);
}

TEST_F(DeviceThreadTest, TheLitJogIndicatorIsDarkenedByTheTimeOutOfTheWait) {
  thread.Start();
  rig.Send({kStart, kJog, 0x40});
  ServeUntil([this] { return rig.actions.Logged("reset wheels") && waiter.Blocked(); });
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126", "reset wheels"));
  EXPECT_EQ(waiter.TimedOut(), 1);
  EXPECT_EQ(rig.clock.TickMs(), 101u);
}

TEST_F(DeviceThreadTest, AnIncompleteMessageDoesNotKeepTheThreadAwake) {
  thread.Start();
  rig.Send({kStart, kPress});
  // Blocked with the port empty: the two bytes were taken off it first.
  ServeUntil([this] { return waiter.Blocked() && rig.port.BytesPending() == 0; });
  EXPECT_LE(waiter.Waits(), 2);
  rig.Send({0x09});
  ServeUntil([this] { return rig.actions.Logged("play 9 in 2"); });
}

TEST_F(DeviceThreadTest, AfterAHangUpTheThreadHandlesWhatCameBeforeAndThenOnlyWaitsToBeStopped) {
  rig.Send({kStart, kPress, 5});
  rig.port.SurfaceHangUp();
  thread.Start();
  ServeUntil([this] { return thread.HungUp() && waiter.Blocked(); });
  EXPECT_EQ(waiter.BlockedHandle(), kNoPortHandle);
  EXPECT_TRUE(rig.actions.Logged("play 5 in 2"));
  EXPECT_TRUE(thread.Running());
  thread.Stop();
  EXPECT_FALSE(thread.Running());

  // The port is back: a new thread reads it again.
  rig.port.Close();
  ASSERT_TRUE(rig.port.Open(1, 38400));
  thread.Start();
  EXPECT_FALSE(thread.HungUp());
  rig.Send({kStart, kPress, 6});
  ServeUntil([this] { return rig.actions.Logged("play 6 in 2"); });
}

TEST_F(DeviceThreadTest, StopWhileTheThreadWaitsOnTheGuiThreadServesItAndEnds) {
  // With the main window in front a press only selects, waiting for it.
  rig.desktop.SetForeground(kMainWindow);
  thread.Start();
  rig.Send({kStart, kPress, 5});
  rig.ui.AwaitAsked(1);  // the thread now waits for "select 1005" to run here
  thread.Stop();
  EXPECT_FALSE(thread.Running());
  EXPECT_EQ(rig.actions.Log().front(), "select 1005");
}

TEST_F(DeviceThreadTest, HoldWhileTheThreadWaitsOnTheGuiThreadKeepsItOffThePortUntilLetGo) {
  thread.Start();
  rig.Send({kStart, kPress, 5});
  rig.ui.AwaitAsked(1);
  // The thread waits for "select 1005" to run here and touches no port
  // meanwhile, so the hold has nothing to wait for.
  thread.Hold();
  rig.Send({kStart, kPress, 6});
  ServeUntil([this] { return rig.actions.Logged("play 5 in 2"); });

  // Held, the thread leaves the port to the GUI thread, as the presence probe needs.
  std::uint8_t answer[4] = {};
  EXPECT_EQ(rig.port.Read(answer, sizeof answer), 3u);
  thread.Hold();  // a second hold while held returns at once

  thread.LetGo();
  rig.Send({kStart, kPress, 7});
  ServeUntil([this] { return rig.actions.Logged("play 7 in 2"); });
  EXPECT_FALSE(rig.actions.Logged("play 6 in 2"));
}

// The main window runs pending events inside some of the thread's requests,
// the status timer's presence probe among them.
TEST_F(DeviceThreadTest, AHoldFromInsideOneOfTheThreadsOwnRequestsReturns) {
  std::size_t replyBytes = 0;
  bool probed = false;
  bool letGo = false;
  rig.actions.SetOnSelect([&] {
    if (probed) return;
    probed = true;
    thread.Hold();
    rig.Send({0xF0, 0x7D, 0x25, 0x03});
    std::uint8_t reply[8] = {};
    replyBytes = rig.port.Read(reply, sizeof reply);
    thread.LetGo();
    letGo = true;
  });
  thread.Start();
  rig.Send({kStart, kPress, 5});
  // The keys leave before the panel shows the press: wait for both.
  ServeUntil([&] { return rig.actions.Logged("play 5 in 2") && letGo; });
  EXPECT_EQ(replyBytes, 4u);
}

TEST_F(DeviceThreadTest, AHoldWhileASequencePlaysNeitherWaitsForItNorLosesTheReplyToTheJogBacklog) {
  rig.selection.SpeedRange = 0;
  rig.actions.PlayUntilInterrupted();
  thread.Start();
  rig.Send({kStart, kJog, 0x40});
  ServeUntil([this] { return rig.actions.Logged("play 126 in 2"); });
  thread.Hold();
  rig.Send({0xF0, 0x7D, 0x25});
  // The first jog replay drops what queued up meanwhile, but not while held.
  rig.actions.Interrupt();
  std::uint8_t reply[4] = {};
  EXPECT_EQ(rig.port.Read(reply, sizeof reply), 3u);
  thread.LetGo();
  // Let go, the thread drops the (now empty) backlog and goes back to waiting.
  ServeUntil([this] { return rig.actions.Logged("reset wheels") && waiter.Blocked(); });
  rig.Send({kStart, kPress, 7});
  ServeUntil([this] { return rig.actions.Logged("play 7 in 2"); });
}

// What the presence probe read while it held the thread and gave back comes
// after the part of a message the thread had already taken, before anything newer.
TEST_F(DeviceThreadTest, BytesGivenBackDuringAHoldAreHandledInTheirPlace) {
  thread.Start();
  rig.Send({kStart, kPress});
  ServeUntil([this] { return waiter.Blocked() && rig.port.BytesPending() == 0; });
  thread.Hold();
  rig.Send({5, kStart, kPress, 6});
  std::uint8_t read[4] = {};
  ASSERT_EQ(rig.port.Read(read, sizeof read), 4u);
  thread.GiveBack(read);
  thread.LetGo();
  rig.Send({kStart, kPress, 7});
  ServeUntil([this] { return rig.actions.Logged("play 7 in 2"); });
  // The panel's selects are posted and may come later; the plays are in order.
  std::vector<std::string> plays;
  for (const std::string& entry : rig.actions.Log())
    if (entry.starts_with("play ")) plays.push_back(entry);
  EXPECT_THAT(plays, ElementsAre("play 5 in 2", "play 6 in 2", "play 7 in 2"));
}

TEST_F(DeviceThreadTest, StopEndsAHeldThread) {
  thread.Start();
  thread.Hold();
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

TEST_F(DeviceThreadTest, StopCutsAPlayingSequenceShortThroughTheStopHook) {
  rig.actions.PlayUntilInterrupted();
  thread.SetStopHook([this] { rig.actions.Interrupt(); });
  thread.Start();
  rig.Send({kStart, kPress, 5});
  ServeUntil([this] { return rig.actions.Logged("play 5 in 2"); });
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

TEST_F(DeviceThreadTest, ARestartedThreadCountsJogStepsFromZero) {
  rig.selection.SpeedRange = 1;
  thread.Start();
  rig.Send({kStart, kJog, 0x40});
  ServeUntil([this] { return rig.actions.Logged("reset wheels") && waiter.Blocked(); });
  thread.Stop();
  thread.Start();
  rig.Send({kStart, kJog, 0x40});
  ServeUntil([this] { return rig.actions.Log().size() == 4 && waiter.Blocked(); });
  EXPECT_THAT(rig.actions.Log(),
              ElementsAre("select 1126", "reset wheels", "select 1126", "reset wheels"));
}

TEST_F(DeviceThreadTest, StopAndHoldDoNothingWithoutAThread) {
  thread.Hold();
  thread.LetGo();
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

TEST(DeviceThreadFixedBeat, SleepsTwoMillisecondsBeforeEveryPass) {
  DeviceRig rig;
  MemoryPortWaiter waiter{rig.clock};
  DeviceThread thread{rig.context, waiter, PassWait::FixedBeat};
  thread.Start();
  rig.Send({kStart, kPress, 5});
  rig.ui.ServeUntil([&] { return rig.actions.Logged("play 5 in 2"); });
  thread.Stop();
  EXPECT_GE(rig.clock.SleptMs(), 2);
  EXPECT_EQ(rig.clock.SleptMs() % 2, 0);
  EXPECT_EQ(waiter.Waits(), 0);
}

}  // namespace
}  // namespace quorbel::testing
