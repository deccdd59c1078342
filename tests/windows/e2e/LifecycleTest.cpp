// The program's life beside the surface: one copy at a time, and a surface
// that goes away and comes back while the program runs. The cases share one
// run of the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/VirtualKeyCodes.h"
#include "platform/windows/WideText.h"
#include "tests/windows/e2e/WineRig.h"

namespace quorbel::testing {
namespace {

using Keys = std::vector<int>;

constexpr int kF3 = 2;

HWND Handle(WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

// The texts of a window's children, as a message box shows its message.
std::vector<std::string> ChildTexts(WindowId window) {
  std::vector<std::string> texts;
  ::EnumChildWindows(
      Handle(window),
      [](HWND child, LPARAM found) -> BOOL {
        std::wstring text(512, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(child, text.data(), 512)));
        reinterpret_cast<std::vector<std::string>*>(found)->push_back(Utf8FromWide(text));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

class LifecycleOnWine : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { run.reset(); }

  void SetUp() override {
    if (!run) {
      auto rig = std::make_unique<WineRig>();
      rig->WriteKeyset("Default", KeysetImage().KeyStep(0, kF3, 1, 'U'));
      rig->StartEditor();
      rig->StartTarget("mytarget");
      run = std::move(rig);
    }
    run->SkipTargetLines();
  }

  void ExpectPressPlays() {
    run->BringTargetToFront();
    run->PressOnSurface(kF3);
    EXPECT_EQ(run->NextKeysDown(1), Keys{'U'});
  }

  static inline std::unique_ptr<WineRig> run;
};

TEST_F(LifecycleOnWine, ASecondCopyShowsItsMessageOnlyAndEndsWhenItIsAnswered) {
  const auto second = run->StartSecondCopy();
  const WindowId message = run->WaitForWindow(
      second->id(), [](const std::string& title) { return title == "Brenlow Electronics, Inc."; });
  ASSERT_NE(message, 0u);
  EXPECT_THAT(ChildTexts(message), ::testing::Contains("QuorbelU is Already Running"));
  // The message comes before any window of the program would: it is its only
  // one on the screen.
  for (WindowId window : run->desktop.TopLevelWindows()) {
    if (run->desktop.ProcessId(window) == second->id() && ::IsWindowVisible(Handle(window))) {
      EXPECT_EQ(window, message) << run->desktop.WindowTitle(window);
    }
  }

  // A click brings the message in front; Return answers it. A click before
  // the message is on the screen, or lost while the window manager still
  // hands the focus about, is made again, as a user would.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (run->desktop.ForegroundWindow() != message) {
    if (std::chrono::steady_clock::now() > deadline)
      FAIL() << "the message did not come to the front; " << run->FocusState();
    if (::IsWindowVisible(Handle(message))) {
      run->input.SetCursor(run->input.ClientToScreen(message, {10, 10}));
      run->input.Click(MouseButton::Left);
    }
    WineRig::Eventually([&] { return run->desktop.ForegroundWindow() == message; },
                        std::chrono::seconds(3));
  }
  run->TypeKey(vk::kReturn);
  EXPECT_EQ(second->WaitForEnd(std::chrono::seconds(20)), 0UL) << "the second copy did not end";

  EXPECT_EQ(run->EditorTitle(), "Quorbel - Default");
  ExpectPressPlays();
}

TEST_F(LifecycleOnWine, TheProgramOutlivesAnUnpluggedSurfaceAndPlaysAgainOnceItIsBack) {
  ExpectPressPlays();
  run->TellSurfaceAndWait("unplug", "unplugged");
  // The status timer finds the port gone, and later back.
  run->WaitForEditorTitle("Quorbel Not Active", WineRig::kTickPatience);
  run->TellSurfaceAndWait("plug", "ready");
  run->WaitForEditorTitle("Quorbel - Default", WineRig::kTickPatience);
  ExpectPressPlays();
}

}  // namespace
}  // namespace quorbel::testing
