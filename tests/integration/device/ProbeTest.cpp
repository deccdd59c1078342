#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/integration/device/ExpectedMessages.h"
#include "tests/integration/device/LinkRig.h"

namespace quorbel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kPort = 4;

class ProbeTest : public ::testing::Test {
 protected:
  LinkRig rig{kPort};
};

TEST_F(ProbeTest, AnAnsweringSurfaceIsInitialisedGreetedAndShownTheLayerAtStartUp) {
  const std::size_t from = rig.surface->LineCount();
  rig.link.serial.OpenAtStartup();
  ASSERT_TRUE(rig.thread.Running());

  EXPECT_EQ(rig.ReceivedSince(from), Join({{kIdentityRequest},
                                           InitialisationMessages(0),
                                           GreetingMessages(),
                                           LayerLineMessages(0)}));
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  EXPECT_TRUE(rig.link.presence.SurfaceAnswers());
  EXPECT_TRUE(rig.toolkit.MenuChecked("main", 1640 + kPort));
  EXPECT_TRUE(rig.toolkit.MenuChecked("main", 1673));
  EXPECT_THAT(rig.toolkit.MessageBoxes(), IsEmpty());
  // What the surface made of it.
  EXPECT_THAT(rig.surface->State(),
              ElementsAre("lamps none", "display 2 \"" + kGreeting + "\"",
                          "display 72 \"Current Keyset Layer 1\"", "config 1", "closing 1 8",
                          "identity 1", "unknown 0", "answer normal", "log on"));
}

TEST_F(ProbeTest, TheSecondLayerLightsTheShiftLampAndALaterProbeDoesNotInitialiseAgain) {
  rig.link.serial.OpenAtStartup();
  rig.keysets.Lock()->SetCurrentLayer(1);
  std::size_t from = rig.Settle();
  rig.link.output.WriteLayerLine();
  EXPECT_EQ(rig.ReceivedSince(from), LayerLineMessages(1));
  EXPECT_THAT(rig.surface->State(), ::testing::Contains("lamps 20"));

  // Answered before: the listening probe asks once and sends nothing else.
  from = rig.Settle();
  rig.link.status.StatusTick();
  EXPECT_THAT(rig.ReceivedSince(from), ElementsAre(kIdentityRequest));
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
}

TEST_F(ProbeTest, ASilentSurfaceIsAskedFourTimesAbout120MsApartAndNothingElse) {
  rig.surface->Command("answer silent");
  rig.surface->State();
  const std::size_t from = rig.surface->LineCount();
  ASSERT_TRUE(rig.link.serial.OpenLink());

  EXPECT_EQ(rig.ReceivedSince(from), std::vector<std::string>(4, kIdentityRequest));
  const auto writes = rig.port.Writes();
  ASSERT_EQ(writes.size(), 4U);
  for (std::size_t i = 1; i < writes.size(); ++i) {
    // Each attempt looks right away, again after 60 ms, and gives up after
    // sleeping another 60: never sooner than 120 ms.
    EXPECT_GE(writes[i].at - writes[i - 1].at, std::chrono::milliseconds(120)) << i;
  }
  EXPECT_EQ(rig.Caption(), "Quorbel Not Active");
  EXPECT_FALSE(rig.link.presence.SurfaceAnswers());
  EXPECT_FALSE(rig.AnyPortMarkChecked());
  EXPECT_TRUE(rig.port.IsOpen());
}

TEST_F(ProbeTest, AReplyOneByteShortCountsAsNoAnswerUntilTheSurfaceAnswersInFull) {
  rig.surface->Command("answer short");
  rig.surface->State();
  std::size_t from = rig.surface->LineCount();
  rig.link.serial.OpenAtStartup();
  // No initialisation: the start-up's own greeting and layer line only.
  EXPECT_EQ(rig.ReceivedSince(from), Join({std::vector<std::string>(4, kIdentityRequest),
                                           GreetingMessages(), LayerLineMessages(0)}));
  EXPECT_EQ(rig.Caption(), "Quorbel Not Active");
  EXPECT_TRUE(rig.thread.Running());

  // The surface now answers in full: the next status tick finds it and
  // initialises it, with the device thread running beside the probe.
  rig.surface->Command("answer normal");
  from = rig.Settle();
  rig.link.status.StatusTick();
  EXPECT_EQ(rig.ReceivedSince(from), Join({{kIdentityRequest}, InitialisationMessages(0)}));
  EXPECT_EQ(rig.Caption(), "Quorbel - Default");
  EXPECT_TRUE(rig.AnyPortMarkChecked());
  // The thread was held while the reply came: it never saw those bytes.
  EXPECT_THAT(rig.actions.Log(), IsEmpty());
}

}  // namespace
}  // namespace quorbel::testing
