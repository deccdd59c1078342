#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

std::wstring ItemText(HMENU menu, int position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

UINT StateOf(HMENU menu, int position) {
  return ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

class MenuTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    kit.AddMenuTitle("main", 1500, "&File");
    kit.AddMenuTitle("main", 1600, "&Edit");
    kit.AddMenuItem("main", 1500, 1505, "&New Keyset");
    kit.AddMenuItem("main", 1500, 1525, "-");
    kit.AddMenuItem("main", 1500, 1530, "E&xit");
    kit.AddMenuItem("main", 1600, 1605, "Cu&t Layer\tCtrl+X");
    kit.AddMenuItem("main", 1600, 1640, "&Preferences");
    kit.AddMenuItem("main", 1640, 1641, "Com 1");
    kit.AddMenuItem("main", 1640, 1525, "-");
    kit.AddMenuItem("main", 1640, 1673, "38400 Baud");
    bar = ::GetMenu(kit.FormWindow("main"));
  }

  HMENU bar = nullptr;
};

TEST_F(MenuTest, TitlesItemsSeparatorsAndSubmenusStandInTheOrderAdded) {
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(::GetMenuItemCount(bar), 2);
  EXPECT_EQ(ItemText(bar, 1), L"&Edit");
  HMENU file = ::GetSubMenu(bar, 0);
  ASSERT_EQ(::GetMenuItemCount(file), 3);
  EXPECT_EQ(ItemText(file, 2), L"E&xit");
  EXPECT_NE(StateOf(file, 1) & MF_SEPARATOR, 0u);
  // The item that items were added under became a submenu in its place.
  HMENU edit = ::GetSubMenu(bar, 1);
  EXPECT_EQ(ItemText(edit, 0), L"Cu&t Layer\tCtrl+X");
  EXPECT_EQ(ItemText(edit, 1), L"&Preferences");
  HMENU preferences = ::GetSubMenu(edit, 1);
  ASSERT_NE(preferences, nullptr);
  EXPECT_EQ(::GetMenuItemCount(preferences), 3);

  // The menu bar takes no room from the form's client area.
  RECT client{};
  ::GetClientRect(kit.FormWindow("main"), &client);
  EXPECT_EQ(
      client.bottom,
      static_cast<LONG>(20 * CharGrid(static_cast<int>(::GetDpiForSystem())).RowHeight() + 0.5));
}

TEST_F(MenuTest, MarksAndDisablingFollowTheLettersAndItemsGoWithTheirSubmenu) {
  HMENU edit = ::GetSubMenu(bar, 1);
  HMENU preferences = ::GetSubMenu(edit, 1);
  kit.SetMenuItem("main", 1641, "X");
  EXPECT_NE(StateOf(preferences, 0) & MF_CHECKED, 0u);
  kit.SetMenuItem("main", 1641, "");
  EXPECT_EQ(StateOf(preferences, 0) & MF_CHECKED, 0u);
  // A submenu's entry is found by its ID too.
  kit.SetMenuItem("main", 1640, "D");
  EXPECT_NE(StateOf(edit, 1) & MF_GRAYED, 0u);
  kit.SetMenuItem("main", 1640, "");
  EXPECT_EQ(StateOf(edit, 1) & MF_GRAYED, 0u);

  // A menu command is a click of its ID.
  ::SendMessageW(kit.FormWindow("main"), WM_COMMAND, MAKEWPARAM(1530, 0), 0);
  EXPECT_EQ(CountEvents(1530, kClick), 1);

  kit.RemoveMenuItem("main", 1640);
  EXPECT_EQ(::GetMenuItemCount(edit), 1);
  kit.SetMenuItem("main", 1641, "X");  // gone with its submenu: nothing to mark
  kit.AddMenuItem("main", 1640, 1642, "Com 2");
  EXPECT_EQ(::GetMenuItemCount(edit), 1);
}

// Presses and releases a key in the window with the focus as the keyboard
// would, with Ctrl held or not.
void Press(HWND window, WORD key, bool control) {
  std::array<BYTE, 256> state{};
  ::GetKeyboardState(state.data());
  state[VK_CONTROL] = control ? 0x80 : 0;
  ::SetKeyboardState(state.data());
  const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  const auto down = static_cast<LPARAM>(1 | (scan << 16));
  const auto up = static_cast<LPARAM>(down | (1u << 30) | (1u << 31));
  ::PostMessageW(window, WM_KEYDOWN, key, down);
  ::PostMessageW(window, WM_KEYUP, key, up);
}

TEST_F(ToolkitTest, AcceleratorsComeFirstAndACancelledKeyDownTypesNothing) {
  Add(ControlKind::Text, 620, Rect{1, 1, 16.5, 1.25}, "", "ES");
  HWND box = kit.ControlWindow("main", 620);
  kit.DefineAccelerators("main", "^F12,28|^X,1605|");
  kit.AllowKeyEvents(1);
  onEvent = [](Event& event) {
    if (event.code == kKeyDown && event.value == 'A') event.cancel = true;
  };

  Press(box, 'X', true);
  kit.DoEvents();
  EXPECT_EQ(CountEvents(1605, kClick), 1);
  EXPECT_EQ(CountEvents(620, kKeyDown), 0);

  Press(box, 'A', false);
  Press(box, 'B', false);
  kit.DoEvents();
  EXPECT_EQ(CountEvents(620, kKeyDown), 2);
  // The accelerator took its key's press, not its release.
  EXPECT_EQ(CountEvents(620, kKeyUp), 3);
  ASSERT_EQ(CountEvents(620, kCharacter), 1);
  for (const Event& event : events) {
    if (event.code == kCharacter) {
      EXPECT_EQ(event.value, 'b');
    }
  }
  EXPECT_EQ(kit.Text("main", 620), "b");

  // The system's keys are told apart; with key events off only accelerators count.
  ::PostMessageW(box, WM_SYSKEYDOWN, VK_F10, 1);
  kit.DoEvents();
  EXPECT_EQ(CountEvents(620, kSystemKey), 1);
  kit.AllowKeyEvents(0);
  const std::size_t before = events.size();
  Press(box, 'C', false);
  Press(box, VK_F12, true);
  kit.DoEvents();
  ASSERT_EQ(events.size(), before + 1);
  EXPECT_EQ(events.back().id, 28);
  // Ctrl is let go for the tests after this one.
  Press(box, VK_SHIFT, false);
  kit.DoEvents();
}

}  // namespace
}  // namespace quorbel::ui
