#include "device/DevicePass.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "DeviceRig.h"

namespace quorbel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kStart = 0xBF;
constexpr int kPress = 0x12;
constexpr int kRelease = 0x13;
constexpr int kJog = 0x65;
constexpr int kShuttle = 0x66;

// Runs the passes of the device thread on the test's own thread, which is
// the GUI thread: its requests run at once.
class DevicePassTest : public ::testing::Test {
 protected:
  // One pass after the wait: the indicator check, then at most one message.
  void Pass() {
    pass.ExpireIndicator();
    pass.HandleNextMessage();
  }
  // Passes until fewer than a whole message is pending.
  void PassAll() {
    while (pass.Received().Pending() >= 3) Pass();
  }
  void JogSteps(int count) {
    for (int i = 0; i < count; ++i) {
      rig.Send({kStart, kJog, 0x40});
      Pass();
    }
  }
  int Plays(const std::string& prefix = "play") const {
    int plays = 0;
    for (const auto& entry : rig.actions.Log()) plays += entry.starts_with(prefix) ? 1 : 0;
    return plays;
  }
  int JogPlays() const { return Plays("play 126"); }
  void MainWindowInFront() { rig.desktop.SetForeground(kMainWindow); }

  DeviceRig rig;
  DevicePass pass{rig.context};
};

TEST_F(DevicePassTest, StrayBytesAreDroppedOnePerPassAndAMessageWaitsForItsThirdByte) {
  rig.Send({0x00, kStart, kPress});
  Pass();  // drops the 00
  EXPECT_THAT(rig.actions.Log(), IsEmpty());
  Pass();  // BF 12 alone is no message yet
  Pass();
  EXPECT_THAT(rig.actions.Log(), IsEmpty());
  EXPECT_EQ(pass.Received().Pending(), 2u);

  // The thread takes an incomplete message off the port before it waits, so
  // the port's descriptor does not stay readable; the bytes are still its own.
  EXPECT_FALSE(pass.Received().WholeMessagePending());
  EXPECT_EQ(rig.port.BytesPending(), 0u);
  rig.Send({0x05});
  EXPECT_TRUE(pass.Received().WholeMessagePending());
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1005", "play 5 in 2"));
}

TEST_F(DevicePassTest, AStrayByteIsDroppedOnlyWhileAWholeMessageIsPending) {
  rig.Send({0x00, kStart});
  Pass();
  EXPECT_EQ(pass.Received().Pending(), 2u);
  rig.Send({kPress, 0x07});
  PassAll();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1007", "play 7 in 2"));
}

TEST_F(DevicePassTest, ShuttlePositionsReplayTheirControlsAndAreKeptInShuttleStep) {
  const struct {
    int value;
    int position;
    int control;
  } cases[] = {{0x00, 0, 58}, {0x01, 1, 81}, {0x0D, 13, 93}, {0x7F, -1, 61}, {0x73, -13, 73}};
  for (const auto& c : cases) {
    rig.actions.Clear();
    rig.Send({kStart, kShuttle, c.value});
    Pass();
    EXPECT_THAT(rig.actions.Log(), ElementsAre("play " + std::to_string(c.control) + " in 2"))
        << "value " << c.value;
    EXPECT_EQ(rig.selection.ShuttleStep, c.position) << "value " << c.value;
  }
}

TEST_F(DevicePassTest, WithTheMainWindowInFrontTheShuttleSelectsWhatItWouldReplay) {
  MainWindowInFront();
  rig.Send({kStart, kShuttle, 0x03, kStart, kShuttle, 0x7F, kStart, kShuttle, 0x00});
  PassAll();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1094 at 3", "select 1074 at -1",
                                             "select 1058 at 0", "light shuttle lamps"));
}

TEST_F(DevicePassTest, BitSixOfAJogStepGivesItsHalfAndAHalfIsSelectedWhenItChanges) {
  rig.selection.SpeedRange = 0;
  rig.Send({kStart, kJog, 0x40});
  Pass();
  rig.Send({kStart, kJog, 0x7F});
  Pass();
  rig.Send({kStart, kJog, 0x3F});
  Pass();
  rig.Send({kStart, kJog, 0x01});
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126", "play 126 in 2", "play 126 in 2",
                                             "select 1127", "play 127 in 2", "play 127 in 2"));
}

TEST_F(DevicePassTest, TheJogDividerReplaysEverySpeedRangePlusOneSteps) {
  JogSteps(17);
  EXPECT_EQ(Plays(), 2);  // the 6th and the 12th
  JogSteps(1);
  EXPECT_EQ(Plays(), 3);

  rig.actions.Clear();
  rig.selection.SpeedRange = 0;
  JogSteps(4);
  EXPECT_EQ(Plays(), 4);
}

TEST_F(DevicePassTest, OnlyMessagesThatMayPlayAskAheadForWhatTheKeysNeed) {
  rig.Send({kStart, kPress, 0x05});
  rig.Send({kStart, kRelease, 0x05});
  rig.Send({kStart, kPress, 20});  // Shift only switches the layer
  PassAll();
  EXPECT_EQ(rig.actions.Prepared(), 1);

  // Of the jog steps, only the one that reaches the divider plays.
  JogSteps(5);
  EXPECT_EQ(rig.actions.Prepared(), 1);
  JogSteps(1);
  EXPECT_EQ(rig.actions.Prepared(), 2);
  EXPECT_EQ(JogPlays(), 1);

  rig.Send({kStart, kShuttle, 0x03});
  PassAll();
  EXPECT_EQ(rig.actions.Prepared(), 3);
}

TEST_F(DevicePassTest, MessagesOtherThanJogStepsStartTheCountAgain) {
  const std::vector<std::vector<int>> between = {
      {kStart, kRelease, 0x05},  // a release
      {kStart, kShuttle, 0x00},  // a shuttle move (which replays "Stop" itself)
      {kStart, 0x10, 0x05},      // a kind the program does not use
      {kStart, kPress, 0x85},    // a press of no control
      {kStart, kPress, 0x05},    // a replayed press
  };
  for (const auto& message : between) {
    pass.Reset();
    rig.actions.Clear();
    JogSteps(3);
    for (int b : message) rig.Send({b});
    Pass();
    JogSteps(5);
    EXPECT_EQ(JogPlays(), 0) << "after kind " << message[1] << " value " << message[2];
    JogSteps(1);
    EXPECT_EQ(JogPlays(), 1) << "after kind " << message[1] << " value " << message[2];
  }
}

TEST_F(DevicePassTest, ShiftAndPressesWithTheMainWindowInFrontKeepTheJogCount) {
  JogSteps(3);
  rig.Send({kStart, kPress, 20});
  Pass();
  MainWindowInFront();
  rig.Send({kStart, kPress, 7});
  Pass();
  rig.desktop.SetForeground(kOtherWindow);
  JogSteps(3);
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126", "select 1020", "select 1007",
                                             "select 1126", "play 126 in 2"));
}

TEST_F(DevicePassTest, EveryOtherJogReplayDropsWhatQueuedUpMeanwhile) {
  rig.selection.SpeedRange = 0;
  rig.Send({kStart, kJog, 0x40, kStart, kJog, 0x40, kStart, kJog, 0x40});
  Pass();  // first replay: the two queued steps are dropped
  EXPECT_EQ(pass.Received().Pending(), 0u);
  rig.Send({kStart, kJog, 0x40, kStart, kJog, 0x40, kStart, kJog, 0x40});
  Pass();  // second replay keeps the queue
  EXPECT_EQ(pass.Received().Pending(), 6u);
  Pass();  // third drops again
  EXPECT_EQ(pass.Received().Pending(), 0u);
  EXPECT_EQ(Plays(), 3);
}

TEST_F(DevicePassTest, WithTheMainWindowInFrontJogStepsOnlySelectAndDropTheBacklog) {
  MainWindowInFront();
  rig.selection.SpeedRange = 0;
  rig.Send({kStart, kJog, 0x40, kStart, kJog, 0x40, kStart, kPress, 0x05});
  Pass();
  EXPECT_EQ(pass.Received().Pending(), 0u);
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126"));
}

TEST_F(DevicePassTest, PressesReachTheMainWindowButReplayOnlyWithAnotherProgramInFront) {
  rig.Send({kStart, kPress, 20});  // Shift switches the layer and is never replayed
  Pass();
  MainWindowInFront();
  rig.Send({kStart, kPress, 5});
  Pass();
  rig.desktop.SetForeground(3);  // any other window, this program's own others included
  rig.Send({kStart, kPress, 5});
  Pass();
  EXPECT_THAT(rig.actions.Log(),
              ElementsAre("select 1020", "select 1005", "select 1005", "play 5 in 3"));
}

TEST_F(DevicePassTest, PressesAndReleasesClearTheShuttleStep) {
  for (int kind : {kPress, kRelease}) {
    rig.selection.ShuttleStep = 4;
    rig.Send({kStart, kind, 0x05});
    Pass();
    EXPECT_EQ(rig.selection.ShuttleStep, 0) << "kind " << kind;
  }
}

TEST_F(DevicePassTest, CaptureModeAddsTheCursorInTheTargetsClientAreaInsteadOfReplaying) {
  rig.actions.SetCaptureMode(true);
  rig.desktop.SetClientOrigin(kOtherWindow, {200, 100});
  rig.desktop.SetCursor({320, 145});
  rig.Send({kStart, kPress, 5});
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1005", "capture 5 at 120,45 after restoring"));
  EXPECT_THAT(rig.desktop.Restored(), ElementsAre(kMainWindow));

  // Shift and the main window in front capture nothing either.
  rig.actions.Clear();
  rig.Send({kStart, kPress, 20});
  Pass();
  MainWindowInFront();
  rig.Send({kStart, kPress, 5});
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1020", "select 1005"));
}

TEST_F(DevicePassTest, TheJogIndicatorGoesDarkMoreThan100MsAfterTheLastWheelMessage) {
  EXPECT_EQ(pass.IndicatorTimeLeft(), std::nullopt);
  rig.clock.Set(5000);
  JogSteps(1);
  EXPECT_EQ(pass.IndicatorTimeLeft(), std::chrono::milliseconds(101));
  rig.clock.Advance(60);
  rig.Send({kStart, kShuttle, 0x01});  // a shuttle move counts as wheel time too
  Pass();
  rig.clock.Advance(100);
  Pass();
  EXPECT_FALSE(rig.actions.Logged("reset wheels"));
  EXPECT_EQ(pass.IndicatorTimeLeft(), std::chrono::milliseconds(1));
  rig.clock.Advance(1);
  Pass();
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126", "play 81 in 2", "reset wheels"));
  EXPECT_EQ(pass.IndicatorTimeLeft(), std::nullopt);
}

TEST_F(DevicePassTest, APressOrReleaseClearsTheJogIndicatorWithoutResettingThePictures) {
  for (int kind : {kPress, kRelease}) {
    rig.actions.Clear();
    JogSteps(1);
    rig.Send({kStart, kind, 0x05});
    Pass();
    rig.clock.Advance(500);
    Pass();
    JogSteps(1);  // selected anew, as nothing is lit any more
    EXPECT_FALSE(rig.actions.Logged("reset wheels")) << "kind " << kind;
    EXPECT_EQ(rig.actions.Log().back(), "select 1126") << "kind " << kind;
  }
}

TEST_F(DevicePassTest, TheIndicatorExpiresAcrossTheWrapOfTheTick) {
  rig.clock.Set(0xFFFFFFF0u);
  JogSteps(1);
  rig.clock.Advance(50);  // the tick wraps to 34
  Pass();
  EXPECT_FALSE(rig.actions.Logged("reset wheels"));
  rig.clock.Advance(51);
  Pass();
  EXPECT_TRUE(rig.actions.Logged("reset wheels"));
}

TEST_F(DevicePassTest, ResetForgetsTheLitIndicatorTheJogCountAndACarriedPartialMessage) {
  rig.selection.SpeedRange = 1;
  JogSteps(1);
  rig.Send({kStart, kPress});
  EXPECT_FALSE(pass.Received().WholeMessagePending());
  pass.Reset();
  rig.Send({kStart, kJog, 0x40});
  Pass();
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1126", "select 1126"));
}

}  // namespace
}  // namespace quorbel::testing
