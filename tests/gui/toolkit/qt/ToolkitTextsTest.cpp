#include <gtest/gtest.h>

#include <Qt>

#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/VirtualKeys.h"

namespace quorbel::ui {
namespace {

TEST(FileFilterTest, PairsOfNameAndPatternsBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Programs|*.exe"), "Programs (*.exe)");
  EXPECT_EQ(QtFileFilter("QRB|*.qrb|All files|*.*;*"), "QRB (*.qrb);;All files (*.* *)");
  EXPECT_EQ(QtFileFilter("Odd"), "Odd (*)");
  EXPECT_EQ(QtFileFilter(""), "");
}

TEST(VirtualKeysTest, QtKeysMapToTheKeysThatCarryThem) {
  struct Case {
    int qtKey;
    bool keypad;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_A, false, 65},
      {Qt::Key_Z, false, 90},
      {Qt::Key_0, false, 48},
      {Qt::Key_F1, false, 112},
      {Qt::Key_F10, false, 121},
      {Qt::Key_F24, false, 135},
      {Qt::Key_Left, false, 37},
      {Qt::Key_Down, false, 40},
      {Qt::Key_Home, false, 36},
      {Qt::Key_PageDown, false, 34},
      {Qt::Key_Insert, false, 45},
      {Qt::Key_Delete, false, 46},
      {Qt::Key_Return, false, 13},
      {Qt::Key_Escape, false, 27},
      {Qt::Key_Shift, false, 16},
      {Qt::Key_Control, false, 17},
      {Qt::Key_Alt, false, 18},
      {Qt::Key_Menu, false, 93},
      {Qt::Key_Period, false, 190},
      {Qt::Key_Comma, false, 188},
      {Qt::Key_Semicolon, false, 186},
      {Qt::Key_Apostrophe, false, 222},
      {Qt::Key_BracketLeft, false, 219},
      {Qt::Key_QuoteLeft, false, 192},
      {Qt::Key_Exclam, false, 49},
      {Qt::Key_Colon, false, 186},
      {Qt::Key_Greater, false, 190},
      {Qt::Key_Question, false, 191},
      {Qt::Key_0, true, 96},
      {Qt::Key_9, true, 105},
      {Qt::Key_Asterisk, true, 106},
      {Qt::Key_Plus, true, 107},
      {Qt::Key_Minus, true, 109},
      {Qt::Key_Period, true, 110},
      {Qt::Key_Slash, true, 111},
      {Qt::Key_Enter, true, 13},
      {Qt::Key_Home, true, 36},
      {Qt::Key_unknown, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFor(c.qtKey, c.keypad), c.code) << "Qt key " << std::hex << c.qtKey;
  }
}

}  // namespace
}  // namespace quorbel::ui
