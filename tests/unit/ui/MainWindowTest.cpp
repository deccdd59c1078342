#include "ui/MainWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks([this](const std::string&) { LayOutMainWindow(kit, catalogue, selection); },
                     [](Event&) {});
    selection.SpeedRange = 0;
    CreateMainWindow(kit, "");
  }

  std::vector<std::string> MenuTexts(int menu) const {
    std::vector<std::string> texts;
    for (const MemoryMenuItem& item : kit.MenuItems("main", menu)) texts.push_back(item.text);
    return texts;
  }

  std::vector<int> MenuIds(int menu) const {
    std::vector<int> ids;
    for (const MemoryMenuItem& item : kit.MenuItems("main", menu)) ids.push_back(item.id);
    return ids;
  }

  MemoryToolkit kit;
  ControlCatalogue catalogue;
  SelectionState selection;
};

TEST_F(MainWindowTest, FormColoursFontsAndTimerAreThoseOfTheMainWindow) {
  const auto form = kit.Form("main");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->caption, "QuorbelU");
  EXPECT_EQ(form->parent, "");
  EXPECT_EQ(form->letters, "_C");
  EXPECT_DOUBLE_EQ(form->place.width, 126.875);
  EXPECT_DOUBLE_EQ(form->place.height, 32.4375);
  EXPECT_EQ(form->textColour, 15);
  EXPECT_EQ(form->backColour, 32);
  EXPECT_EQ(kit.Colour(32), (std::array<int, 3>{119, 119, 119}));
  EXPECT_EQ(kit.Colour(33), (std::array<int, 3>{221, 221, 221}));
  EXPECT_EQ(kit.Colour(34), (std::array<int, 3>{192, 192, 192}));
  ASSERT_TRUE(kit.Font(10));
  EXPECT_EQ(kit.Font(10)->face, "MS Sans Serif");
  EXPECT_EQ(kit.Font(10)->letters, "BV");
  EXPECT_EQ(kit.Font(12)->face, "Courier New");
  EXPECT_TRUE(kit.TimerRunning("main", kStatusTimer));
  EXPECT_FLOAT_EQ(kit.TimerInterval("main", kStatusTimer), 10.0f);
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(MainWindowTest, MenuBarAndFixedItemsInOrder) {
  EXPECT_THAT(MenuTexts(0), ElementsAre("&File", "&Edit", "&Keysets", "&Windows", "&Help"));
  EXPECT_THAT(MenuIds(0), ElementsAre(1500, 1600, 1700, 1900, 2000));
  EXPECT_THAT(MenuIds(kFileMenu), ElementsAre(1505, 1510, 1515, 1525, 1530));
  EXPECT_THAT(MenuTexts(kFileMenu),
              ElementsAre("&New Keyset", "&Import Keyset", "&Export Keyset", "-", "E&xit"));
  EXPECT_THAT(MenuIds(kEditMenu), ElementsAre(1605, 1610, 1615, 1625, 1630, 1635, 1640));
  EXPECT_THAT(MenuTexts(kEditMenu),
              ElementsAre("Cu&t Layer\tCtrl+X", "&Copy Layer\tCtrl+C", "&Paste Layer\tCtrl+V", "-",
                          "&Delete Current Keyset", "-", "&Preferences"));
  EXPECT_THAT(MenuTexts(kKeysetsMenu), ElementsAre("&Default Keyset", "-"));
  EXPECT_THAT(MenuIds(kKeysetsMenu), ElementsAre(1705, 1720));
  EXPECT_THAT(MenuTexts(kWindowsMenu), ElementsAre("&Keyset Display"));
  EXPECT_THAT(MenuIds(kHelpMenu), ElementsAre(2005, 2010));
  EXPECT_FALSE(kit.MenuEnabled("main", kDeleteKeysetItem));
  EXPECT_TRUE(kit.MenuEnabled("main", kCutLayerItem));
}

TEST_F(MainWindowTest, PreferencesListThirtyTwoPortsAndFiveRates) {
  const auto items = kit.MenuItems("main", kPreferencesMenu);
  ASSERT_EQ(items.size(), 32u + 1u + 5u + 2u);
  EXPECT_EQ(items[0].id, 1641);
  EXPECT_EQ(items[0].text, "Com 1");
  EXPECT_EQ(items[8].text, "Com 9");
  EXPECT_EQ(items[9].text, "Com 10");
  EXPECT_EQ(items[31].id, 1672);
  EXPECT_EQ(items[31].text, "Com 32");
  EXPECT_EQ(items[32].text, "-");
  std::vector<std::string> rates;
  for (std::size_t i = 33; i < 38; ++i) {
    EXPECT_EQ(items[i].id, 1673 + static_cast<int>(i - 33));
    rates.push_back(items[i].text);
  }
  EXPECT_THAT(rates,
              ElementsAre("38400 Baud", "19200 Baud", " 9600 Baud", " 4800 Baud", " 2400 Baud"));
  // After the rates, the way to make a port lead to a detected device.
  EXPECT_EQ(items[38].text, "-");
  EXPECT_EQ(items[39].id, 1678);
  EXPECT_EQ(items[39].text, "Serial &Device...");
}

TEST_F(MainWindowTest, AcceleratorsReportWindowListAndLayerCommands) {
  EXPECT_EQ(kit.Accelerators("main"), "^F12,28|^X,1605|^C,1610|^V,1615|");
}

TEST_F(MainWindowTest, ControlsHaveTheirTextsKindsAndPlaces) {
  struct Expected {
    int id;
    ControlKind kind;
    const char* text;
    Rect place;
    const char* letters;
    int font;
  };
  const std::vector<Expected> expected = {
      {400, ControlKind::Label, "Current Keyset:", {1, 0.5, 12, 1}, "LI", 10},
      {410, ControlKind::ComboBox, "", {13, 0.25, 27, 10}, "TVJ", 10},
      {515, ControlKind::Label, "Current Keyset Layer:", {45, 0.5, 16, 1}, "LI", 10},
      {435, ControlKind::Label, "", {81, 3.325, 15, 1.125}, "CS", 10},
      {475, ControlKind::ListBox, "", {68, 21.5, 35.5, 7}, "SV", 1},
      {480, ControlKind::Button, "Add/&Insert", {105, 21.5, 12, 1.25}, "", 10},
      {500, ControlKind::Button, "Clear &Selection", {105, 27.25, 12, 1.25}, "", 10},
      {495, ControlKind::Label, "0", {109, 25.25, 6, 1.5}, "CSR", 10},
      {620, ControlKind::Text, "", {77.5, 11.25, 16.5, 1.25}, "ES", 4},
      {625, ControlKind::Button, "&Clear", {99.5, 11.5, 9.5, 2.25}, "", 4},
      {642, ControlKind::CheckBox, "application", {89.5, 13, 10, 1}, "", 4},
      {670, ControlKind::Text, "", {80.5, 8, 30, 1.25}, "ESTH", 4},
      {675, ControlKind::Radio, "Native MIDI", {77.5, 10.5, 10.5, 1.25}, "GH", 4},
      {440, ControlKind::TabControl, "Keystrokes/Mouse", {68, 6, 45, 14}, "R", 4},
      {110,
       ControlKind::ListView,
       "Handle{6}|Name{20}|Title{25}|Description{30}",
       {20, 2, 81, 14},
       "-SV#H",
       4},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    const auto control = kit.Control("main", e.id);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->definition.kind, e.kind);
    EXPECT_EQ(control->definition.text, e.text);
    EXPECT_EQ(control->definition.letters, e.letters);
    EXPECT_EQ(control->definition.font, e.font);
    EXPECT_DOUBLE_EQ(control->definition.place.column, e.place.column);
    EXPECT_DOUBLE_EQ(control->definition.place.row, e.place.row);
    EXPECT_DOUBLE_EQ(control->definition.place.width, e.place.width);
    EXPECT_DOUBLE_EQ(control->definition.place.height, e.place.height);
  }
  EXPECT_EQ(kit.Control("main", 101)->definition.backColour, 33);
  EXPECT_EQ(kit.Control("main", 475)->definition.backColour, 7);
}

TEST_F(MainWindowTest, StartingStatesOfTheEditingControls) {
  for (int id : {110, 655, 660, 665, 670, 675, 680, 295, 296}) {
    EXPECT_FALSE(kit.Visible("main", id)) << id;
  }
  EXPECT_TRUE(kit.Visible("main", 620));
  EXPECT_EQ(kit.ImageName("main", kLayerLamp1), "$Red1on");
  EXPECT_EQ(kit.ImageName("main", kLayerLamp2), "$Red1off");
  EXPECT_EQ(kit.Position("main", kSpeedRangeSlider), 5);
  EXPECT_EQ(kit.Control("main", kSpeedRangeSlider)->maximum, 10);
  EXPECT_EQ(selection.SpeedRange, 5);
  EXPECT_EQ(kit.Position("main", kDelayUpDown), 0);
  EXPECT_EQ(kit.Control("main", kDelayUpDown)->maximum, 100);
  EXPECT_EQ(kit.Text("main", kMouseEmulation), "None");
  EXPECT_THAT(kit.Items("main", kMouseEmulation),
              ElementsAre("None", "Left Mouse Click", "Right Mouse Click", "Center Mouse Click",
                          "Alternate Wheel Selector"));
}

TEST_F(MainWindowTest, CreationOrderPutsListAbovePanelAndBackgroundLast) {
  const std::vector<int> order = kit.ControlIds("main");
  auto at = [&](int id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
  EXPECT_EQ(order.front(), kWindowListView);
  EXPECT_EQ(order.back(), kWindowBackground);
  EXPECT_LT(at(1000), at(kKeysetList));
  EXPECT_LT(at(1127), at(kKeysetList));
  // Keys lie above the decorations they sit on, the overlays above the ring.
  EXPECT_LT(at(1032), at(325));
  EXPECT_LT(at(295), at(290));
  EXPECT_LT(at(kSpeedRangeSlider), at(kDelayUpDown));
}

TEST_F(MainWindowTest, EveryControlWithAPictureShowsItsReleasedImage) {
  int pictures = 0;
  for (int i = 0; i < kControlCount; ++i) {
    const std::string released = catalogue.PanelImages(i).released;
    const auto control = kit.Control("main", 1000 + i);
    EXPECT_EQ(control.has_value(), !released.empty()) << i;
    if (!control) continue;
    ++pictures;
    EXPECT_EQ(kit.ImageName("main", 1000 + i), released) << i;
  }
  EXPECT_EQ(pictures, 63);  // 0..29, 32..61, 81, 126, 127
  EXPECT_EQ(kit.ImageName("main", 1020), "$ShiftUp");
  EXPECT_EQ(kit.ImageName("main", 1061), "$redoff");
  // The keypad and transport keys have their size; the others a nominal one.
  EXPECT_DOUBLE_EQ(kit.Control("main", 1059)->definition.place.width, 4.125);
  EXPECT_DOUBLE_EQ(kit.Control("main", 1000)->definition.place.width, 1);
  EXPECT_DOUBLE_EQ(kit.Control("main", 1045)->definition.place.column, 49.625);
  EXPECT_DOUBLE_EQ(kit.Control("main", 1045)->definition.place.row, 18.625);
}

TEST_F(MainWindowTest, DecorationsFollowTheirKeysAndTheWindowCorners) {
  EXPECT_EQ(kit.ImageName("main", 251), "$w2");
  EXPECT_DOUBLE_EQ(kit.Control("main", 251)->definition.place.column, 10.5);
  EXPECT_DOUBLE_EQ(kit.Control("main", 251)->definition.place.row, 21.625);
  EXPECT_EQ(kit.ImageName("main", 348), "$EncRt");
  EXPECT_DOUBLE_EQ(kit.Control("main", 348)->definition.place.column, 29);
  EXPECT_EQ(kit.ImageName("main", 388), "$Bank4");
  EXPECT_DOUBLE_EQ(kit.Control("main", 393)->definition.place.column, 126.875 - 2.5);
  EXPECT_DOUBLE_EQ(kit.Control("main", 395)->definition.place.row, 32.4375 - 2.625);
}

}  // namespace
}  // namespace quorbel::ui
