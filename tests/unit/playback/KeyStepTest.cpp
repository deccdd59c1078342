#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/unit/playback/PlaybackFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::FloatEq;
using ::testing::IsEmpty;

using KeyStepTest = PlaybackFixture;

TEST_F(KeyStepTest, CtrlShiftSWithoutDelayPressesAndReleasesAtOnce) {
  SetSequence({Key('S', kCtrl | kShift)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 17", "down 16", "down 83", "up 83", "up 16", "up 17"));
  EXPECT_THAT(wait.Waits(), IsEmpty());
}

TEST_F(KeyStepTest, AllFourModifiersGoDownAndUpInTheirOwnOrders) {
  SetSequence({Key('A', kAlt | kCtrl | kShift | kAppKey)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 18", "down 17", "down 93", "down 16", "down 65", "up 65",
                                    "up 16", "up 18", "up 17", "up 93"));
}

TEST_F(KeyStepTest, DelayHoldsTheKeyAndThenPausesBeforeTheNextStep) {
  SetSequence({Key('X', 0, 36), Key('Y')});
  std::vector<std::vector<std::string>> seenAtWait;
  wait.SetWaitHook([&](float) { seenAtWait.push_back(input.Events()); });

  playback.Play(kControl, kTarget);

  ASSERT_EQ(wait.Waits().size(), 2u);
  EXPECT_THAT(wait.Waits()[0], FloatEq(1.8f));
  EXPECT_THAT(wait.Waits()[1], FloatEq(2.0f));
  EXPECT_EQ(clock.SleptMs(), 3800);
  EXPECT_THAT(seenAtWait[0], ElementsAre("down 88"));           // held
  EXPECT_THAT(seenAtWait[1], ElementsAre("down 88", "up 88"));  // pause after
  EXPECT_THAT(Played(), ElementsAre("down 88", "up 88", "down 89", "up 89"));
}

TEST_F(KeyStepTest, HoldIsFiftyMillisecondsPerTickNotAnEighteenth) {
  SetSequence({Key('X', 0, 1)});
  playback.Play(kControl, kTarget);
  ASSERT_EQ(wait.Waits().size(), 2u);
  EXPECT_THAT(wait.Waits()[0], FloatEq(0.05f));
  EXPECT_THAT(wait.Waits()[1], FloatEq(1.0f / 18.0f));
}

TEST_F(KeyStepTest, ADelayBeyondWhatTheEditorStoresPlaysAsAHundredTicks) {
  SetSequence({Key('X', 0, 1'000'000'000), Mouse(kLeftClick, -1, -1, 101), Key('Y', 0, -5)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(wait.Waits(), ElementsAre(FloatEq(5.0f), FloatEq(100.0f / 18.0f), FloatEq(1.0f),
                                        FloatEq(100.0f / 18.0f)));
  EXPECT_THAT(Played(), ElementsAre("down 88", "up 88", "click left", "down 89", "up 89"));
  // The keyset keeps what its file holds.
  EXPECT_EQ(keysets.CopySequence(kControl).steps[0].Delay, 1'000'000'000);
}

TEST_F(KeyStepTest, CharactersStoredByTheirCodesPlayAsThoseCharactersOnAnyLayout) {
  SetSequence({Key(kNamedKey | 39), Key('\''), Key(']'), Key('['), Key(kNamedKey | 93),
               Key(kNamedKey | 91), Key(192)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 39", "up 39",                    // Arrow Right
                                    "char down U+0027", "char up U+0027",  // '
                                    "char down U+005D", "char up U+005D",  // ]
                                    "char down U+005B", "char up U+005B",  // [
                                    "char down U+0060", "char up U+0060"));
  // Named codes of keys without a name read as the control ("Play") and so
  // press nothing: the application key and the Windows key stay untouched.
}

TEST_F(KeyStepTest, KeypadMinusAndDecimalBecomeMainKeyboardKeysOnlyWithShift) {
  SetSequence({Key(kNamedKey | 109), Key(kNamedKey | 109, kShift), Key(kNamedKey | 110),
               Key(kNamedKey | 110, kShift), Key(kNamedKey | 109, kCtrl)});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 109", "up 109",                      //
                                    "down 16", "down 189", "up 189", "up 16",  //
                                    "down 110", "up 110",                      //
                                    "down 16", "down 190", "up 190", "up 16",  //
                                    "down 17", "down 109", "up 109", "up 17"));
}

TEST_F(KeyStepTest, SequenceEndsAtTheFirstEmptyStep) {
  SetSequence({Key('A'), Key('B'), Key(0), Key('D'), Key('E')});
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 65", "up 65", "down 66", "up 66"));

  input.Clear();
  std::vector<Step> ten;
  for (int s = 0; s < kMaxSteps; ++s) ten.push_back(Key('0' + s));
  SetSequence(ten);
  playback.Play(kControl, kTarget);
  EXPECT_EQ(Played().size(), 20u);
  EXPECT_EQ(Played()[18], "down 57");
}

TEST_F(KeyStepTest, UnassignedControlPlaysNothingButStillShowsAndSwitches) {
  SetKeysets({"Default", "Editor"});
  playback.Play(12, kTarget);
  EXPECT_THAT(Played(), IsEmpty());
  EXPECT_THAT(editor.shown, ElementsAre(12));
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
  EXPECT_EQ(toolkit.Caption("MAIN"), "Quorbel - Editor");
}

TEST_F(KeyStepTest, ControlOutsideTheSurfaceIsIgnored) {
  SetSequence({Key('A')});
  playback.Play(kControlCount, kTarget);
  playback.Play(-1, kTarget);
  EXPECT_THAT(Played(), IsEmpty());
  EXPECT_THAT(editor.shown, IsEmpty());
}

TEST_F(KeyStepTest, PlaysTheKeysetOfTheProgramInFrontInItsLastUsedLayer) {
  SetKeysets({"Default", "Gimp", "Editor"});
  // Keyset 2, layer 1 holds the sequence; every other place something else.
  SetSequence({Key('0')});
  {
    auto model = keysets.Lock();
    model->SetCurrent(2);
    model->SetStep(kControl, 1, Key('2'));
    model->PickLayer(1);
    model->SetStep(kControl, 1, Key('L'));
    model->SetCurrent(1);
    model->SetStep(kControl, 1, Key('1'));
  }
  desktop.AddWindow(kTarget, "Untitled", "Main", 0x50);
  desktop.SetExecutable(0x50, "/usr/bin/EDITOR");

  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 76", "up 76"));
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1);
}

TEST_F(KeyStepTest, AnEditWhilePlayingDoesNotReachTheSequenceBeingPlayed) {
  SetSequence({Key('A', 0, 2), Key('B')});
  wait.SetWaitHook([&](float) { keysets.Lock()->SetStep(kControl, 2, Key('Z')); });
  playback.Play(kControl, kTarget);
  EXPECT_THAT(Played(), ElementsAre("down 65", "up 65", "down 66", "up 66"));
}

TEST_F(KeyStepTest, FromTheDeviceThreadTheEditorIsShownOnTheGuiThread) {
  SetSequence({Key('A')});
  std::atomic<bool> done{false};
  std::thread device([&] {
    playback.Play(kControl, kTarget);
    done = true;
    requests.Wake();
  });
  requests.ServeUntil([&] { return done.load(); });
  device.join();
  // The editor catches up after the keys have left.
  requests.CatchUp();
  EXPECT_THAT(editor.shown, ElementsAre(kControl));
  EXPECT_FALSE(editor.shownOffGuiThread);
  EXPECT_THAT(Played(), ElementsAre("down 65", "up 65"));
}

}  // namespace
}  // namespace quorbel
