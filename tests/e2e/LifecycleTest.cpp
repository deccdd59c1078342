// The program's life beside the surface: one copy at a time, and a surface
// that goes away and comes back while the program runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/e2e/EndToEndRig.h"

namespace quorbel::testing {
namespace {

using Keys = std::vector<std::string>;

constexpr int kF3 = 2;
constexpr int kVirtualReturn = 13;

class LifecycleEndToEnd : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    if (IsSkipped()) return;
    WriteKeyset("Default", KeysetImage().KeyStep(0, kF3, 1, 'U'));
    StartSurface();
    StartEditor();
    StartTarget("mytarget");
  }

  void ExpectPressPlays() {
    BringTargetToFront();
    PressOnSurface(kF3);
    EXPECT_EQ(NextKeyPresses(1), Keys{"u"});
  }
};

TEST_F(LifecycleEndToEnd, ASecondCopyShowsItsMessageOnlyAndEndsWhenItIsAnswered) {
  auto second = StartProgram(*folder, server->display());
  const WindowId message = WaitForWindow(*desktop, second->pid(), [](const std::string& title) {
    return title == "Brenlow Electronics, Inc.";
  });
  ASSERT_NE(message, 0u);
  // The message comes before any window of the program would: it is its only one.
  for (WindowId window : desktop->TopLevelWindows()) {
    if (desktop->ProcessId(window) == second->pid()) {
      EXPECT_EQ(window, message);
    }
  }

  // A click brings the message in front; Return answers it.
  input->SetCursor(input->ClientToScreen(message, {10, 10}));
  input->Click(MouseButton::Left);
  WaitUntil([&] { return desktop->ForegroundWindow() == message; },
            "the message did not come to the front");
  TypeKey(kVirtualReturn);
  WaitUntil([&] { return ProcessEnded(second->pid()); }, "the second copy did not end");
  EXPECT_EQ(second->Wait(), 0);

  EXPECT_EQ(EditorTitle(), "Quorbel - Default");
  ExpectPressPlays();
}

TEST_F(LifecycleEndToEnd, LosingTheXServerEndsTheProgramWithItsPreferencesWritten) {
  const std::filesystem::path preferences = folder->path() / "QuorbelU.ini";
  std::filesystem::remove(preferences);
  target.reset();
  input.reset();
  desktop.reset();
  server->Stop();
  WaitUntil([&] { return ProcessEnded(editor->pid()); }, "the program did not end",
            std::chrono::seconds(5));
  editor->Wait();
  editor.reset();
  EXPECT_TRUE(std::filesystem::exists(preferences));
}

TEST_F(LifecycleEndToEnd, TheProgramOutlivesAnUnpluggedSurfaceAndPlaysAgainOnceItIsBack) {
  ExpectPressPlays();
  ASSERT_GE(surface->CommandAndWait("unplug", "unplugged"), 0);
  // The status timer finds the port gone, and later back.
  WaitForEditorTitle("Quorbel Not Active", kTickPatience);
  ASSERT_GE(surface->CommandAndWait("plug", "ready"), 0);
  WaitForEditorTitle("Quorbel - Default", kTickPatience);
  ExpectPressPlays();
}

}  // namespace
}  // namespace quorbel::testing
