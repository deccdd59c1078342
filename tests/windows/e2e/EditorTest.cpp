// The editor driven through the desktop as a user drives it: an edit that
// must survive a restart, and capture of a mouse position. The cases share
// one run of the program, restarted by the first.
//
// Each click and key waits for the editor to have handled the one before,
// read from its controls' state: the system sends a key to the window that
// has the focus when the key is queued, and the editor moves the focus when
// it handles a click.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include <windows.h>

#include "common/VirtualKeyCodes.h"
#include "platform/windows/WideText.h"
#include "tests/windows/e2e/WineRig.h"

namespace quorbel::testing {
namespace {

using Lines = std::vector<std::string>;
using Keys = std::vector<int>;

constexpr int kF6 = 5;
constexpr int kF7 = 6;

// Controls of the editor, and points of them in character units of its form.
constexpr int kSelectedControlName = 435;
constexpr int kKeyPressBox = 620;
constexpr int kMouseEmulationList = 650;
constexpr int kCaptureBox = 655;
constexpr double kMouseEmulationColumn = 94.5, kMouseEmulationRow = 15.9;
constexpr double kCaptureBoxColumn = 75, kCaptureBoxRow = 17.75;
constexpr double kShiftBoxColumn = 85, kShiftBoxRow = 13.5;
constexpr double kAddInsertColumn = 111, kAddInsertRow = 22.1;
constexpr int kLeftMouseClickEntry = 1;

HWND Handle(WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

// The message that lights the lamp of a selected control: "BF 12 05" for F6.
std::string SelectedLamp(int control) {
  const char digits[] = "0123456789ABCDEF";
  return std::string("BF 12 ") + digits[control / 16] + digits[control % 16];
}

class EditorOnWine : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { run.reset(); }

  // One keyset, "Default", with nothing assigned; it serves every program.
  void SetUp() override {
    if (!run) {
      auto rig = std::make_unique<WineRig>();
      rig->WriteKeyset("Default", KeysetImage());
      rig->StartEditor();
      rig->StartTarget("mytarget");
      run = std::move(rig);
    }
    if (!run->editor) run->StartEditor();
    run->SkipTargetLines();
  }

  static HWND Control(int id) { return ::GetDlgItem(Handle(run->editorWindow), id); }

  // The answer of a control of the editor to `message`; 0 when it gives none.
  static LRESULT Ask(int id, UINT message) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(Control(id), message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
  }

  // Asked by message: the title the system keeps for a window of another
  // program is not what a text box holds.
  static std::string ControlText(int id) {
    std::wstring text(256, L'\0');
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(Control(id), WM_GETTEXT, text.size(),
                          reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &length);
    text.resize(static_cast<std::size_t>(length));
    return Utf8FromWide(text);
  }

  // For a failure's message: what the editor shows and where the focus is.
  static std::string EditorState() {
    return "the \"Key Press:\" box shows \"" + ControlText(kKeyPressBox) +
           "\", the selected control is \"" + ControlText(kSelectedControlName) +
           "\", the capture box is " +
           (Ask(kCaptureBox, BM_GETCHECK) == BST_CHECKED ? "" : "not ") + "ticked, " +
           run->FocusState();
  }

  // Waits until `done` holds; a failure tells `what` and the editor's state
  // at that moment.
  static void WaitForEditor(const std::function<bool()>& done, const std::string& what) {
    if (!WineRig::Eventually(done)) throw std::runtime_error(what + "; " + EditorState());
  }

  // The first step of `control` in the first layer of the saved Default
  // keyset, once the program has saved one.
  void WaitForSavedStep(int control) {
    WaitForEditor(
        [&] {
          const auto saved = KeysetImage::Read(run->KeysetFile("Default"));
          return saved && saved->Layer(0).KeyCode[1][control] != 0;
        },
        "the edit was not saved");
  }
  KeysetLayer SavedFirstLayer() { return KeysetImage::Read(run->KeysetFile("Default"))->Layer(0); }

  // Selects `control` with the editor in front, by pressing it on the surface.
  void SelectInEditor(int control) {
    run->BringEditorToFront();
    const std::size_t from = run->SurfaceLineCount();
    run->PressOnSurface(control);
    run->WaitForSent(from, SelectedLamp(control));
  }

  // "Left Mouse Click" in the mouse emulation list, chosen as a user does:
  // the list dropped down with a click, one entry down and Return.
  void ChooseLeftMouseClick() {
    run->ClickEditor(kMouseEmulationColumn, kMouseEmulationRow);
    WaitForEditor([] { return Ask(kMouseEmulationList, CB_GETDROPPEDSTATE) != 0; },
                  "the mouse emulation list did not drop down");
    run->TypeKey(vk::kDown);
    run->TypeKey(vk::kReturn);
    WaitForEditor(
        [] {
          return Ask(kMouseEmulationList, CB_GETCURSEL) == kLeftMouseClickEntry &&
                 Ask(kMouseEmulationList, CB_GETDROPPEDSTATE) == 0;
        },
        "\"Left Mouse Click\" was not chosen");
  }

  static inline std::unique_ptr<WineRig> run;
};

TEST_F(EditorOnWine, AnEditSurvivesARestartByteForByteAndPlaysAfterIt) {
  SelectInEditor(kF6);
  run->ClickEditor(kShiftBoxColumn, kShiftBoxRow);  // gives the "Key Press:" box the focus
  run->WaitForEditorFocus(kKeyPressBox);
  // On a busy machine the window manager now and then hands the focus on for
  // a moment, and a key typed then goes elsewhere; it is typed again with the
  // editor back in front, its focus where it was.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (run->TypeKey('K'); !WineRig::Eventually([] { return ControlText(kKeyPressBox) == "K"; },
                                               std::chrono::seconds(3));
       run->TypeKey('K')) {
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("the \"Key Press:\" box did not take the key; " + EditorState());
    run->BringEditorToFront();
    run->WaitForEditorFocus(kKeyPressBox);
  }
  run->ClickEditor(kAddInsertColumn, kAddInsertRow);
  WaitForSavedStep(kF6);
  EXPECT_EQ(SavedFirstLayer().KeyCode[1][kF6], 'K');
  EXPECT_EQ(SavedFirstLayer().Modifiers[1][kF6], kShift);
  const std::string edited = FileBytes(run->KeysetFile("Default"));
  // The same bytes as the Linux build writes for the same edit.
  EXPECT_TRUE(edited == FileBytes(QUORBEL_EDITED_KEYSET))
      << "the saved keyset differs from " << QUORBEL_EDITED_KEYSET;

  EXPECT_EQ(run->StopEditor(), 0U);
  EXPECT_EQ(FileBytes(run->KeysetFile("Default")), edited);
  run->StartEditor();
  run->BringTargetToFront();
  run->PressOnSurface(kF6);
  EXPECT_EQ(run->NextKeysDown(2), (Keys{vk::kShift, 'K'}));
  EXPECT_EQ(FileBytes(run->KeysetFile("Default")), edited);
}

TEST_F(EditorOnWine, CaptureStoresThePointUnderTheCursorAndPlaybackClicksThere) {
  // F7 selected, "Left Mouse Click" in the mouse emulation list, then capture mode.
  SelectInEditor(kF7);
  ChooseLeftMouseClick();
  WaitForEditor([] { return ::IsWindowVisible(Control(kCaptureBox)) != FALSE; },
                "the capture box was not shown");
  run->ClickEditor(kCaptureBoxColumn, kCaptureBoxRow);
  WaitForEditor([] { return Ask(kCaptureBox, BM_GETCHECK) == BST_CHECKED; },
                "the capture box was not ticked");

  // The cursor rests where the target was clicked to bring it in front.
  run->BringTargetToFront();
  run->SkipTargetLines();
  run->PressOnSurface(kF7);
  WaitForSavedStep(kF7);
  const KeysetLayer saved = SavedFirstLayer();
  EXPECT_EQ(saved.KeyCode[1][kF7], kLeftClick);
  EXPECT_EQ(saved.MouseX[1][kF7], WineRig::kTargetPoint.x);
  EXPECT_EQ(saved.MouseY[1][kF7], WineRig::kTargetPoint.y);
  EXPECT_EQ(saved.KeyCode[2][kF7], 0);
  // Capture mode ended with the capture.
  WaitForEditor(
      [] {
        return Ask(kCaptureBox, BM_GETCHECK) == BST_UNCHECKED &&
               Ask(kMouseEmulationList, CB_GETCURSEL) == 0;
      },
      "capture mode did not end with the capture");

  // The capture restores the editor's window, which may take the focus: the
  // target is brought in front again. The capturing press played nothing:
  // the target saw only the click that brings it in front.
  run->BringTargetToFront();
  EXPECT_EQ(run->TargetLinesThrough("click "), Lines{"click 120 45"});

  // The next press plays the step, clicking the captured point wherever the
  // cursor was.
  run->input.SetCursor({5, 1000});
  run->PressOnSurface(kF7);
  const Lines played = run->TargetLinesThrough("click ");
  ASSERT_FALSE(played.empty());
  EXPECT_EQ(played.back(), "click 120 45");
  for (const std::string& line : played) EXPECT_FALSE(line.starts_with("down ")) << line;
}

}  // namespace
}  // namespace quorbel::testing
