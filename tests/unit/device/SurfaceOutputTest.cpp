#include <gtest/gtest.h>

#include "tests/unit/device/LinkFixture.h"

namespace quorbel {
namespace {

class SurfaceOutputTest : public LinkTest {
 protected:
  SurfaceOutputTest() {
    memory.AddPort(1);
    port.Open(1, 38400);
  }
};

TEST_F(SurfaceOutputTest, GreetingIsOnePositionThenOneMessagePerCharacterAfterAPause) {
  link.output.WriteGreeting();
  EXPECT_EQ(Writes(), DisplayWrites("Brenlow Electronics Quorbel Series", 2));
  EXPECT_EQ(Writes().front(), "BF 14 02");
  EXPECT_EQ(toolkit.Delays(), std::vector<float>{0.0625F});
}

TEST_F(SurfaceOutputTest, EmptyTextOrClosedPortSendsNothingAndDoesNotWait) {
  link.output.WriteDisplay("", 5);
  port.Close();
  link.output.WriteDisplay("x", 5);
  link.output.WriteLayerLine();
  link.output.InitialiseSurface();
  EXPECT_TRUE(memory.SurfaceReceived().empty());
  EXPECT_TRUE(toolkit.Delays().empty());
}

TEST_F(SurfaceOutputTest, LayerLineShowsTheLayerCountedFromOneAndSetsTheShiftLamp) {
  link.output.WriteLayerLine();
  EXPECT_EQ(Writes(), Join({DisplayWrites("Current Keyset Layer 1", 72), {"BF 13 14"}}));

  journal.entries.clear();
  keysets.Lock()->PickLayer(1);
  link.output.WriteLayerLine();
  EXPECT_EQ(Writes(), Join({DisplayWrites("Current Keyset Layer 2", 72), {"BF 12 14"}}));
}

TEST_F(SurfaceOutputTest, TextWrittenDuringThePauseNeitherDisplacesNorOutdatesTheWaitingText) {
  // A Shift press served while the first text waits toggles the layer and
  // writes the layer line at once.
  int pauses = 0;
  auto shiftPressDuringFirstPause = [&] {
    pauses = 0;
    toolkit.SetDelayHook([&](float) {
      if (++pauses > 1) return;
      keysets.Lock()->PickLayer(1);
      link.output.WriteLayerLine();
    });
  };
  const auto shiftLine = Join({DisplayWrites("Current Keyset Layer 2", 72), {"BF 12 14"}});

  shiftPressDuringFirstPause();
  link.output.WriteLayerLine();
  EXPECT_EQ(Writes(), Join({{"BF 14 48"}, shiftLine, shiftLine}));

  journal.entries.clear();
  shiftPressDuringFirstPause();
  link.output.WriteGreeting();
  EXPECT_EQ(
      Writes(),
      Join({{"BF 14 02"}, shiftLine, DisplayWrites("Brenlow Electronics Quorbel Series", 2)}));
}

TEST_F(SurfaceOutputTest, LampsAreOneMessageEach) {
  link.output.Lamp(true, 59);
  link.output.Lamp(false, 127);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"BF 12 3B", "BF 13 7F"}));
}

TEST_F(SurfaceOutputTest, InitialisationHoldsTheThreadForTheConfigurationOnlyAndPutsMarksBack) {
  settings = {1, 19200};
  runner.Start();
  journal.entries.clear();
  link.output.InitialiseSurface();

  const auto expected = InitialisationWrites();
  auto sent = Sent();
  ASSERT_EQ(sent.size(), expected.size() + 2);
  EXPECT_EQ(sent[0], "hold");
  EXPECT_EQ(sent[1], expected[0]);
  EXPECT_EQ(sent[2], "letgo");
  EXPECT_EQ(Writes(), expected);
  EXPECT_TRUE(toolkit.MenuChecked("main", 1641));
  EXPECT_TRUE(toolkit.MenuChecked("main", 1674));
}

TEST_F(SurfaceOutputTest, WritesToAVanishedSurfaceAreDroppedQuietly) {
  memory.SurfaceHangUp();
  link.output.WriteGreeting();
  link.output.Lamp(true, 3);
  EXPECT_TRUE(Writes().empty());
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

}  // namespace
}  // namespace quorbel
