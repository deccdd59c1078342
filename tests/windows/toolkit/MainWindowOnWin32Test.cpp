#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "ToolkitFixture.h"
#include "common/SelectionState.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/FormName.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowIds.h"
#include "ui/YesNoPrompt.h"

namespace quorbel::ui {
namespace {

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

// The program's own main window, laid out on the Win32 toolkit as the
// program lays it out.
class MainWindowOnWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks([this](const std::string&) { LayOutMainWindow(kit, catalogue, selection); },
                     [this](Event& event) { events.push_back(event); });
    CreateMainWindow(kit, "");
  }

  Win32Toolkit kit;
  ControlCatalogue catalogue;
  SelectionState selection;
  std::vector<Event> events;
};

TEST_F(MainWindowOnWin32, TheMenusControlsAndGridAreThoseTheProgramAskedFor) {
  HWND window = kit.FormWindow(kMainForm);
  ASSERT_NE(window, nullptr);
  RECT client{};
  ::GetClientRect(window, &client);
  const CharGrid grid(static_cast<int>(::GetDpiForSystem()));
  EXPECT_EQ(client.right, static_cast<LONG>(126.875 * grid.ColumnWidth() + 0.5));
  EXPECT_EQ(client.bottom, static_cast<LONG>(32.4375 * grid.RowHeight() + 0.5));

  HMENU bar = ::GetMenu(window);
  ASSERT_EQ(::GetMenuItemCount(bar), 5);
  EXPECT_EQ(MenuText(bar, 0), L"&File");
  EXPECT_EQ(MenuText(bar, 4), L"&Help");
  HMENU edit = ::GetSubMenu(bar, 1);
  HMENU preferences = ::GetSubMenu(edit, ::GetMenuItemCount(edit) - 1);
  ASSERT_NE(preferences, nullptr);
  EXPECT_EQ(MenuText(preferences, 0), L"Com 1");
  EXPECT_EQ(MenuText(preferences, 1), L"Com 2");
  EXPECT_EQ(MenuText(preferences, 36), L" 4800 Baud");
  // The Delete item is disabled at first.
  bool deleteDisabled = false;
  for (int position = 0; position < ::GetMenuItemCount(edit); ++position) {
    if (MenuText(edit, position) == L"&Delete Current Keyset") {
      deleteDisabled =
          (::GetMenuState(edit, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
    }
  }
  EXPECT_TRUE(deleteDisabled);

  for (int hidden : {110, 655, 660, 665, 670, 675, 680}) {
    ASSERT_NE(kit.ControlWindow(kMainForm, hidden), nullptr) << hidden;
    EXPECT_FALSE(::IsWindowVisible(kit.ControlWindow(kMainForm, hidden))) << hidden;
  }
  EXPECT_EQ(kit.Text(kMainForm, 650), "None");
  EXPECT_EQ(kit.Position(kMainForm, 465), selection.SpeedRange);
  // The panel's pictures are there, one window each.
  int children = 0;
  ::EnumChildWindows(
      window,
      [](HWND, LPARAM count) -> BOOL {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  EXPECT_GT(children, 100);
}

// Clicks the button titled `text` of the window titled `title`, once both
// are there; waits up to ten seconds.
std::thread ClickWhenShown(const wchar_t* title, const wchar_t* text) {
  return std::thread([title, text] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      HWND window = ::FindWindowW(nullptr, title);
      HWND button = window != nullptr ? ::FindWindowExW(window, nullptr, L"Button", text) : nullptr;
      if (button != nullptr && ::IsWindowVisible(window)) {
        ::PostMessageW(button, BM_CLICK, 0, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
}

TEST(YesNoPromptOnWin32, TheButtonClickedIsTheAnswerAndTheCloseBoxSaysNo) {
  Win32Toolkit kit;
  YesNoPrompt prompt(kit);
  kit.SetCallbacks(
      [&](const std::string& form) {
        if (SameFormName(form, kYesNoForm)) prompt.Layout();
      },
      [&](Event& event) {
        if (SameFormName(event.form, kYesNoForm)) prompt.HandleEvent(event);
      });
  kit.CreateForm(kMainForm, "", "QuorbelU", Rect{0, 0, 60, 20}, "", kDefaultColour, kDefaultColour);

  std::thread yes = ClickWhenShown(L"Delete Keyset", L"Yes");
  EXPECT_EQ(prompt.Ask(kMainForm, "Delete keyset|Cubase?", "Delete Keyset"), kAnswerYes);
  yes.join();
  EXPECT_FALSE(kit.HasForm(kYesNoForm));

  std::thread closer([] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (HWND window = ::FindWindowW(nullptr, L"Replace")) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  EXPECT_EQ(prompt.Ask(kMainForm, "Replace the keyset?", "Replace"), kAnswerNo);
  closer.join();
  EXPECT_FALSE(kit.HasForm(kYesNoForm));
}

}  // namespace
}  // namespace quorbel::ui
