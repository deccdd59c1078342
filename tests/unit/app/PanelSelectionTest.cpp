// How panel clicks, and the surface's presses that arrive as such clicks,
// select controls for the editor and step the shuttle.
#include <gmock/gmock.h>

#include "tests/unit/app/MainEventsFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(MainEventsTest, FirstClickFillsTheEditorAndARepeatDoesNot) {
  EXPECT_THAT(Send(1000), ElementsAre("ShowControl 0", "ShowControlSelected 1000"));
  EXPECT_EQ(state.selection.SelectedControl, 0);
  EXPECT_THAT(Send(1000), ElementsAre("ShowControlSelected 1000"));
  EXPECT_THAT(Send(1059), ElementsAre("ShowControl 59", "ShowControlSelected 1059"));
  EXPECT_EQ(state.selection.PreviousControl, 59);
}

TEST_F(MainEventsTest, BackgroundOrLayerChangeLetsTheSameControlRefill) {
  Send(1003);
  EXPECT_THAT(Send(ui::kWindowBackground), ElementsAre("ClearPanelSelection", "ClearInputs"));
  EXPECT_EQ(kit.Focus("main"), ui::kWindowBackground);
  EXPECT_EQ(state.selection.SelectedControl, 3);  // the buttons still act on it
  EXPECT_THAT(Send(1003), ElementsAre("ShowControl 3", "ShowControlSelected 1003"));

  EXPECT_THAT(Send(ui::kLayerLabel2), ElementsAre("SetLayerFromLabel 517", "ClearPanelSelection"));
  EXPECT_THAT(Send(1003), ElementsAre("ShowControl 3", "ShowControlSelected 1003"));
  EXPECT_THAT(Send(ui::kLayerLamp1), ElementsAre("SetLayerFromLamp 520", "ClearPanelSelection"));
  EXPECT_THAT(Send(1003).front(), "ShowControl 3");
}

TEST_F(MainEventsTest, EachPanelGroupHasItsOperation) {
  EXPECT_THAT(Send(1022), ElementsAre("ShowControl 22", "ShowControlSelected 1022"));
  EXPECT_THAT(Send(1029), ElementsAre("ShowControl 29", "ShowControlSelected 1029"));
  EXPECT_THAT(Send(1045), ElementsAre("ShowControl 45", "ShowControlSelected 1045"));
  EXPECT_THAT(Send(1020), ElementsAre("ShowControl 20", "ToggleLayer"));
  EXPECT_THAT(Send(1127), ElementsAre("ShowControl 127", "ShowWheelSelected 1127"));
  // Only a click shows the selection; any event on a picture selects it.
  EXPECT_THAT(Send(1005, ui::kGotFocus), ElementsAre("ShowControl 5"));
  EXPECT_EQ(state.selection.SelectedControl, 5);
}

TEST_F(MainEventsTest, ReverseLampStepsOnePositionPerClickAndStopsAtTwelve) {
  std::vector<int> selected;
  for (int click = 0; click < 14; ++click) {
    Send(1061);
    selected.push_back(state.selection.SelectedControl);
  }
  EXPECT_THAT(selected, ElementsAre(61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 73));
  EXPECT_EQ(state.selection.ShuttleStep, -12);
  EXPECT_THAT(Send(1061), ElementsAre("ShowShuttlePosition 1061"));
}

TEST_F(MainEventsTest, ForwardLampInReverseJumpsToTheFirstForwardPosition) {
  Send(1061);
  Send(1061);
  EXPECT_THAT(Send(1081), ElementsAre("ShowControl 81", "ShowShuttlePosition 1081"));
  EXPECT_EQ(state.selection.ShuttleStep, 1);
  Send(1081);
  EXPECT_EQ(state.selection.SelectedControl, 82);
  EXPECT_THAT(Send(1061), ElementsAre("ShowControl 61", "ShowShuttlePosition 1061"));
  EXPECT_EQ(state.selection.ShuttleStep, -1);
}

TEST_F(MainEventsTest, AnyOtherPictureResetsTheShuttle) {
  Send(1061);
  Send(1061);
  Send(1040);
  EXPECT_EQ(state.selection.ShuttleStep, 0);
  Send(1061);
  EXPECT_EQ(state.selection.SelectedControl, 61);
}

TEST_F(MainEventsTest, LampEventsOtherThanClicksDoNothing) {
  EXPECT_THAT(Send(1061, ui::kGotFocus), IsEmpty());
  EXPECT_THAT(Send(1094, ui::kChanged), IsEmpty());
  EXPECT_EQ(state.selection.ShuttleStep, 0);
}

TEST_F(MainEventsTest, PositionsReportedByTheSurfaceSelectThatPosition) {
  state.selection.ShuttleStep = -1;
  ops.shuttleAnswer = 1061;
  EXPECT_THAT(Send(1074), ElementsAre("ShowControl 61", "ShowShuttlePosition 1061"));
  EXPECT_EQ(state.selection.SelectedControl, 61);
  state.selection.ShuttleStep = 3;
  EXPECT_THAT(Send(1094), ElementsAre("ShowControl 83", "ShowShuttlePosition 1081"));
  EXPECT_EQ(state.selection.ShuttleStep, 3);
  // A position past the end is clamped: the selection is the one past it.
  state.selection.ShuttleStep = -13;
  Send(1074);
  EXPECT_EQ(state.selection.SelectedControl, 73);
  EXPECT_EQ(state.selection.ShuttleStep, -12);
}

TEST_F(MainEventsTest, ReportedPositionOnTheWrongSideShowsStop) {
  state.selection.ShuttleStep = 2;
  EXPECT_THAT(Send(1074),
              ElementsAre("ShowControl 60", "ShowControlSelected 1058", "ShowControl 58"));
  EXPECT_EQ(state.selection.ShuttleStep, 0);
}

TEST_F(MainEventsTest, PanelWorksWithAnotherProgramInFront) {
  OtherWindowInFront();
  EXPECT_THAT(Send(1059), ElementsAre("ShowControl 59", "ShowControlSelected 1059"));
  EXPECT_THAT(Send(1020), ElementsAre("ShowControl 20", "ToggleLayer"));
}

}  // namespace
}  // namespace quorbel
