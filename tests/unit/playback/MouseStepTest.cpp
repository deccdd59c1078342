#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/playback/PlaybackFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::FloatEq;

using MouseStepTest = PlaybackFixture;

TEST_F(MouseStepTest, ClickWithoutPositionClicksWhereTheCursorIsAndSettles) {
  SetSequence({Mouse(kLeftClick, -1, 77)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("click left"));
  EXPECT_THAT(wait.Waits(), ElementsAre(FloatEq(1.0f)));
}

TEST_F(MouseStepTest, ClickWithPositionMovesToThatPointOfTheTargetWindowFirst) {
  input.SetClientOrigin(kTarget, Point{300, 200});
  input.SetClientOrigin(0x99, Point{5, 5});
  SetSequence({Mouse(kLeftClick, 120, 45)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("cursor 420,245", "click left"));
}

TEST_F(MouseStepTest, EachButtonBitClicksItsButtonAndTheWheelSelectorNone) {
  SetSequence({Mouse(kRightClick, -1, -1), Mouse(kCentreClick, -1, -1), Mouse(kLeftClick, 10, 20),
               Mouse(kAltWheelSelector, 30, 40), Mouse(kAltWheelSelector, -1, -1)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("click right", "click middle", "cursor 10,20", "click left",
                                    "cursor 30,40"));
  EXPECT_EQ(wait.Waits().size(), 5u);  // every mouse step settles, clicking or not
}

TEST_F(MouseStepTest, ModifiersAreIgnoredAndTheDelayFollowsTheSettle) {
  SetSequence({Step{-1, -1, kLeftClick, kCtrl | kShift, 9}});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("click left"));
  EXPECT_THAT(wait.Waits(), ElementsAre(FloatEq(1.0f), FloatEq(0.5f)));
  EXPECT_EQ(clock.SleptMs(), 1500);
}

}  // namespace
}  // namespace quorbel
