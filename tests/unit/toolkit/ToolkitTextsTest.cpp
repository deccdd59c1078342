#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/AcceleratorTable.h"
#include "toolkit/ToolkitTexts.h"

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

}  // namespace
}  // namespace quorbel::ui
