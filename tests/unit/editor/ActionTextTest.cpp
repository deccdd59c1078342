#include "editor/ActionText.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/CodePage437Text.h"

namespace quorbel {
namespace {

class ActionTextTest : public ::testing::Test {
 protected:
  std::string Text(std::int32_t key, std::int32_t modifiers = 0, int control = 59) {
    record->KeyCode[3][control] = key;
    record->Modifiers[3][control] = modifiers;
    return ActionText(*record, control, 3, catalogue);
  }

  const ControlCatalogue catalogue;
  std::unique_ptr<KeysetLayer> record = std::make_unique<KeysetLayer>();
};

TEST_F(ActionTextTest, ModifiersPrefixTheBodyInFixedOrder) {
  EXPECT_EQ(Text('A', kShift), "shft+a");
  EXPECT_EQ(Text(46 + kNamedKey, kAlt | kCtrl), "alt+ctrl+Delete");
  EXPECT_EQ(Text('x', kAppKey), "app+x");
  EXPECT_EQ(Text('x', kAppKey | kShift | kCtrl | kAlt), "alt+ctrl+shft+app+x");
  EXPECT_EQ(Text(kLeftClick, kCtrl), "ctrl+Left Mouse");
}

TEST_F(ActionTextTest, MouseBitsWinOverEverythingElse) {
  EXPECT_EQ(Text(kLeftClick), "Left Mouse");
  EXPECT_EQ(Text(kRightClick), "Right Mouse");
  EXPECT_EQ(Text(kCentreClick), "Center Mouse");
  EXPECT_EQ(Text(kAltWheelSelector), "Alt Wheel Sel");
  EXPECT_EQ(Text(kLeftClick | kRightClick), "Left Mouse");
  EXPECT_EQ(Text(kAltWheelSelector | kNamedKey | 46), "Alt Wheel Sel");
}

TEST_F(ActionTextTest, NamedKeysShowTheirNameOrElseTheControlName) {
  EXPECT_EQ(Text(109 + kNamedKey), "Minus");
  EXPECT_EQ(Text(112 + kNamedKey), "F1");
  EXPECT_EQ(Text(65 + kNamedKey, 0, 59), "Play");
  EXPECT_EQ(Text(65 + kNamedKey, kCtrl, 27), "ctrl+Bank Key 3");
  EXPECT_EQ(Text(65 + kNamedKey, 0, 126), "");
}

TEST_F(ActionTextTest, PlainKeysShowTheLowerCaseCharacter) {
  EXPECT_EQ(Text(192), "`");
  EXPECT_EQ(Text(65), "a");
  EXPECT_EQ(Text('Z'), "z");
  EXPECT_EQ(Text(49), "1");
  EXPECT_EQ(Text(91), "[");
  EXPECT_EQ(Text(93), "]");
  EXPECT_EQ(Text(39), "'");
  // Only the low byte counts.
  EXPECT_EQ(Text(0x200 | 'Q'), "q");
}

// The list shows UTF-8: the byte after the case change is shown as its character.
TEST_F(ActionTextTest, CodePageCapitalsTurnIntoTheirSmallForms) {
  const int capitals[] = {128, 142, 143, 144, 153, 154, 165};
  const int smalls[] = {135, 132, 134, 130, 148, 129, 164};
  for (std::size_t i = 0; i < std::size(capitals); ++i) {
    EXPECT_EQ(Text(capitals[i]), CharacterText(static_cast<unsigned char>(smalls[i])))
        << capitals[i];
  }
  for (int unchanged : {135, 155, 166, 200}) {
    EXPECT_EQ(Text(unchanged), CharacterText(static_cast<unsigned char>(unchanged))) << unchanged;
  }
}

TEST_F(ActionTextTest, EmptySlotHasNoTextWhateverItsModifiers) {
  EXPECT_EQ(Text(0, kAlt | kCtrl), "");
  EXPECT_EQ(ActionText(*record, 5, 1, catalogue), "");
}

TEST_F(ActionTextTest, StepsAreReadFromTheirOwnSlot) {
  record->KeyCode[1][10] = 'B';
  record->KeyCode[2][10] = kRightClick;
  EXPECT_EQ(ActionText(*record, 10, 1, catalogue), "b");
  EXPECT_EQ(ActionText(*record, 10, 2, catalogue), "Right Mouse");
}

TEST(DelayRow, FourBlanksThenDelayAndTicks) {
  EXPECT_EQ(DelayRow(5), "    Delay 5 ticks");
  EXPECT_EQ(DelayRow(100), "    Delay 100 ticks");
}

}  // namespace
}  // namespace quorbel
