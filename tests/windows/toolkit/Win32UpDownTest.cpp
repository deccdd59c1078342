#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

// The positions the up-down reported, in order.
std::vector<int> Reported(const std::vector<Event>& events) {
  std::vector<int> positions;
  for (const Event& event : events) {
    if (event.id == 490 && event.code == kChanged) positions.push_back(event.value);
  }
  return positions;
}

// As the other toolkits' up-down: a click on an arrow gives it the keyboard;
// Up and Down step by one, Page Up and Page Down by ten, the wheel a step a
// notch (turns of less than a notch add up); it stops at the ends of its
// range, and only a step that moves it is reported.
TEST_F(ToolkitTest, AnUpDownStepsWithItsArrowsTheKeysAndTheWheel) {
  Add(ControlKind::UpDown, 490, Rect{1, 1, 2, 2});
  kit.SetRange("main", 490, 0, 100, 50);
  HWND upDown = kit.ControlWindow("main", 490);
  ::SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(upDown, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(::GetFocus(), upDown);

  for (const int key : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_NEXT}) {
    ::SendMessageW(upDown, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    ::SendMessageW(upDown, WM_KEYUP, static_cast<WPARAM>(key), 0);
  }
  ::SendMessageW(upDown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  ::SendMessageW(upDown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  ::SendMessageW(upDown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
  ::SendMessageW(upDown, WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(-2 * WHEEL_DELTA))), 0);
  EXPECT_EQ(Reported(events), (std::vector<int>{51, 52, 51, 61, 51, 41, 42, 43, 41}));
  EXPECT_EQ(kit.Position("main", 490), 41);

  kit.SetRange("main", 490, 0, 100, 95);
  ::SendMessageW(upDown, WM_KEYDOWN, VK_PRIOR, 0);
  ::SendMessageW(upDown, WM_KEYDOWN, VK_PRIOR, 0);
  ::SendMessageW(upDown, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(Reported(events).back(), 100);
  EXPECT_EQ(Reported(events).size(), 10u);
  EXPECT_EQ(kit.Position("main", 490), 100);
}

}  // namespace
}  // namespace quorbel::ui
