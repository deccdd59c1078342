#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/integration/device/LinkRig.h"

namespace quorbel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// The surface's messages through the real port and the real device thread,
// with another program in front unless a test brings the main window forward.
class MessagesTest : public ::testing::Test {
 protected:
  MessagesTest() {
    rig.link.serial.OpenAtStartup();
    EXPECT_TRUE(rig.Await([this] { return rig.waiter.BlockedOnPortOnly(); }));
    rig.actions.Clear();
  }

  std::vector<std::string> Plays() const { return rig.actions.Entries("play "); }
  int PlayCount() const { return static_cast<int>(Plays().size()); }

  // Turns the jog wheel one step at a time; how many replays there have been
  // after each step.
  std::vector<int> PlaysAfterEachJogStep(int steps) {
    std::vector<int> plays;
    for (int step = 0; step < steps; ++step) {
      rig.SurfaceSends("jog left");
      plays.push_back(PlayCount());
    }
    return plays;
  }

  LinkRig rig{5};
};

TEST_F(MessagesTest, GarbageIsDroppedAndAHalfMessageWaitsQuietlyForItsThirdByte) {
  rig.SurfaceSends("raw 00 7F BF 12 05");
  // The keys leave without waiting for the panel, which follows in its own time.
  EXPECT_THAT(rig.actions.Log(), UnorderedElementsAre("play 5 in 2", "select 1005"));

  rig.actions.Clear();
  rig.SurfaceSends("raw BF 12");
  EXPECT_THAT(rig.actions.Log(), IsEmpty());
  // Taken off the port, so the thread sleeps on it without a time-out.
  EXPECT_TRUE(rig.waiter.BlockedOnPortOnly());
  EXPECT_EQ(rig.port.BytesPending(), 0U);

  rig.SurfaceSends("raw 09");
  EXPECT_THAT(rig.actions.Log(), UnorderedElementsAre("play 9 in 2", "select 1009"));
}

TEST_F(MessagesTest, EverySixthJogStepReplaysWithSpeedRange5) {
  EXPECT_THAT(PlaysAfterEachJogStep(18),
              ElementsAre(0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3));
  EXPECT_THAT(Plays(), ElementsAre("play 126 in 2", "play 126 in 2", "play 126 in 2"));
  // The jog half was selected on the panel, and put back once the wheel
  // stood still.
  EXPECT_EQ(rig.actions.Log().front(), "select 1126");
  EXPECT_TRUE(rig.Await([this] { return rig.actions.Count("reset wheels") > 0; }));
}

TEST_F(MessagesTest, AReleaseOrAShuttleMoveStartsTheJogCountAgainButShiftDoesNot) {
  PlaysAfterEachJogStep(3);
  rig.SurfaceSends("release 9");
  EXPECT_THAT(PlaysAfterEachJogStep(6), ElementsAre(0, 0, 0, 0, 0, 1));

  PlaysAfterEachJogStep(3);
  rig.SurfaceSends("shuttle 0");
  EXPECT_THAT(PlaysAfterEachJogStep(6), ElementsAre(2, 2, 2, 2, 2, 3));

  rig.actions.Clear();
  PlaysAfterEachJogStep(3);
  rig.SurfaceSends("press 20");
  EXPECT_THAT(PlaysAfterEachJogStep(3), ElementsAre(0, 0, 1));
  EXPECT_EQ(rig.actions.Count("select 1020"), 1);

  // A press with the main window in front only selects, and keeps the count.
  rig.actions.Clear();
  PlaysAfterEachJogStep(3);
  rig.desktop.SetForeground(kMainWindow);
  rig.SurfaceSends("press 7");
  rig.desktop.SetForeground(kOtherWindow);
  EXPECT_THAT(PlaysAfterEachJogStep(3), ElementsAre(0, 0, 1));
  EXPECT_EQ(rig.actions.Count("select 1007"), 1);
}

TEST_F(MessagesTest, WithSpeedRange0EveryJogStepReplaysWhicheverBitsBesideTheDirection) {
  rig.selection.SpeedRange = 0;
  for (const char* step : {"raw BF 65 40", "raw BF 65 7F", "raw BF 65 3F", "raw BF 65 01"}) {
    rig.SurfaceSends(step);
  }
  EXPECT_THAT(Plays(),
              ElementsAre("play 126 in 2", "play 126 in 2", "play 127 in 2", "play 127 in 2"));
}

TEST_F(MessagesTest, ShuttlePositionsReplayTheirControlsOrLetTheMainWindowSelectThem) {
  for (const char* position : {"0", "1", "13", "-1", "-13", "48"}) {
    rig.SurfaceSends(std::string("shuttle ") + position);
  }
  // Forward 48 would index past the controls: dropped.
  EXPECT_THAT(Plays(), ElementsAre("play 58 in 2", "play 81 in 2", "play 93 in 2", "play 61 in 2",
                                   "play 73 in 2"));

  rig.actions.Clear();
  rig.desktop.SetForeground(kMainWindow);
  for (const char* position : {"3", "0", "-2"}) {
    rig.SurfaceSends(std::string("shuttle ") + position);
  }
  EXPECT_THAT(rig.actions.Log(), ElementsAre("select 1094 at 3", "select 1058 at 0",
                                             "light shuttle lamps", "select 1074 at -2"));
}

}  // namespace
}  // namespace quorbel::testing
