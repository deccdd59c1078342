// The editor driven through the X server as a user drives it: capture of a
// mouse position, and an edit that must survive a restart.
#include <gtest/gtest.h>

#include "tests/e2e/EndToEndRig.h"

namespace quorbel::testing {
namespace {

using Keys = std::vector<std::string>;

constexpr int kF6 = 5;
constexpr int kVirtualReturn = 13;
constexpr int kVirtualDown = 40;

// Points of the editor's controls, in character units of its form.
constexpr double kMouseEmulationColumn = 94.5, kMouseEmulationRow = 15.9;
constexpr double kCaptureBoxColumn = 75, kCaptureBoxRow = 17.75;
constexpr double kShiftBoxColumn = 85, kShiftBoxRow = 13.5;
constexpr double kAddInsertColumn = 111, kAddInsertRow = 22.1;

class EditorTest : public EndToEndTest {
 protected:
  // One keyset, "Default", with nothing assigned; it serves every program.
  void SetUp() override {
    EndToEndTest::SetUp();
    if (IsSkipped()) return;
    WriteKeyset("Default", KeysetImage());
    StartSurface();
    StartEditor();
    StartTarget("mytarget");
  }

  // The first step of `control` in the first layer of the saved Default
  // keyset, once the program has saved one.
  void WaitForSavedStep(int control) {
    WaitUntil(
        [&] {
          const auto saved = KeysetImage::Read(KeysetFile("Default"));
          return saved && saved->Layer(0).KeyCode[1][control] != 0;
        },
        "the edit was not saved");
  }
  KeysetLayer SavedFirstLayer() { return KeysetImage::Read(KeysetFile("Default"))->Layer(0); }

  // Selects a control with the editor in front, by pressing it on the surface.
  void SelectInEditor(int control, const std::string& lampMessage) {
    BringEditorToFront();
    const std::size_t from = surface->LineCount();
    PressOnSurface(control);
    WaitForSent(from, lampMessage);
  }
};

TEST_F(EditorTest, CaptureStoresThePointUnderTheCursorAndPlaybackClicksThere) {
  SelectInEditor(kF6, "BF 12 05");
  // "Left Mouse Click" in the mouse emulation list, then capture mode.
  ClickEditor(kMouseEmulationColumn, kMouseEmulationRow);
  TypeKey(kVirtualDown);
  TypeKey(kVirtualReturn);
  ClickEditor(kCaptureBoxColumn, kCaptureBoxRow);

  // The cursor rests where the target was clicked to bring it in front.
  BringTargetToFront();
  PressOnSurface(kF6);
  WaitForSavedStep(kF6);
  const KeysetLayer saved = SavedFirstLayer();
  EXPECT_EQ(saved.KeyCode[1][kF6], kLeftClick);
  EXPECT_EQ(saved.MouseX[1][kF6], kTargetPoint.x);
  EXPECT_EQ(saved.MouseY[1][kF6], kTargetPoint.y);
  EXPECT_EQ(saved.KeyCode[2][kF6], 0);

  // Capture mode ended with the capture: the next press plays the step,
  // clicking the captured point wherever the cursor was; the capturing press
  // played nothing.
  input->SetCursor({5, 1000});
  PressOnSurface(kF6);
  const Keys lines = target->LinesThrough("button ");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "button 1 120 45");
  for (const std::string& line : lines) EXPECT_FALSE(line.starts_with("press ")) << line;
}

TEST_F(EditorTest, AnEditSurvivesARestartByteForByteAndPlaysAfterIt) {
  SelectInEditor(kF6, "BF 12 05");
  ClickEditor(kShiftBoxColumn, kShiftBoxRow);  // gives the "Key Press:" box the focus
  TypeKey('K');
  ClickEditor(kAddInsertColumn, kAddInsertRow);
  WaitForSavedStep(kF6);
  EXPECT_EQ(SavedFirstLayer().KeyCode[1][kF6], 'K');
  EXPECT_EQ(SavedFirstLayer().Modifiers[1][kF6], kShift);
  const std::string edited = FileBytes(KeysetFile("Default"));

  EXPECT_EQ(StopEditor(), 0);
  EXPECT_EQ(FileBytes(KeysetFile("Default")), edited);
  StartEditor();
  BringTargetToFront();
  PressOnSurface(kF6);
  EXPECT_EQ(NextKeyPresses(2), (Keys{"Shift_L", "K"}));
  EXPECT_EQ(FileBytes(KeysetFile("Default")), edited);
}

}  // namespace
}  // namespace quorbel::testing
