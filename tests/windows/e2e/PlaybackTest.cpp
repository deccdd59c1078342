// Presses, the Shift control, the jog wheel and the shuttle ring on the
// simulated surface, played into the target program by the running editor.
// The cases share one run of the program: each begins with the target in front.
#include <gtest/gtest.h>

#include <memory>

#include "common/VirtualKeyCodes.h"
#include "tests/windows/e2e/WineRig.h"

namespace quorbel::testing {
namespace {

using Lines = std::vector<std::string>;
using Keys = std::vector<int>;

constexpr int kF3 = 2;
constexpr int kF4 = 3;
constexpr int kShiftControl = 20;
constexpr int kPage1 = 32;
constexpr int kStop = 58;
constexpr int kShuttleForward3 = 83;
constexpr int kShuttleReverse2 = 62;
constexpr int kWheelLeft = 126;
constexpr int kWheelRight = 127;

class PlaybackOnWine : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { run.reset(); }

  void SetUp() override {
    if (!run) {
      run = StartRun();
    } else {
      run->BringTargetToFront();
    }
    run->SkipTargetLines();
  }

  // "Mytarget" serves the target, started as "mytarget.exe"; "Default" gives
  // other keys, so a wrong choice of keyset shows.
  static std::unique_ptr<WineRig> StartRun() {
    auto rig = std::make_unique<WineRig>();
    rig->WriteKeyset("Default", KeysetImage().KeyStep(0, kF3, 1, 'D').KeyStep(0, kF4, 1, 'D'));
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
    rig->WriteKeyset("Mytarget", mine);
    rig->StartEditor();
    rig->StartTarget("mytarget");
    return rig;
  }

  // The key the target sees go down after `command`, which is sent again
  // while the target sees none (at most three times); 0 when it never does.
  int KeyOfCommandSentUntilSeen(const std::string& command) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      run->TellSurface(command);
      if (auto key = run->NextKeyDown(std::chrono::seconds(5))) return *key;
    }
    return 0;
  }

  static inline std::unique_ptr<WineRig> run;
};

TEST_F(PlaybackOnWine, PressPlaysTheTargetsKeysetAndOnlySelectsWhileTheEditorIsInFront) {
  run->PressOnSurface(kF3);
  EXPECT_EQ(run->NextKeyLines(6),
            (Lines{"down 17", "down 16", "down 83", "up 83", "up 16", "up 17"}));
  run->WaitForEditorTitle("Quorbel - Mytarget");

  run->BringEditorToFront();
  const std::size_t from = run->SurfaceLineCount();
  run->PressOnSurface(kPage1);
  run->WaitForSent(from, "BF 12 20");  // the selected Page key's lamp
  EXPECT_EQ(run->EditorTitle(), "Quorbel - Mytarget");

  // Messages are handled in order: the next key the target sees is F4's.
  run->BringTargetToFront();
  run->PressOnSurface(kF4);
  EXPECT_EQ(run->NextKeysDown(1), Keys{'X'});
}

TEST_F(PlaybackOnWine, ShiftSwitchesTheLayerThatPlaysAndTheSurfaceShowsIt) {
  run->PressOnSurface(kF3);
  EXPECT_EQ(run->NextKeysDown(3), (Keys{vk::kControl, vk::kShift, 'S'}));

  std::size_t from = run->SurfaceLineCount();
  run->PressOnSurface(kShiftControl);
  run->WaitForSent(from, "BF 12 14");
  EXPECT_EQ(run->LitLamps(), (std::vector<int>{kF3, kShiftControl}));
  EXPECT_TRUE(run->SurfaceShows("display 72 \"Current Keyset Layer 2\""));
  run->PressOnSurface(kF3);
  EXPECT_EQ(run->NextKeysDown(1), Keys{'Y'});

  from = run->SurfaceLineCount();
  run->PressOnSurface(kShiftControl);
  run->WaitForSent(from, "BF 13 14");
  EXPECT_EQ(run->LitLamps(), std::vector<int>{kF3});
  EXPECT_TRUE(run->SurfaceShows("display 72 \"Current Keyset Layer 1\""));
  run->PressOnSurface(kF3);
  EXPECT_EQ(run->NextKeysDown(3), (Keys{vk::kControl, vk::kShift, 'S'}));
}

TEST_F(PlaybackOnWine, JogStepsAndShuttlePositionsPlayTheirControlsKeys) {
  // Five steps stay below the divider's six; the shuttle starts the count again.
  run->TellSurface("jog left 5");
  run->TellSurface("shuttle 3");
  EXPECT_EQ(run->NextKeysDown(1), Keys{'F'});
  run->TellSurface("jog left 6");
  EXPECT_EQ(run->NextKeysDown(1), Keys{'L'});
  run->TargetLinesThrough("up ");
  // That first jog replay drops whatever has queued up once it has played,
  // which may catch the next steps too; they are sent until the target sees them.
  EXPECT_EQ(KeyOfCommandSentUntilSeen("jog right 6"), 'R');
  run->TellSurface("shuttle -2");
  EXPECT_EQ(run->NextKeysDown(1), Keys{'B'});
  run->TellSurface("shuttle 0");
  EXPECT_EQ(run->NextKeysDown(1), Keys{'T'});
}

}  // namespace
}  // namespace quorbel::testing
