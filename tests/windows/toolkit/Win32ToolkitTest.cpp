#include "toolkit/win32/Win32Toolkit.h"

#include <gtest/gtest.h>
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "ToolkitFixture.h"

namespace quorbel::ui {
namespace {

TEST(CharGrid, ColumnsAndRowsGrowWithTheDpiAndNeighboursStayEdgeToEdge) {
  const CharGrid normal(96);
  EXPECT_DOUBLE_EQ(normal.ColumnWidth(), 8);
  EXPECT_DOUBLE_EQ(normal.RowHeight(), 16);
  const RECT label = normal.ToPixels(Rect{1, 0.5, 12, 1});
  EXPECT_EQ(label.left, 8);
  EXPECT_EQ(label.top, 8);
  EXPECT_EQ(label.right, 104);
  EXPECT_EQ(label.bottom, 24);

  const CharGrid large(144);  // 150 %
  EXPECT_DOUBLE_EQ(large.ColumnWidth(), 12);
  EXPECT_DOUBLE_EQ(large.RowHeight(), 24);
  // Two controls that meet on the grid meet in pixels, whatever the rounding.
  const RECT left = large.ToPixels(Rect{60.5, 0.325, 4.75, 1.125});
  const RECT right = large.ToPixels(Rect{65.25, 0.325, 4.75, 1.125});
  EXPECT_EQ(left.right, right.left);
  EXPECT_EQ(left.top, right.top);
}

TEST_F(ToolkitTest, FormsAreFoundWhateverTheCaseLaidOutOnCreationAndSizedOnTheGrid) {
  EXPECT_EQ(laidOut, (std::vector<std::string>{"main"}));
  EXPECT_NE(kit.Handle("MAIN"), 0u);
  EXPECT_EQ(kit.Handle("Main"), kit.Handle("main"));
  EXPECT_FALSE(kit.HasForm("other"));
  const Size size = kit.FormSize("MAIN");
  EXPECT_DOUBLE_EQ(size.width, 40);
  EXPECT_DOUBLE_EQ(size.height, 20);

  RECT client{};
  ::GetClientRect(kit.FormWindow("main"), &client);
  const CharGrid grid(static_cast<int>(::GetDpiForSystem()));
  EXPECT_EQ(client.right, static_cast<LONG>(40 * grid.ColumnWidth() + 0.5));
  EXPECT_EQ(client.bottom, static_cast<LONG>(20 * grid.RowHeight() + 0.5));
  EXPECT_GT(kit.ScreenSize().width, 40);

  // A form goes with the form it was created in.
  kit.CreateForm("KSDisplay", "main", "Keyset Display", Rect{0, 0, 30, 10}, "", kDefaultColour,
                 kDefaultColour);
  EXPECT_TRUE(kit.HasForm("ksdisplay"));
  kit.UnloadForm("MAIN");
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_FALSE(kit.HasForm("KSDISPLAY"));
}

TEST_F(ToolkitTest, TheCloseBoxReportsAndACancelledCloseKeepsTheForm) {
  onEvent = [](Event& event) {
    if (event.code == kFormClosed) event.cancel = true;
  };
  ::SendMessageW(kit.FormWindow("main"), WM_CLOSE, 0, 0);
  EXPECT_EQ(CountEvents(0, kFormClosed), 1);
  EXPECT_TRUE(kit.HasForm("main"));

  onEvent = nullptr;
  ::SendMessageW(kit.FormWindow("main"), WM_CLOSE, 0, 0);
  EXPECT_EQ(CountEvents(0, kFormClosed), 2);
  EXPECT_FALSE(kit.HasForm("main"));
}

TEST_F(ToolkitTest, EveryKindOfControlIsMadeWithItsTextsAndLetters) {
  Add(ControlKind::Label, 400, Rect{1, 0.5, 12, 1}, "Current Keyset:", "LI");
  Add(ControlKind::Text, 610, Rect{13, 2, 20, 1.25}, "", "ES");
  Add(ControlKind::Button, 480, Rect{1, 4, 12, 1.25}, "Add/&Insert");
  Add(ControlKind::CheckBox, 630, Rect{1, 6, 5, 1}, "alt");
  Add(ControlKind::Radio, 675, Rect{7, 6, 10, 1.25}, "Native MIDI", "GH");
  Add(ControlKind::ComboBox, 650, Rect{1, 8, 20, 5}, "", "JV");
  Add(ControlKind::ListBox, 475, Rect{22, 8, 15, 5}, "", "SV");
  Add(ControlKind::ListView, 110, Rect{1, 14, 30, 4}, "Handle{6}|Name{20}", "-SV#H");
  Add(ControlKind::TabControl, 440, Rect{0, 0, 39, 19}, "Keystrokes/Mouse", "R");
  Add(ControlKind::UpDown, 490, Rect{33, 2, 1, 1.5});
  Add(ControlKind::VTrackBar, 465, Rect{35, 2, 3, 10}, "", "R");
  Add(ControlKind::Picture, 520, Rect{30, 0.325, 1, 1}, "$Red1on");

  for (int id : {400, 610, 480, 630, 675, 650, 475, 110, 440, 490, 465, 520}) {
    EXPECT_NE(kit.ControlWindow("main", id), nullptr) << id;
  }
  EXPECT_EQ(kit.Text("main", 400), "Current Keyset:");
  EXPECT_EQ(kit.Text("main", 480), "Add/&Insert");
  EXPECT_EQ(kit.Text("main", 520), "$Red1on");
  EXPECT_FALSE(::IsWindowVisible(kit.ControlWindow("main", 675)));
  EXPECT_FALSE(::IsWindowVisible(kit.ControlWindow("main", 110)));
  EXPECT_TRUE(::IsWindowVisible(kit.ControlWindow("main", 630)));

  // The list view has its columns, the tab control its tab, with their whole titles.
  HWND header =
      reinterpret_cast<HWND>(::SendMessageW(kit.ControlWindow("main", 110), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
  wchar_t title[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = title;
  column.cchTextMax = 64;
  ::SendMessageW(kit.ControlWindow("main", 110), LVM_GETCOLUMNW, 1,
                 reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(title, L"Name");
  EXPECT_EQ(column.cx, CharGrid(static_cast<int>(::GetDpiForSystem())).Columns(20));
  EXPECT_EQ(::SendMessageW(kit.ControlWindow("main", 440), TCM_GETITEMCOUNT, 0, 0), 1);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = title;
  tab.cchTextMax = 64;
  ::SendMessageW(kit.ControlWindow("main", 440), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  EXPECT_STREQ(title, L"Keystrokes/Mouse");

  // Where controls overlap, the one created earlier lies above.
  HWND above = ::GetWindow(kit.ControlWindow("main", 400), GW_HWNDPREV);
  EXPECT_EQ(above, nullptr);
  EXPECT_EQ(::GetWindow(kit.ControlWindow("main", 440), GW_HWNDNEXT),
            kit.ControlWindow("main", 490));
}

TEST_F(ToolkitTest, TextsChecksAndRangesRoundTripAndTheProgramsOwnChangesSendNoEvent) {
  Add(ControlKind::Label, 435, Rect{1, 1, 15, 1.125}, "", "CS");
  Add(ControlKind::Text, 620, Rect{1, 3, 16, 1.25});
  Add(ControlKind::CheckBox, 635, Rect{1, 5, 5, 1}, "ctrl");
  Add(ControlKind::VTrackBar, 465, Rect{20, 1, 5, 12});
  Add(ControlKind::UpDown, 490, Rect{30, 1, 1, 1.5});

  kit.SetText("main", 435, "Wheel \xC3\xBC ber");
  EXPECT_EQ(kit.Text("main", 435), "Wheel \xC3\xBC ber");
  kit.SetText("main", 620, "Ctrl+F5");
  EXPECT_EQ(kit.Text("main", 620), "Ctrl+F5");
  kit.SetText("main", 0, "Quorbel - Default");
  EXPECT_EQ(kit.Text("main", 0), "Quorbel - Default");

  EXPECT_FALSE(kit.Checked("main", 635));
  kit.SetCheck("main", 635, true);
  EXPECT_TRUE(kit.Checked("main", 635));

  kit.SetRange("main", 465, 0, 10, 5);
  EXPECT_EQ(kit.Position("main", 465), 5);
  kit.SetRange("main", 490, 0, 100, 7);
  EXPECT_EQ(kit.Position("main", 490), 7);
  kit.SetRange("main", 490, 0, 100, 250);
  EXPECT_EQ(kit.Position("main", 490), 100);
  kit.Delay(0.02f);
  EXPECT_EQ(CountEvents(620, kChanged), 0);
  EXPECT_EQ(CountEvents(465, kChanged), 0);
  EXPECT_EQ(CountEvents(490, kChanged), 0);
  // A user's edit is reported.
  ::SendMessageW(kit.ControlWindow("main", 620), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(L"x"));
  EXPECT_EQ(CountEvents(620, kChanged), 1);
}

TEST_F(ToolkitTest, ShowHideEnableAndDisableTakeAnInclusiveRangeOfIds) {
  Add(ControlKind::Label, 655, Rect{1, 1, 10, 1}, "a", "H");
  Add(ControlKind::Label, 660, Rect{1, 2, 10, 1}, "b", "LH");
  Add(ControlKind::Label, 665, Rect{1, 3, 10, 1}, "c", "LH");
  Add(ControlKind::Button, 680, Rect{1, 4, 10, 1}, "d", "D");

  kit.Show("main", 655, 660);
  EXPECT_TRUE(::IsWindowVisible(kit.ControlWindow("main", 655)));
  EXPECT_TRUE(::IsWindowVisible(kit.ControlWindow("main", 660)));
  EXPECT_FALSE(::IsWindowVisible(kit.ControlWindow("main", 665)));
  // A control that appears lies above its neighbours.
  EXPECT_EQ(::GetWindow(kit.ControlWindow("main", 660), GW_HWNDPREV), nullptr);
  kit.Hide("main", 600, 700);
  EXPECT_FALSE(::IsWindowVisible(kit.ControlWindow("main", 655)));

  EXPECT_FALSE(::IsWindowEnabled(kit.ControlWindow("main", 680)));
  kit.Enable("main", 680, 680);
  EXPECT_TRUE(::IsWindowEnabled(kit.ControlWindow("main", 680)));
  kit.Disable("main", 655, 680);
  EXPECT_FALSE(::IsWindowEnabled(kit.ControlWindow("main", 655)));
  EXPECT_FALSE(::IsWindowEnabled(kit.ControlWindow("main", 680)));
}

TEST_F(ToolkitTest, ClicksAndMovesReachTheEventCallback) {
  Add(ControlKind::Button, 480, Rect{1, 1, 12, 1.25}, "Add/&Insert");
  Add(ControlKind::CheckBox, 630, Rect{1, 3, 5, 1}, "alt");
  Add(ControlKind::Label, 516, Rect{1, 5, 1, 1}, "1", "LI");
  Add(ControlKind::VTrackBar, 465, Rect{20, 1, 5, 12});
  kit.SetRange("main", 465, 0, 10, 5);

  ::SendMessageW(kit.ControlWindow("main", 480), BM_CLICK, 0, 0);
  ::SendMessageW(kit.ControlWindow("main", 630), BM_CLICK, 0, 0);
  EXPECT_EQ(CountEvents(480, kClick), 1);
  EXPECT_EQ(CountEvents(630, kClick), 1);
  EXPECT_TRUE(kit.Checked("main", 630));

  // A label is clicked like a button.
  HWND label = kit.ControlWindow("main", 516);
  ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(CountEvents(516, kClick), 1);

  // A step of the slider reports its new position once.
  ::SendMessageW(kit.ControlWindow("main", 465), WM_KEYDOWN, VK_DOWN, 0);
  ::SendMessageW(kit.ControlWindow("main", 465), WM_KEYUP, VK_DOWN, 0);
  ASSERT_EQ(CountEvents(465, kChanged), 1);
  EXPECT_EQ(events.back().value, 6);
  EXPECT_EQ(kit.Position("main", 465), 6);
}

TEST_F(ToolkitTest, TheUsersStepsOnAnUpDownAndATabReport) {
  Add(ControlKind::UpDown, 490, Rect{1, 1, 2, 2});
  Add(ControlKind::TabControl, 440, Rect{5, 1, 30, 10}, "Keystrokes/Mouse|MIDI");
  kit.SetRange("main", 490, 0, 100, 7);
  // A click on the upper arrow counts up.
  HWND upDown = kit.ControlWindow("main", 490);
  ::SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(upDown, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(CountEvents(490, kChanged), 1);
  EXPECT_EQ(events.back().value, 8);
  EXPECT_EQ(kit.Position("main", 490), 8);

  HWND tabs = kit.ControlWindow("main", 440);
  ::SendMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_EQ(CountEvents(440, kChanged), 1);
  EXPECT_EQ(events.back().value, 1);
}

TEST_F(ToolkitTest, AModalFormReturnsOnlyOnceClosedAndHoldsItsParentMeanwhile) {
  std::atomic<bool> parentHeld{false};
  HWND main = kit.FormWindow("main");
  std::thread user([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      HWND modal = ::FindWindowW(nullptr, L"Keyset Display");
      if (modal != nullptr && ::IsWindowVisible(modal)) {
        parentHeld = ::IsWindowEnabled(main) == 0;
        ::PostMessageW(modal, WM_CLOSE, 0, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  kit.CreateForm("ksdisplay", "main", "Keyset Display", Rect{0, 0, 30, 10}, "M", kDefaultColour,
                 kDefaultColour);
  user.join();
  EXPECT_FALSE(kit.HasForm("ksdisplay"));
  EXPECT_TRUE(parentHeld);
  EXPECT_TRUE(::IsWindowEnabled(main));
}

TEST_F(ToolkitTest, TheControlThatHadTheFocusHasItAgainWhenTheFormIsActiveAgain) {
  Add(ControlKind::Text, 10, Rect{1, 1, 10, 1});
  Add(ControlKind::Text, 11, Rect{1, 3, 10, 1});
  const HWND form = kit.FormWindow("main");
  ::ShowWindow(form, SW_SHOW);
  ::SetActiveWindow(form);
  kit.SetFocus("main", 11);
  ASSERT_EQ(::GetFocus(), ::GetDlgItem(form, 11));

  const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                       0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  ASSERT_EQ(::GetFocus(), other);
  ::SetActiveWindow(form);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(form, 11));

  // A control hidden meanwhile leaves the focus with the window.
  ::SetActiveWindow(other);
  kit.Hide("main", 11, 11);
  ::SetActiveWindow(form);
  EXPECT_EQ(::GetFocus(), form);
  ::DestroyWindow(other);
}

TEST_F(ToolkitTest, TimersReportTheirIdUntilStoppedAndDelaysServeThem) {
  kit.StartTimer("main", 2100, 0.01f);
  ServeUntil([&] { return CountEvents(2100, kClick) >= 2; });
  EXPECT_GE(CountEvents(2100, kClick), 2);
  kit.StopTimer("main", 2100);
  const int counted = CountEvents(2100, kClick);
  kit.Delay(0.1f);
  EXPECT_EQ(CountEvents(2100, kClick), counted);
}

TEST_F(ToolkitTest, ColoursPaintTheFormAndItsLabels) {
  kit.DefineColour(32, 0x40, 0x50, 0x60);
  kit.CreateForm("colours", "", "Colours", Rect{0, 0, 20, 10}, "", 0, 32);
  ControlDefinition strip;
  strip.kind = ControlKind::Label;
  strip.id = 101;
  strip.place = Rect{0, 0, 20, 2};
  strip.textColour = 0;
  strip.backColour = 15;
  kit.AddControl("colours", strip);
  HWND form = kit.FormWindow("colours");
  ::RedrawWindow(form, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  kit.Delay(0.05f);
  HDC context = ::GetDC(form);
  const COLORREF back = ::GetPixel(context, 5, 100);
  const COLORREF label = ::GetPixel(context, 100, 10);
  ::ReleaseDC(form, context);
  EXPECT_EQ(back, RGB(0x40, 0x50, 0x60));
  EXPECT_EQ(label, RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(ToolkitTest, AnotherThreadsCallsRunOnTheGuiThreadWhileItWaits) {
  Add(ControlKind::Label, 435, Rect{1, 1, 15, 1.125});
  std::atomic<bool> done{false};
  std::thread device([&] {
    kit.SetText("main", 435, "Play");
    done = kit.Text("main", 435) == "Play";
  });
  ServeUntil([&] { return done.load(); });
  device.join();
  EXPECT_TRUE(done);
}

// Finds the message box titled `title` of this process, waiting up to ten
// seconds for it.
HWND FindMessageBox(const wchar_t* title) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (HWND box = ::FindWindowW(L"#32770", title)) return box;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

// The text of the box's message: the static control that is not its icon.
std::wstring MessageOf(HWND box) {
  std::wstring text;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(child, name, 16);
        wchar_t buffer[512] = {};
        ::GetWindowTextW(child, buffer, 512);
        if (lstrcmpiW(name, L"Static") == 0 && buffer[0] != 0) {
          *reinterpret_cast<std::wstring*>(found) = buffer;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// The icon the box shows; null for none.
HICON IconOf(HWND box) {
  HICON icon = nullptr;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM found) -> BOOL {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
        *reinterpret_cast<HICON*>(found) =
            reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&icon));
  return icon;
}

TEST_F(ToolkitTest, MessageBoxesBreakLinesShowTheIconAskedForAndAnswerYesOrNo) {
  std::wstring shown;
  HICON icon = nullptr;
  std::thread user([&] {
    HWND box = FindMessageBox(L"Brenlow Electronics");
    if (box == nullptr) return;
    shown = MessageOf(box);
    icon = IconOf(box);
    ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  });
  const int answer =
      kit.MessageBox("main", "Delete keyset|Cubase?{?}", "Brenlow Electronics", Buttons::YesNo);
  user.join();
  EXPECT_EQ(answer, kAnswerNo);
  EXPECT_EQ(shown, L"Delete keyset\nCubase?");
  EXPECT_EQ(icon, ::LoadIconW(nullptr, MAKEINTRESOURCEW(32514)));  // the question mark

  std::thread okUser([&] {
    if (HWND box = FindMessageBox(L"QuorbelU")) {
      icon = IconOf(box);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  });
  EXPECT_EQ(kit.MessageBox("main", "Failure to start communications on Com 1{!}", "QuorbelU",
                           Buttons::Ok),
            kAnswerYes);
  okUser.join();
  EXPECT_EQ(icon, ::LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));  // the exclamation mark
}

}  // namespace
}  // namespace quorbel::ui
