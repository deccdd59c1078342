#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <Qt>

#include "toolkit/qt/AcceleratorTable.h"
#include "toolkit/qt/ToolkitTexts.h"
#include "toolkit/qt/VirtualKeys.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(AcceleratorTableTest, ReadsTheMainAndDisplayTables) {
  EXPECT_THAT(ReadAccelerators("^F12,28|^X,1605|^C,1610|^V,1615|"),
              ElementsAre(Accelerator{123, true, false, false, 28},
                          Accelerator{'X', true, false, false, 1605},
                          Accelerator{'C', true, false, false, 1610},
                          Accelerator{'V', true, false, false, 1615}));
  // Blanks around the parts do not count; an entry without an ID is left out.
  EXPECT_THAT(ReadAccelerators("ESC, 27|^1"),
              ElementsAre(Accelerator{27, false, false, false, 27}));
}

TEST(AcceleratorTableTest, ReadsModifiersAndLeavesOutWhatItCannotRead) {
  EXPECT_THAT(
      ReadAccelerators("%+del,5|+,6|f25,7|^Q,x|pgdn ,8"),
      ElementsAre(Accelerator{46, false, true, true, 5}, Accelerator{34, false, false, false, 8}));
  EXPECT_THAT(ReadAccelerators(""), IsEmpty());
  EXPECT_THAT(ReadAccelerators("|||"), IsEmpty());
}

TEST(MessageTextTest, BarsBreakLinesAndTheEndChoosesTheIcon) {
  const MessageText warning = ReadMessageText("Cannot find Quorbel.|Make sure it is on.{!}");
  EXPECT_EQ(warning.text, "Cannot find Quorbel.\nMake sure it is on.");
  EXPECT_EQ(warning.icon, MessageIcon::Exclamation);

  const MessageText question = ReadMessageText("Replace Test?{?}");
  EXPECT_EQ(question.text, "Replace Test?");
  EXPECT_EQ(question.icon, MessageIcon::Question);

  // A marker that does not end the text is text.
  const MessageText plain = ReadMessageText("a{!}b|");
  EXPECT_EQ(plain.text, "a{!}b\n");
  EXPECT_EQ(plain.icon, MessageIcon::None);
}

TEST(FileFilterTest, PairsOfNameAndPatternsBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Programs|*.exe"), "Programs (*.exe)");
  EXPECT_EQ(QtFileFilter("QRB|*.qrb|All files|*.*;*"), "QRB (*.qrb);;All files (*.* *)");
  EXPECT_EQ(QtFileFilter("Odd"), "Odd (*)");
  EXPECT_EQ(QtFileFilter(""), "");
}

TEST(ListViewColumnsTest, TitlesCarryTheirWidthsInBraces) {
  const auto columns = ReadListViewColumns("Handle{6}|Name{20}|Title{2.5}|Plain|Bad{x}");
  ASSERT_EQ(columns.size(), 5u);
  EXPECT_EQ(columns[0].title, "Handle");
  EXPECT_EQ(columns[0].width, 6);
  EXPECT_EQ(columns[2].width, 2.5);
  EXPECT_EQ(columns[3].title, "Plain");
  EXPECT_EQ(columns[3].width, kDefaultListViewColumnWidth);
  EXPECT_EQ(columns[4].title, "Bad{x}");
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
