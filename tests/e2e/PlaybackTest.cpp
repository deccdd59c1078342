// Presses, the Shift control, the jog wheel and the shuttle ring on the
// simulated surface, played into a target program by the running editor.
#include <gtest/gtest.h>

#include "tests/e2e/EndToEndRig.h"

namespace quorbel::testing {
namespace {

using Keys = std::vector<std::string>;

constexpr int kF3 = 2;
constexpr int kF4 = 3;
constexpr int kShiftControl = 20;
constexpr int kPage1 = 32;
constexpr int kStop = 58;
constexpr int kShuttleForward3 = 83;
constexpr int kShuttleReverse2 = 62;
constexpr int kWheelLeft = 126;
constexpr int kWheelRight = 127;

class PlaybackEndToEnd : public EndToEndTest {
 protected:
  // "Mytarget" serves the target, started as "mytarget"; "Default" gives
  // other keys, so a wrong choice of keyset shows.
  void SetUp() override {
    EndToEndTest::SetUp();
    if (IsSkipped()) return;
    WriteKeyset("Default", KeysetImage().KeyStep(0, kF3, 1, 'D').KeyStep(0, kF4, 1, 'D'));
    KeysetImage mine;
    mine.KeyStep(0, kF3, 1, 'S', kCtrl | kShift)
        .KeyStep(1, kF3, 1, 'Y')
        .KeyStep(0, kF4, 1, 'X')
        .KeyStep(0, kPage1, 1, 'P')
        .KeyStep(0, kWheelLeft, 1, 'L')
        .KeyStep(0, kWheelRight, 1, 'R')
        .KeyStep(0, kShuttleForward3, 1, 'F')
        .KeyStep(0, kShuttleReverse2, 1, 'B')
        .KeyStep(0, kStop, 1, 'T');
    WriteKeyset("Mytarget", mine);
    StartSurface();
    StartEditor();
    StartTarget("mytarget");
    WaitUntil([this] { return desktop->ForegroundWindow() == target->window(); },
              "the target did not take the focus");
  }

  // The key the target sees after `command`, which is sent again while the
  // target sees none (at most three times).
  std::string KeyOfCommandSentUntilSeen(const std::string& command) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      surface->Command(command);
      if (auto key = NextKeyPress()) return *key;
    }
    return {};
  }
};

TEST_F(PlaybackEndToEnd, PressPlaysTheTargetsKeysetAndOnlySelectsWhileTheEditorIsInFront) {
  PressOnSurface(kF3);
  EXPECT_EQ(NextKeyLines(6), (Keys{"press Control_L 0", "press Shift_L 4", "press S 5",
                                   "release S 5", "release Shift_L 5", "release Control_L 4"}));
  WaitForEditorTitle("Quorbel - Mytarget");

  BringEditorToFront();
  const std::size_t from = surface->LineCount();
  PressOnSurface(kPage1);
  WaitForSent(from, "BF 12 20");  // the selected Page key's lamp
  EXPECT_EQ(EditorTitle(), "Quorbel - Mytarget");

  // Messages are handled in order: the next key the target sees is F4's.
  BringTargetToFront();
  PressOnSurface(kF4);
  EXPECT_EQ(NextKeyPresses(1), Keys{"x"});
}

TEST_F(PlaybackEndToEnd, ShiftSwitchesTheLayerThatPlaysAndTheSurfaceShowsIt) {
  PressOnSurface(kF3);
  EXPECT_EQ(NextKeyPresses(3), (Keys{"Control_L", "Shift_L", "S"}));

  std::size_t from = surface->LineCount();
  PressOnSurface(kShiftControl);
  WaitForSent(from, "BF 12 14");
  EXPECT_EQ(LitLamps(), (std::vector<int>{kF3, kShiftControl}));
  EXPECT_TRUE(SurfaceShows("display 72 \"Current Keyset Layer 2\""));
  PressOnSurface(kF3);
  EXPECT_EQ(NextKeyPresses(1), Keys{"y"});

  from = surface->LineCount();
  PressOnSurface(kShiftControl);
  WaitForSent(from, "BF 13 14");
  EXPECT_EQ(LitLamps(), std::vector<int>{kF3});
  EXPECT_TRUE(SurfaceShows("display 72 \"Current Keyset Layer 1\""));
  PressOnSurface(kF3);
  EXPECT_EQ(NextKeyPresses(3), (Keys{"Control_L", "Shift_L", "S"}));
}

TEST_F(PlaybackEndToEnd, JogStepsAndShuttlePositionsPlayTheirControlsKeys) {
  // Five steps stay below the divider's six; the shuttle starts the count again.
  surface->Command("jog left 5");
  surface->Command("shuttle 3");
  EXPECT_EQ(NextKeyPresses(1), Keys{"f"});
  surface->Command("jog left 6");
  EXPECT_EQ(NextKeyPresses(1), Keys{"l"});
  target->LinesThrough("release ");
  // That first jog replay drops whatever has queued up once it has played,
  // which may catch the next steps too; they are sent until the target sees them.
  EXPECT_EQ(KeyOfCommandSentUntilSeen("jog right 6"), "r");
  surface->Command("shuttle -2");
  EXPECT_EQ(NextKeyPresses(1), Keys{"b"});
  surface->Command("shuttle 0");
  EXPECT_EQ(NextKeyPresses(1), Keys{"t"});
}

}  // namespace
}  // namespace quorbel::testing
