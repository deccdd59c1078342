#include <gtest/gtest.h>
#include <windows.h>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

TEST_F(ToolkitTest, ADropDownListStartsWithItsItemsAndNoneSelected) {
  Add(ControlKind::ComboBox, 650, Rect{1, 1, 32.5, 5.25},
      "None|Left Mouse Click|Right Mouse Click|Center Mouse Click|Alternate Wheel Selector", "JV");
  EXPECT_EQ(kit.LastItem("main", 650), 4);
  EXPECT_EQ(kit.NextSelected("main", 650, -1), -1);
  kit.SelectItem("main", 650, 2);
  EXPECT_EQ(kit.Text("main", 650), "Right Mouse Click");
  EXPECT_EQ(kit.NextSelected("main", 650, -1), 2);
  EXPECT_EQ(kit.FindItem("main", 650, "center mouse CLICK"), 3);
  EXPECT_EQ(kit.FindItem("main", 650, "Center"), -1);
  // Adding keeps the selection; a row past the end selects none.
  kit.AddItem("main", 650, "Extra");
  EXPECT_EQ(kit.NextSelected("main", 650, -1), 2);
  kit.SelectItem("main", 650, 9);
  EXPECT_EQ(kit.NextSelected("main", 650, -1), -1);
  kit.Delay(0.02f);
  EXPECT_EQ(CountEvents(650, kChanged), 0);
}

TEST_F(ToolkitTest, AListBoxTakesItemsByBarsOrWholeAndIsCleared) {
  Add(ControlKind::ListBox, 475, Rect{1, 1, 35.5, 7}, "", "SV");
  kit.AddItems("main", 475, "Ctrl+C|Delay 5|");
  kit.AddItem("main", 475, "a|b");
  ASSERT_EQ(kit.LastItem("main", 475), 2);
  EXPECT_EQ(kit.ItemText("main", 475, 1), "Delay 5");
  EXPECT_EQ(kit.ItemText("main", 475, 2), "a|b");
  EXPECT_EQ(kit.ItemText("main", 475, 3), "");
  EXPECT_EQ(kit.ItemText("main", 475, 0, 1), "");
  kit.SelectItem("main", 475, 1);
  EXPECT_EQ(kit.NextSelected("main", 475, -1), 1);
  EXPECT_EQ(kit.NextSelected("main", 475, 1), -1);
  kit.ClearItems("main", 475);
  EXPECT_EQ(kit.LastItem("main", 475), -1);
}

TEST_F(ToolkitTest, AListViewInsertsRowsSetsCellsAndReportsTheUsersMove) {
  Add(ControlKind::ListView, 110, Rect{1, 1, 36, 14}, "Handle{6}|Name{20}|Title{25}", "-SV#");
  kit.AddListViewItem("main", 110, 0, 0, "0x2a");
  kit.AddListViewItem("main", 110, 0, 1, "cubase.exe");
  // Column 0 inserts a row where it is asked, past the end at the end.
  kit.AddListViewItem("main", 110, 0, 0, "0x10");
  kit.AddListViewItem("main", 110, 7, 0, "0x99");
  ASSERT_EQ(kit.LastItem("main", 110), 2);
  EXPECT_EQ(kit.ItemText("main", 110, 0), "0x10");
  EXPECT_EQ(kit.ItemText("main", 110, 1), "0x2a");
  EXPECT_EQ(kit.ItemText("main", 110, 1, 1), "cubase.exe");
  EXPECT_EQ(kit.ItemText("main", 110, 2), "0x99");
  const std::string longTitle(700, 'T');
  kit.AddListViewItem("main", 110, 2, 2, longTitle);
  EXPECT_EQ(kit.ItemText("main", 110, 2, 2), longTitle);

  kit.SelectItem("main", 110, 1);
  EXPECT_EQ(kit.NextSelected("main", 110, -1), 1);
  EXPECT_EQ(CountEvents(110, kChanged), 0);
  // The user moves down a row.
  HWND view = kit.ControlWindow("main", 110);
  ::SendMessageW(view, WM_KEYDOWN, VK_DOWN, 0);
  ::SendMessageW(view, WM_KEYUP, VK_DOWN, 0);
  ASSERT_EQ(CountEvents(110, kChanged), 1);
  EXPECT_EQ(events.back().value, 2);
  EXPECT_EQ(kit.NextSelected("main", 110, -1), 2);
}

}  // namespace
}  // namespace quorbel::ui
