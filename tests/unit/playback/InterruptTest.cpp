#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "playback/SteadyWait.h"
#include "tests/unit/playback/PlaybackFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(HeldInputTest, ReleasesHeldKeysLastFirstAndEachOnlyOnce) {
  MemoryInput input;
  HeldInput held(input);
  held.KeyDown(17);
  held.KeyDown(93);
  held.KeyDown(93);
  held.KeyDown(65);
  held.KeyUp(65);
  held.KeyUp(66);  // never pressed: nothing goes up
  EXPECT_THAT(held.Held(), ElementsAre(HeldKey{17}, HeldKey{93}, HeldKey{93}));

  held.ReleaseAll();
  held.KeyUp(93);  // already released
  EXPECT_THAT(input.Events(), ElementsAre("down 17", "down 93", "down 93", "down 65", "up 65",
                                          "up 93", "up 93", "up 17"));
  EXPECT_THAT(held.Held(), IsEmpty());
}

TEST(HeldInputTest, ACharacterIsHeldApartFromTheKeyOfTheSameNumber) {
  MemoryInput input;
  HeldInput held(input);
  held.KeyDown(16);
  held.CharacterDown(U'\u00e4');
  held.CharacterUp(U'\u00e4');
  held.CharacterDown(228);  // the character of a number, not the key
  held.KeyUp(228);          // a key of that number was never pressed
  EXPECT_THAT(held.Held(), ElementsAre(HeldKey{16}, HeldKey{228, true}));

  held.ReleaseAll();
  held.CharacterUp(228);  // already released
  EXPECT_THAT(input.Events(), ElementsAre("down 16", "char down U+00E4", "char up U+00E4",
                                          "char down U+00E4", "char up U+00E4", "up 16"));
}

TEST(SteadyWaitTest, InterruptFromAnotherThreadEndsALongWaitAtOnce) {
  SteadyWait wait;
  EXPECT_TRUE(wait.Wait(0));
  EXPECT_TRUE(wait.Wait(0.001f));

  std::thread stopper([&] { wait.Interrupt(); });
  EXPECT_FALSE(wait.Wait(3600));  // the test would hang for an hour otherwise
  stopper.join();
  EXPECT_FALSE(wait.Wait(3600));  // stays interrupted
  EXPECT_FALSE(wait.Wait(0));

  wait.Resume();
  EXPECT_TRUE(wait.Wait(0.001f));
}

using InterruptTest = PlaybackFixture;

TEST_F(InterruptTest, InterruptWhileAKeyIsHeldReleasesEverythingAndAbandonsTheRest) {
  SetSequence({Key('A', kCtrl | kShift, 20), Key('B'), Key('C')});
  wait.SetWaitHook([&](float) { playback.Interrupt(); });

  playback.Play(kControl, kTarget);

  EXPECT_THAT(Played(), ElementsAre("down 17", "down 16", "down 65",  //
                                    "up 65", "up 16", "up 17"));
  EXPECT_THAT(held.Held(), IsEmpty());
  EXPECT_EQ(wait.Waits().size(), 1u);
  EXPECT_EQ(clock.SleptMs(), 0);
}

TEST_F(InterruptTest, AfterAnInterruptNothingPlaysUntilResumed) {
  SetSequence({Key('A')});
  playback.Interrupt();
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), IsEmpty());
  EXPECT_THAT(editor.shown, ElementsAre(kControl));  // the editor still follows

  playback.Resume();
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 65", "up 65"));
}

TEST_F(InterruptTest, InterruptDuringTheMouseSettleStopsBeforeTheNextStep) {
  SetSequence({Mouse(kLeftClick, -1, -1), Key('B')});
  wait.SetWaitHook([&](float) { playback.Interrupt(); });
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("click left"));
}

TEST_F(InterruptTest, StoppingFromAnotherThreadEndsARealHoldWithNothingStuck) {
  SteadyWait realWait;
  Playback realPlayback(keysets, target, editor, requests, held, realWait, catalogue);
  // Ten steps of 5 s hold and 5.6 s pause each: minutes, unless interrupted.
  std::vector<Step> steps;
  for (int s = 0; s < kMaxSteps; ++s) steps.push_back(Key('K', kAlt | kAppKey, 100));
  SetSequence(steps);

  std::atomic<bool> done{false};
  std::thread device([&] {
    realPlayback.Play(kControl, kTarget);
    done = true;
    requests.Wake();
  });
  // Nothing wakes the GUI thread when keys go down: look between requests.
  while (held.Held().size() != 3) {
    requests.ServePending();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  realPlayback.Interrupt();
  requests.ServeUntil([&] { return done.load(); });
  device.join();

  EXPECT_THAT(held.Held(), IsEmpty());
  EXPECT_THAT(Played(), ElementsAre("down 18", "down 93", "down 75", "up 75", "up 93", "up 18"));
}

}  // namespace
}  // namespace quorbel
