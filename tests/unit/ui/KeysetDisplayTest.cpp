#include "ui/KeysetDisplay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "keysets/KeysetLayer.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetDisplayLines.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {
namespace {

using ::testing::IsEmpty;

std::string Padded(std::string text) {
  text.resize(30, ' ');
  return text;
}

constexpr int kHome = 36;

class KeysetDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks(
        [this](const std::string& form) {
          if (form == kKeysetDisplayForm) display.LayOut();
        },
        [this](Event& event) {
          if (event.form == kKeysetDisplayForm) display.KeysetDisplayEvent(event);
        });
    kit.CreateForm(kMainForm, "", "QuorbelU", {0, 0, 126.875, 32.4375}, "_C", 15, 32);
    kit.AddControl(kMainForm, {ControlKind::ComboBox, kKeysetList, {}, "Default|Notepad", "TVJ"});
    kit.SelectItem(kMainForm, kKeysetList, 0);
  }

  std::string Line(int control) const {
    return kit.Control(kKeysetDisplayForm, 3000 + control)->text;
  }
  double Row(int control) const {
    return kit.Control(kKeysetDisplayForm, 3000 + control)->definition.place.row;
  }

  MemoryToolkit kit;
  WindowState windows;
  KeysetModel keysets;
  ControlCatalogue catalogue;
  KeysetDisplay display{kit, windows, keysets, catalogue};
};

TEST_F(KeysetDisplayTest, CaptionNamesKeysetAndLayerWithTheirBlanks) {
  display.OpenKeysetDisplay();
  EXPECT_EQ(kit.Caption(kKeysetDisplayForm), "Keyset Display - Default  Layer 1");
  kit.UnloadForm(kKeysetDisplayForm);

  keysets.Lock()->PickLayer(1);
  kit.SelectItem(kMainForm, kKeysetList, 1);
  display.OpenKeysetDisplay();
  EXPECT_EQ(kit.Caption(kKeysetDisplayForm), "Keyset Display - Notepad  Layer 2");
  const auto form = kit.Form(kKeysetDisplayForm);
  EXPECT_EQ(form->parent, kMainForm);
  EXPECT_EQ(form->letters, "_CM");
  EXPECT_DOUBLE_EQ(form->place.width, 107);
  EXPECT_DOUBLE_EQ(form->place.height, 30.5);
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

TEST_F(KeysetDisplayTest, DialogActiveWhileTheModalWindowIsOpen) {
  int seen = -1;
  kit.SetModalHook([&](const std::string&) {
    seen = windows.DialogActive;
    kit.Click(kKeysetDisplayForm, 27);
  });
  display.OpenKeysetDisplay();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(windows.DialogActive, 0);
  EXPECT_FALSE(kit.HasForm(kKeysetDisplayForm));
}

TEST_F(KeysetDisplayTest, LinesStandInThreeColumnsWithGapsBetweenGroups) {
  display.OpenKeysetDisplay();
  EXPECT_DOUBLE_EQ(Row(0), 1);
  EXPECT_DOUBLE_EQ(Row(8), 12.25);
  EXPECT_DOUBLE_EQ(Row(15), 22.25);
  EXPECT_DOUBLE_EQ(Row(20), 1);
  EXPECT_DOUBLE_EQ(Row(25), 8.5);
  EXPECT_DOUBLE_EQ(Row(32), 16);
  EXPECT_DOUBLE_EQ(Row(40), 1);
  EXPECT_DOUBLE_EQ(Row(50), 14.75);
  EXPECT_DOUBLE_EQ(Row(56), 23.5);
  EXPECT_DOUBLE_EQ(kit.Control(kKeysetDisplayForm, 3025)->definition.place.column, 36);
  EXPECT_DOUBLE_EQ(kit.Control(kKeysetDisplayForm, 3060)->definition.place.column, 72);
  EXPECT_FALSE(kit.Control(kKeysetDisplayForm, 3030));
  EXPECT_FALSE(kit.Control(kKeysetDisplayForm, 3061));
  EXPECT_EQ(kit.Control(kKeysetDisplayForm, 3000)->definition.font, 12);
  // Frames follow the labels of their column.
  const auto ids = kit.ControlIds(kKeysetDisplayForm);
  const auto at = [&](int id) { return std::find(ids.begin(), ids.end(), id) - ids.begin(); };
  EXPECT_GT(at(3200), at(3019));
  EXPECT_LT(at(3202), at(3020));
  EXPECT_DOUBLE_EQ(kit.Control(kKeysetDisplayForm, 3205)->definition.place.height, 11);
  EXPECT_EQ(kit.Accelerators(kKeysetDisplayForm), "ESC, 27|^1");
}

TEST_F(KeysetDisplayTest, LinesShowNameAndFirstStepOfTheCurrentLayer) {
  {
    auto model = keysets.Lock();
    model->SetStep(2, 1, {0, 0, 's', kCtrl | kShift, 0});
    model->SetStep(47, 1, {0, 0, kNamedKey | kHome, kCtrl, 0});
    model->PickLayer(1);
    model->SetStep(2, 1, {0, 0, 'x', 0, 0});
    model->PickLayer(0);
  }
  display.OpenKeysetDisplay();
  EXPECT_EQ(Line(2), "F3: ctrl+shft+s");
  EXPECT_EQ(Line(3), "F4: ");
  EXPECT_EQ(Line(47), Padded("Num 7:ctrl+Home"));
  EXPECT_EQ(Line(54), Padded("Clear/Cancel:"));
  EXPECT_EQ(Line(57), Padded("FFwd:"));
}

TEST_F(KeysetDisplayTest, ThirdColumnWritesActionAtItsFixedCharacterAndCutsAtThirty) {
  const std::string longAction = "alt+ctrl+shft+app+Arrow Right";
  EXPECT_EQ(KeysetDisplayLine(47, "7", longAction), "Num 7:alt+ctrl+shft+app+Arrow ");
  EXPECT_EQ(KeysetDisplayLine(50, "+/-", "a"), Padded("+/-:         a"));
  EXPECT_EQ(KeysetDisplayLine(52, "Mode/Locate", longAction), "Mode/Locate: alt+ctrl+shft+app");
  EXPECT_EQ(KeysetDisplayLine(57, "FFwd", "Left Mouse"), Padded("FFwd:  Left Mouse"));
  // A name longer than its room is written over.
  EXPECT_EQ(KeysetDisplayLine(56, "Rewinding", "q"), Padded("Rewindiqg:"));
  EXPECT_EQ(KeysetDisplayLine(21, "Left", longAction), "Left: " + longAction);
  EXPECT_EQ(KeysetDisplayLine(47, "7", "").size(), 30u);
}

TEST_F(KeysetDisplayTest, EscapeClosesAndClicksDoNothing) {
  display.OpenKeysetDisplay();
  EXPECT_TRUE(kit.Click(kKeysetDisplayForm, 3005));
  kit.Send(kKeysetDisplayForm, 0, kGotFocus);
  EXPECT_TRUE(kit.HasForm(kKeysetDisplayForm));
  kit.Send(kKeysetDisplayForm, 27, kClick);
  EXPECT_FALSE(kit.HasForm(kKeysetDisplayForm));
  EXPECT_TRUE(kit.HasForm(kMainForm));
}

}  // namespace
}  // namespace quorbel::ui
