#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/PanelWindow.h"

namespace quorbel {
namespace {

class PanelTest : public ::testing::Test {
 protected:
  PanelTest() : lamps(toolkit), panel(toolkit, keysets, catalogue, lamps, selection) {
    AddPanelControls(toolkit);
  }

  std::string Image(int id) const { return toolkit.ImageName("MAIN", id); }
  std::string SelectedName() { return toolkit.Text("MAIN", 435); }

  ui::MemoryToolkit toolkit;
  KeysetModel keysets;
  ControlCatalogue catalogue;
  SelectionState selection;
  RecordingLamps lamps;
  Panel panel;
};

// The lamp keys in the order a clear switches their lamps off.
const std::vector<int> kLampsOffInOrder{0,  1,  2,  3,  4,  5,  6,  7,  15, 16, 17,
                                        18, 19, 32, 33, 34, 35, 36, 37, 38, 39, 25,
                                        26, 27, 28, 29, 56, 57, 58, 59, 60};

TEST_F(PanelTest, SelectingAKeyClearsAllLampsAndLightsOnlyLampKeys) {
  panel.ShowControlSelected(1002);  // F3
  EXPECT_EQ(lamps.Controls(false), kLampsOffInOrder);
  EXPECT_EQ(lamps.Controls(true), std::vector<int>{2});
  EXPECT_EQ(lamps.messages.back().nameShown, "") << "an F key lights its lamp before its name";
  EXPECT_EQ(SelectedName(), "F3");
  EXPECT_EQ(Image(1002), "$FuncDn");

  lamps.messages.clear();
  panel.ShowControlSelected(1009);  // W2
  EXPECT_EQ(lamps.Controls(false), kLampsOffInOrder);
  EXPECT_TRUE(lamps.Controls(true).empty());
  EXPECT_EQ(Image(1002), "$FuncUp");
  EXPECT_EQ(Image(1009), "$SqDn");
  EXPECT_EQ(SelectedName(), "W2");

  lamps.messages.clear();
  panel.ShowControlSelected(1015);  // M1
  EXPECT_EQ(lamps.messages.back().on, true);
  EXPECT_EQ(lamps.messages.back().control, 15);
  EXPECT_EQ(lamps.messages.back().nameShown, "M1") << "other lamp keys light after the name";
  EXPECT_TRUE(toolkit.Faults().empty());
}

TEST_F(PanelTest, EachGroupShowsItsPressedImageNameAndLamp) {
  struct Case {
    int id;
    const char* image;
    const char* name;
    int lamp;  // -1: none
  };
  const Case cases[] = {
      {1021, "$HorDn", "Left", -1},
      {1024, "$VertDn", "Down", -1},
      {1025, "$FuncDn", "Bank Key 1", 25},
      {1029, "$AssignDn", "Assign", 29},
      {1032, "$RecLedDn", "Page 1", 32},
      {1040, "$0dn", "0", -1},
      {1042, "$2dn", "2", -1},
      {1045, "$num5dn", "5", -1},
      {1050, "$SignDn", "+/-", -1},
      {1055, "$LastDn", "Last", -1},
      {1057, "$ffDn", "FFwd", 57},
      {1060, "$RecDn", "Record", 60},
  };
  for (const Case& c : cases) {
    lamps.messages.clear();
    panel.ShowControlSelected(c.id);
    EXPECT_EQ(Image(c.id), c.image) << c.id;
    EXPECT_EQ(SelectedName(), c.name) << c.id;
    EXPECT_EQ(lamps.Controls(true), c.lamp < 0 ? std::vector<int>{} : std::vector<int>{c.lamp})
        << c.id;
  }
  panel.ClearPanelSelection();
  EXPECT_EQ(Image(1045), "$num5up");
  EXPECT_EQ(Image(1057), "$FFUp");
  EXPECT_EQ(Image(1029), "$AssignUp");
  EXPECT_EQ(SelectedName(), "");
  EXPECT_EQ(toolkit.Focus("MAIN"), 620);
}

TEST_F(PanelTest, IdsWithoutASelectableControlChangeNothing) {
  for (int id : {1020, 1030, 1061, 1100, 1126, 999}) panel.ShowControlSelected(id);
  EXPECT_TRUE(lamps.messages.empty());
  EXPECT_EQ(Image(1020), "");
}

TEST_F(PanelTest, JogWheelHalfShowsItsOverlayUntilTheNextSelection) {
  panel.ShowWheelSelected(1127);
  EXPECT_EQ(SelectedName(), "Wheel Right");
  EXPECT_EQ(Image(1127), "$RtWhSel");
  EXPECT_TRUE(toolkit.Visible("MAIN", 295));

  panel.ShowWheelSelected(1126);
  EXPECT_EQ(SelectedName(), "Wheel Left");
  EXPECT_EQ(Image(1126), "$RtWheelSel");
  EXPECT_EQ(Image(1127), "$RtWheel");

  panel.ShowControlSelected(1059);
  EXPECT_FALSE(toolkit.Visible("MAIN", 295));
  EXPECT_EQ(Image(1126), "$LfWheel");
}

TEST_F(PanelTest, ShuttlePositionNamesItsControlAndLightsItsHalf) {
  selection.ShuttleStep = 2;
  int id = 1081;
  panel.ShowShuttlePosition(id);
  EXPECT_EQ(SelectedName(), catalogue.ControlName(82));
  EXPECT_EQ(id, 1082);
  EXPECT_EQ(Image(1081), "$redon");
  EXPECT_EQ(Image(1061), "$redoff");
  EXPECT_TRUE(toolkit.Visible("MAIN", 296));

  selection.ShuttleStep = -1;
  id = 1061;
  panel.ShowShuttlePosition(id);
  EXPECT_EQ(SelectedName(), "Shuttle Reverse -1");
  EXPECT_EQ(id, 1061);
  EXPECT_EQ(Image(1061), "$redon");
  EXPECT_EQ(Image(1081), "$redoff");

  panel.ResetWheelIndicators();
  EXPECT_FALSE(toolkit.Visible("MAIN", 296));
  EXPECT_EQ(Image(1061), "$redoff");
  panel.LightBothShuttleLamps();
  EXPECT_EQ(Image(1061), "$redon");
  EXPECT_EQ(Image(1081), "$redon");
}

TEST_F(PanelTest, ToggleLayerSwitchesLampsShiftAndRemembersTheLayer) {
  keysets.Lock()->SetCurrent(3);
  panel.ToggleLayer();
  EXPECT_EQ(Image(520), "$Red1off");
  EXPECT_EQ(Image(521), "$Red1on");
  EXPECT_EQ(Image(1020), "$ShiftDn");
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1);
  EXPECT_EQ(keysets.Lock()->LayerMemory(3), 1);

  panel.ToggleLayer();
  EXPECT_EQ(Image(520), "$Red1on");
  EXPECT_EQ(Image(521), "$Red1off");
  EXPECT_EQ(Image(1020), "$ShiftUp");
  EXPECT_EQ(keysets.Lock()->LayerMemory(3), 0);
  EXPECT_EQ(lamps.layerLines, 2);
}

TEST_F(PanelTest, LayerLampsAndLabelsSetTheLayerWithoutRememberingIt) {
  panel.SetLayerFromLabel(517);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1);
  EXPECT_EQ(Image(521), "$Red1on");
  EXPECT_EQ(Image(1020), "") << "a label leaves the Shift picture";

  panel.SetLayerFromLamp(520);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 0);
  EXPECT_EQ(Image(520), "$Red1on");
  EXPECT_EQ(Image(521), "$Red1off");
  EXPECT_EQ(Image(1020), "$ShiftUp");

  panel.SetLayerFromLamp(521);
  EXPECT_EQ(Image(1020), "$ShiftDn");
  EXPECT_EQ(keysets.Lock()->LayerMemory(0), 0);
  EXPECT_EQ(lamps.layerLines, 3);

  panel.ShowLayerLamp(520);
  EXPECT_EQ(Image(520), "$Red1on");
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1) << "the lamp only shows the layer";
  EXPECT_EQ(lamps.layerLines, 4);
}

}  // namespace
}  // namespace quorbel
