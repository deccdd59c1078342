#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Types.h"
#include "platform/windows/WindowsDesktop.h"
#include "platform/windows/WindowsInput.h"
#include "tests/support/KeysetImage.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/e2e/LineFile.h"
#include "tests/windows/e2e/StartedProgram.h"

namespace quorbel::testing {

// QuorbelU as a Windows user meets it, under Wine: the simulated surface on
// COM1 (put there by the test's script, which names the surface's command
// and output files), the program in a folder of its own, and the target
// program, run under a name of the test's choosing, beside the editor's
// window. The window in front is moved with clicks, as a user would; the
// editor minimises itself when it loses the focus, so it is brought back as
// the task bar would.
//
// Waits end as soon as what they wait for happens; their time-outs only bound
// a failing run. A wait that runs out throws, which fails the test.
class WineRig {
 public:
  // The status timer ticks every ten seconds; link changes show at a tick.
  static constexpr std::chrono::seconds kTickPatience{35};
  // Where the target's window is clicked to bring it in front.
  static constexpr Point kTargetPoint{120, 45};

  // The folder with the preferences for COM1; the surface logs what it gets.
  WineRig();
  // The programs first, their folder next.
  ~WineRig();

  std::filesystem::path KeysetFile(const std::string& name) const;
  void WriteKeyset(const std::string& name, const KeysetImage& image) const;

  // The program, until its caption names a keyset (the surface answered).
  void StartEditor();
  // Closes the main window, as the user would; the program's exit status.
  unsigned long StopEditor();
  // A copy of the program started beside the running one.
  std::unique_ptr<StartedProgram> StartSecondCopy() const;
  // The target program, copied to `name`.exe in the program's folder and
  // started from there, clear of the editor's window; it takes the focus.
  void StartTarget(const std::string& name);

  // Clicks the target's window at kTargetPoint, which takes the focus.
  void BringTargetToFront();
  void BringEditorToFront();
  // Whether `window` stayed in front a moment within `timeout`: the window
  // manager hands the focus about for a while after each change.
  bool StaysInFront(WindowId window, std::chrono::milliseconds timeout);
  // A click on the editor's window at a point given in its form's character
  // units (8 by 16 pixels of its client area).
  void ClickEditor(double column, double row);
  void TypeKey(int virtualKey);
  // Waits until control `id` of the editor's window has the keyboard focus.
  // The system sends a key to the window that has the focus when the key is
  // queued, so a key typed before the editor has handled the click that
  // moves its focus would go elsewhere.
  void WaitForEditorFocus(int id);
  // For a failure's message: the window in front, whether the editor is
  // minimised, and which of its controls has the focus.
  std::string FocusState();

  // A press on the surface, and its release.
  void PressOnSurface(int control);
  void TellSurface(const std::string& command) const;
  // Tells the surface `command` and waits for its line that starts with
  // `confirmation`; that line's index.
  std::size_t TellSurfaceAndWait(const std::string& command, const std::string& confirmation);
  std::size_t SurfaceLineCount() const { return surface.LineCount(); }
  // Waits for the program to send the surface `message` from surface line `from` on.
  void WaitForSent(std::size_t from, const std::string& message,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // The lamps the surface shows lit.
  std::vector<int> LitLamps();
  // Whether the surface's state has this line.
  bool SurfaceShows(const std::string& stateLine);

  // The next `count` lines of the target about keys going down or up
  // ("down 17", "up 83"); fewer when no more came in time.
  std::vector<std::string> NextKeyLines(std::size_t count);
  // The virtual-key code of the next key the target sees go down; its other
  // lines are passed over. Nothing when none came in time.
  std::optional<int> NextKeyDown(std::chrono::milliseconds timeout = LineFile::kPatience);
  // The virtual-key codes of the next `count` keys the target sees go down;
  // its other lines are passed over. Throws when fewer came in time.
  std::vector<int> NextKeysDown(std::size_t count);
  // The target's lines through the next that starts with `prefix`.
  std::vector<std::string> TargetLinesThrough(const std::string& prefix) {
    return targetLog->TakeThrough(prefix);
  }
  // The lines the target wrote so far are passed over.
  void SkipTargetLines() { targetLog->SkipAll(); }

  std::string EditorTitle();
  void WaitForEditorTitle(const std::string& title,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // The first top-level window of process `id` whose title satisfies `wanted`.
  WindowId WaitForWindow(int id, const std::function<bool(const std::string&)>& wanted,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Polls `done` until it holds; false when it never did within `timeout`.
  static bool Eventually(const std::function<bool()>& done,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Polls `done` until it holds; throws with `what` when it never does.
  static void WaitUntil(const std::function<bool()>& done, const std::string& what,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));

  WindowsDesktop desktop;
  WindowsInput input;
  TempFolder folder{"quorbelu-wine-"};
  LineFile surface;
  std::unique_ptr<StartedProgram> editor;
  WindowId editorWindow = 0;
  std::unique_ptr<StartedProgram> target;
  std::unique_ptr<LineFile> targetLog;
  WindowId targetWindow = 0;
};

}  // namespace quorbel::testing
