#include "keysets/KeysetTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quorbel {
namespace {

TEST(KeysetTable, SequenceEndsAtTheFirstEmptyStep) {
  KeysetTable table;
  EXPECT_EQ(table.FirstFreeStep(5), 1);
  table.SetStep(5, 1, Step{0, 0, 'A', 0, 0});
  table.SetStep(5, 2, Step{0, 0, 'B', 0, 0});
  table.SetStep(5, 4, Step{0, 0, 'D', 0, 0});
  EXPECT_EQ(table.FirstFreeStep(5), 3);
  EXPECT_EQ(table.CopySequence(5).count, 2);

  for (int s = 1; s <= kMaxSteps; ++s) table.SetStep(7, s, Step{-1, -1, kLeftClick, 0, 0});
  EXPECT_EQ(table.FirstFreeStep(7), 11);
  EXPECT_EQ(table.CopySequence(7).count, 10);
}

TEST(KeysetTable, StepsLieAtTheirRecordOffsets) {
  KeysetTable table;
  table.SetStep(3, 2, Step{-1, -1, kLeftClick, 0, 7});
  const auto* bytes = reinterpret_cast<const unsigned char*>(&table.Current());
  const std::size_t entry = (2 * 128 + 3) * 4;
  std::int32_t key = 0;
  std::memcpy(&key, bytes + 11528 + entry, 4);
  EXPECT_EQ(key, 0x8000);
  std::int32_t delay = 0;
  std::memcpy(&delay, bytes + 50952 + entry, 4);
  EXPECT_EQ(delay, 7);
  EXPECT_EQ(bytes[264 + entry], 0xFF);  // MouseX -1, little-endian
}

TEST(KeysetTable, NamesAndLabelsArePaddedAndCut) {
  KeysetTable table;
  EXPECT_EQ(table.KeysetName(0), "");
  EXPECT_EQ(table.Label(0, 1), "");
  table.SetKeysetName(2, std::string(300, 'n'));
  EXPECT_EQ(table.KeysetName(2), std::string(260, 'n'));
  table.SetLabel(0, 1, "Play");
  EXPECT_EQ(table.Label(0, 1), "Play" + std::string(16, ' '));
  table.SetLabel(0, 2, std::string(25, 'x'));
  EXPECT_EQ(table.Label(0, 2), std::string(20, 'x'));
}

TEST(KeysetTable, EachKeysetRemembersItsLayer) {
  KeysetTable table;
  table.SetCurrent(1);
  table.PickLayer(1);
  table.SetCurrent(2);
  EXPECT_EQ(table.CurrentLayer(), 0);
  table.SetCurrent(1);
  EXPECT_EQ(table.CurrentLayer(), 1);
  table.ResetTable();
  EXPECT_EQ(table.LayerMemory(1), 1);
}

}  // namespace
}  // namespace quorbel
