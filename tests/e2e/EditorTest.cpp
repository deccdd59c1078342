// The editor driven through the X server as a user drives it: capture of a
// mouse position, and an edit that must survive a restart.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

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
constexpr double kFirstLayerLampColumn = 61.5, kFirstLayerLampRow = 0.8;
constexpr double kSecondLayerLampColumn = 66.25, kSecondLayerLampRow = 0.8;

class EditorEndToEnd : public EndToEndTest {
 protected:
  // One keyset, "Default", with nothing assigned; it serves every program.
  void SetUp() override {
    EndToEndTest::SetUp();
    if (IsSkipped()) return;
    WriteKeyset("Default", StartingKeyset());
    StartSurface();
    StartEditor();
    StartTarget("mytarget");
  }

  virtual KeysetImage StartingKeyset() const { return KeysetImage(); }

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

  // Opens the drop-down list at the point, moves `steps` entries down and
  // takes that entry.
  void ChooseInEditorList(double column, double row, int steps) {
    ClickEditor(column, row);
    for (int step = 0; step < steps; ++step) TypeKey(kVirtualDown);
    TypeKey(kVirtualReturn);
  }

  // Selects F6 with the editor in front, by pressing it on the surface.
  void SelectF6InEditor() {
    BringEditorToFront();
    const std::size_t from = surface->LineCount();
    PressOnSurface(kF6);
    WaitForSent(from, "BF 12 05");
  }

  // Clicks a layer lamp until the surface's Shift lamp shows that layer (the
  // last message of the layer line), from surface line `from` on. A
  // dropped-down list holds the pointer until it has handled its keys, and a
  // click meanwhile only closes it: hence the repeats.
  void ClickLayerLampUntilSent(double column, double row, const std::string& shiftLamp,
                               std::size_t from) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      ClickEditor(column, row);
      if (surface->WaitForLine(from, "recv " + shiftLamp, std::chrono::seconds(1)) >= 0) return;
    }
    throw std::runtime_error("the editor does not take clicks");
  }

  // Returns once the editor has handled the clicks and keys sent before: it
  // handles window events in order, so a click it handled after them proves
  // it. Any layer line ends with the Shift lamp, also one begun earlier (the
  // start-up's own layer line pauses for the display and serves window events
  // meanwhile, so it may end after later ones): a dark Shift lamp alone
  // proves nothing. Only the second layer's lamp lights it; the first
  // layer's lamp then darkens it again, and a dark lamp after the lit one can
  // only come from that click, so the first layer is current again.
  void WaitUntilEditorTookInput() {
    const std::size_t before = surface->LineCount();
    ClickLayerLampUntilSent(kSecondLayerLampColumn, kSecondLayerLampRow, "BF 12 14", before);
    const std::size_t lit = surface->LineCount();
    ClickLayerLampUntilSent(kFirstLayerLampColumn, kFirstLayerLampRow, "BF 13 14", lit);
  }

  // F6 selected, "Left Mouse Click" in the mouse emulation list, then
  // capture mode.
  void EnterCaptureModeForF6() {
    SelectF6InEditor();
    ChooseInEditorList(kMouseEmulationColumn, kMouseEmulationRow, 1);
    WaitUntilEditorTookInput();
    ClickEditor(kCaptureBoxColumn, kCaptureBoxRow);
    WaitUntilEditorTookInput();
  }
};

// F6's sequence is full: a capture for it is refused with a message box,
// shown inside the device thread's request.
class FullSequenceEndToEnd : public EditorEndToEnd {
 protected:
  KeysetImage StartingKeyset() const override {
    KeysetImage image;
    for (int step = 1; step <= 10; ++step) image.KeyStep(0, kF6, step, 'A');
    return image;
  }
};

TEST_F(FullSequenceEndToEnd, ASignalDuringTheMessageBoxOfACaptureEndsTheProgramAtOnce) {
  EnterCaptureModeForF6();
  BringTargetToFront();
  PressOnSurface(kF6);
  ASSERT_NE(WaitForWindow(*desktop, editor->pid(),
                          [](const std::string& title) { return title == "Brenlow Electronics"; }),
            0u);
  const std::filesystem::path preferences = folder->path() / "QuorbelU.ini";
  std::filesystem::remove(preferences);

  ::kill(editor->pid(), SIGTERM);
  WaitUntil([&] { return ProcessEnded(editor->pid()); }, "the program did not end",
            std::chrono::seconds(3));
  EXPECT_EQ(editor->Wait(), 0);
  editor.reset();
  EXPECT_TRUE(std::filesystem::exists(preferences));
}

TEST_F(EditorEndToEnd, CaptureStoresThePointUnderTheCursorAndPlaybackClicksThere) {
  EnterCaptureModeForF6();

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

TEST_F(EditorEndToEnd, AnEditSurvivesARestartByteForByteAndPlaysAfterIt) {
  SelectF6InEditor();
  ClickEditor(kShiftBoxColumn, kShiftBoxRow);  // gives the "Key Press:" box the focus
  TypeKey('K');
  ClickEditor(kAddInsertColumn, kAddInsertRow);
  WaitForSavedStep(kF6);
  EXPECT_EQ(SavedFirstLayer().KeyCode[1][kF6], 'K');
  EXPECT_EQ(SavedFirstLayer().Modifiers[1][kF6], kShift);
  const std::string edited = FileBytes(KeysetFile("Default"));
  // The same bytes as the Windows build writes for the same edit.
  EXPECT_TRUE(edited == FileBytes(QUORBEL_EDITED_KEYSET))
      << "the saved keyset differs from " << QUORBEL_EDITED_KEYSET;

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
