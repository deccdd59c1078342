#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Types.h"
#include "platform/linux/x11/X11Desktop.h"
#include "platform/linux/x11/X11Input.h"
#include "tests/support/KeysetImage.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/x11/ChildProcess.h"
#include "tests/integration/x11/RecorderProcess.h"
#include "tests/integration/x11/XvfbServer.h"
#include "tests/support/SurfaceProcess.h"

namespace quorbel::testing {

// QuorbelU as a user meets it: its own X server, the simulated surface on
// Com 1, the program in a folder of its own, and a target program (the
// recorder, run under a name of the test's choosing) beside the editor's
// window. Without a window manager the window in front is the one with the
// input focus; the test moves it with clicks, as a user would.
//
// Waits end as soon as what they wait for happens; their time-outs only
// bound a failing run. A wait that runs out throws, which fails the test.
class EndToEndTest : public ::testing::Test {
 protected:
  // The status timer ticks every ten seconds; link changes show at a tick.
  static constexpr std::chrono::seconds kTickPatience{35};
  // Where the target's window is clicked to bring it in front.
  static constexpr Point kTargetPoint{120, 45};

  void SetUp() override;
  void TearDown() override;

  std::filesystem::path KeysetFile(const std::string& name) const;
  void WriteKeyset(const std::string& name, const KeysetImage& image) const;

  // The simulated surface, logging what the program sends it.
  void StartSurface();
  // The program, until its caption names a keyset (the surface answered).
  void StartEditor();
  // Ends the program with a signal; its exit status.
  int StopEditor();
  // The recorder, copied to `name` in the program's folder and started from
  // there, placed clear of the editor's window; it takes the focus.
  void StartTarget(const std::string& name);

  // Clicks the target's window, which takes the focus.
  void BringTargetToFront();
  // Clicks the editor's top strip, beside the keyset list; Qt then takes the
  // focus for its window.
  void BringEditorToFront();
  // A click on the editor's window at a point given in its form's character
  // units (8 by 16 pixels, counted below the menu bar).
  void ClickEditor(double column, double row);
  void TypeKey(int virtualKey);

  // A press on the surface, and its release.
  void PressOnSurface(int control);
  // Waits for the program to send the surface `message` from surface line `from` on.
  void WaitForSent(std::size_t from, const std::string& message,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // The lamps the surface shows lit.
  std::vector<int> LitLamps();
  // Whether the surface's state has this line.
  bool SurfaceShows(const std::string& stateLine);

  // The next `count` lines of the target about keys going down or up.
  std::vector<std::string> NextKeyLines(std::size_t count);
  // The keysym of the next key the target sees go down; its other lines are
  // passed over. Nothing when none came in time.
  std::optional<std::string> NextKeyPress();
  // The next `count` of them.
  std::vector<std::string> NextKeyPresses(std::size_t count);
  std::string EditorTitle();
  void WaitForEditorTitle(const std::string& title,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // Whether the process has ended (and waits to be reaped).
  static bool ProcessEnded(pid_t pid);
  // Polls `done` until it holds; throws with `what` when it never does.
  static void WaitUntil(const std::function<bool()>& done, const std::string& what,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));

  std::unique_ptr<XvfbServer> server;
  std::unique_ptr<X11Desktop> desktop;
  std::unique_ptr<X11Input> input;
  std::unique_ptr<ProgramFolder> folder;
  std::unique_ptr<SurfaceProcess> surface;
  std::unique_ptr<ChildProcess> editor;
  WindowId editorWindow = 0;
  std::unique_ptr<RecorderProcess> target;
};

}  // namespace quorbel::testing
