#include "platform/linux/x11/X11Input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/linux/x11/X11Desktop.h"
#include "tests/integration/x11/KeyRepeat.h"
#include "tests/integration/x11/RecorderProcess.h"
#include "tests/integration/x11/XvfbServer.h"

namespace quorbel {
namespace {

using testing::RecorderProcess;
using testing::XvfbServer;
using Lines = std::vector<std::string>;

constexpr int kShift = 16, kControl = 17, kAlt = 18, kApplication = 93;

class X11InputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = XvfbServer::Start(); }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_) GTEST_SKIP() << "Xvfb is not installed";
    recorder_ = std::make_unique<RecorderProcess>(server_->display());
    input_ = X11Input::Connect(server_->display());
    ASSERT_NE(input_, nullptr);
  }

  void Tap(int virtualKey) {
    input_->KeyDown(virtualKey);
    input_->KeyUp(virtualKey);
  }
  void Type(char32_t character) {
    input_->CharacterDown(character);
    input_->CharacterUp(character);
  }
  // The symbols of the keys that went down, up to and including `last`; the
  // level keys (shift, AltGr) pressed with them and the notes of remapped
  // keys are left out.
  Lines PressedThrough(const std::string& last) {
    Lines pressed;
    for (const std::string& line : recorder_->LinesThrough("release " + last)) {
      if (!line.starts_with("press ") || line.starts_with("press Shift_L") ||
          line.starts_with("press ISO_Level3_Shift")) {
        continue;
      }
      pressed.push_back(line.substr(0, line.rfind(' ')));
    }
    return pressed;
  }
  // Key events only: the notes of remapped keys are left out.
  Lines KeyLines(std::size_t count) {
    Lines keys;
    while (keys.size() < count) {
      Lines next = recorder_->Lines(1);
      if (next.empty()) break;
      if (!next.front().starts_with("mapping")) keys.push_back(next.front());
    }
    return keys;
  }

  static std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<RecorderProcess> recorder_;
  std::unique_ptr<X11Input> input_;
};

std::unique_ptr<XvfbServer> X11InputTest::server_;

TEST_F(X11InputTest, ControlShiftSReachesTheFocusedWindowInOrder) {
  input_->KeyDown(kControl);
  input_->KeyDown(kShift);
  Tap('S');
  input_->KeyUp(kShift);
  input_->KeyUp(kControl);
  EXPECT_EQ(KeyLines(6), (Lines{"press Control_L 0", "press Shift_L 4", "press S 5", "release S 5",
                                "release Shift_L 5", "release Control_L 4"}));
}

TEST_F(X11InputTest, AllModifierKeysHoldTheirModifiers) {
  for (int modifier : {kAlt, kControl, kApplication, kShift}) input_->KeyDown(modifier);
  Tap('A');
  for (int modifier : {kShift, kAlt, kControl, kApplication}) input_->KeyUp(modifier);
  Tap(91);  // left Super
  EXPECT_EQ(KeyLines(12), (Lines{"press Alt_L 0", "press Control_L 8", "press Menu 12",
                                 "press Shift_L 12", "press A 13", "release A 13",
                                 "release Shift_L 13", "release Alt_L 12", "release Control_L 4",
                                 "release Menu 0", "press Super_L 0", "release Super_L 64"}));
}

TEST_F(X11InputTest, AKeyHeldDownIsOnePressAndRepeatsAgainForTheUserAfterwards) {
  auto repeat = testing::KeyRepeat::Connect(server_->display());
  ASSERT_NE(repeat, nullptr);
  // Repeat soon and often, so that any repeat shows within a short hold.
  ASSERT_TRUE(repeat->SetRate(50, 20));
  ASSERT_TRUE(repeat->Repeats('a'));

  input_->KeyDown('A');
  const bool repeatsWhileHeld = repeat->Repeats('a');
  const bool othersRepeatWhileHeld = repeat->Repeats('b');
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  input_->KeyUp('A');
  Tap('B');

  EXPECT_EQ(KeyLines(4), (Lines{"press a 0", "release a 0", "press b 0", "release b 0"}));
  EXPECT_FALSE(repeatsWhileHeld);
  EXPECT_TRUE(othersRepeatWhileHeld);
  EXPECT_TRUE(repeat->Repeats('a')) << "the user's key no longer repeats";
}

TEST_F(X11InputTest, RepeatFlagsAskedAheadAreNotTrustedAfterOurOwnChangeOrTooLate) {
  auto repeat = testing::KeyRepeat::Connect(server_->display());
  ASSERT_NE(repeat, nullptr);
  ASSERT_TRUE(repeat->SetRate(50, 20));

  // Asked while A is held (its repeat off): once A is up and repeats again,
  // that answer is out of date for the next press of A.
  input_->KeyDown('A');
  input_->PrepareKeys();
  input_->KeyUp('A');
  input_->KeyDown('A');
  EXPECT_FALSE(repeat->Repeats('a')) << "a held key repeats";
  input_->KeyUp('A');

  // Asked, and the user turns B's repeat off long before the press comes.
  input_->PrepareKeys();
  ASSERT_TRUE(repeat->SetKeyRepeats('b', false));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Tap('B');
  EXPECT_FALSE(repeat->Repeats('b')) << "the user's setting was undone";
  ASSERT_TRUE(repeat->SetKeyRepeats('b', true));

  // Asked just ahead, the answer serves the press.
  input_->PrepareKeys();
  input_->KeyDown('C');
  EXPECT_FALSE(repeat->Repeats('c'));
  input_->KeyUp('C');
  EXPECT_TRUE(repeat->Repeats('c'));
  EXPECT_EQ(KeyLines(8), (Lines{"press a 0", "release a 0", "press a 0", "release a 0", "press b 0",
                                "release b 0", "press c 0", "release c 0"}));
}

TEST_F(X11InputTest, KeysStillHeldAreReleasedInReverseWhenTheInputGoesAway) {
  input_->KeyDown(kControl);
  input_->KeyDown(124);  // through a spare keycode, which is given back too
  input_->KeyDown('A');
  input_->KeyUp(kControl);
  input_->KeyDown(kAlt);
  input_.reset();
  EXPECT_EQ(KeyLines(8),
            (Lines{"press Control_L 0", "press F13 4", "press a 4", "release Control_L 4",
                   "press Alt_L 0", "release Alt_L 8", "release a 0", "release F13 0"}));
  Lines rest = recorder_->LinesUntilQuiet();
  ASSERT_FALSE(rest.empty());
  EXPECT_TRUE(rest.back().starts_with("mapping") && rest.back().ends_with(" NoSymbol"))
      << "the spare keycode kept its symbol";
}

TEST_F(X11InputTest, KeysArriveInOrderWhileAnotherThreadAsksAboutWindows) {
  auto desktop = X11Desktop::Connect(server_->display());
  ASSERT_NE(desktop, nullptr);
  std::atomic<bool> done = false;
  std::thread asker([&] {
    while (!done) {
      for (WindowId window : desktop->TopLevelWindows()) desktop->WindowTitle(window);
      desktop->ForegroundWindow();
      input_->ClientToScreen(recorder_->window(), Point{1, 1});
    }
  });
  Lines expected;
  for (int i = 0; i < 52; ++i) {
    const char letter = static_cast<char>('A' + i % 26);
    Tap(letter);
    const std::string name(1, static_cast<char>(letter - 'A' + 'a'));
    expected.push_back("press " + name + " 0");
    expected.push_back("release " + name + " 0");
  }
  done = true;
  asker.join();
  EXPECT_EQ(KeyLines(expected.size()), expected);
}

TEST_F(X11InputTest, ArrowAndApostropheAreDifferentKeys) {
  Tap(39);
  Tap(222);
  EXPECT_EQ(KeyLines(4), (Lines{"press Right 0", "release Right 0", "press apostrophe 0",
                                "release apostrophe 0"}));
}

TEST_F(X11InputTest, KeypadAndMainKeyboardMinusAndPeriod) {
  Tap(109);
  Tap(189);
  Tap(110);
  Tap(190);
  input_->KeyDown(kShift);
  Tap(109);
  Tap(189);
  Tap(110);
  Tap(190);
  input_->KeyUp(kShift);
  Lines presses;
  for (const std::string& line : KeyLines(18)) {
    if (line.starts_with("press")) presses.push_back(line);
  }
  EXPECT_EQ(presses, (Lines{"press KP_Subtract 0", "press minus 0", "press KP_Decimal 0",
                            "press period 0", "press Shift_L 0", "press KP_Subtract 1",
                            "press underscore 1", "press KP_Decimal 1", "press greater 1"}));
}

TEST_F(X11InputTest, ClickLandsAtTheClientPointOfTheWindow) {
  Point screen = input_->ClientToScreen(recorder_->window(), Point{120, 45});
  EXPECT_EQ(screen, (Point{170, 105}));  // the recorder's window stands at (50, 60)
  input_->SetCursor(screen);
  input_->Click(MouseButton::Left);
  input_->Click(MouseButton::Right);
  input_->Click(MouseButton::Middle);
  EXPECT_EQ(recorder_->Lines(3), (Lines{"button 1 120 45", "button 3 120 45", "button 2 120 45"}));
}

TEST_F(X11InputTest, AKeysymNoKeyCarriesIsTypedThroughASpareKeycode) {
  Tap(124);  // F13: no key of a US keyboard gives it
  Tap(124);
  Tap('Q');
  Lines keys;
  Lines mappings;
  for (const std::string& line : recorder_->LinesThrough("release q")) {
    (line.starts_with("mapping") ? mappings : keys).push_back(line);
  }
  EXPECT_EQ(keys, (Lines{"press F13 0", "release F13 0", "press F13 0", "release F13 0",
                         "press q 0", "release q 0"}));
  // The recorder notes each change with the symbol the key has when it reads
  // the change: the spare key carried F13 and carries nothing again.
  ASSERT_FALSE(mappings.empty());
  EXPECT_TRUE(std::any_of(mappings.begin(), mappings.end(),
                          [](const std::string& m) { return m.ends_with(" F13"); }));
  EXPECT_TRUE(mappings.back().ends_with(" NoSymbol")) << mappings.back();
}

TEST_F(X11InputTest, KeypadDigitsUseTheKeypadWhileNumLockIsOn) {
  Tap(96);   // keypad 0: with Num Lock off the key gives Insert, so a spare key plays it
  Tap(144);  // Num Lock on
  Tap(96);
  Tap(144);  // and off again
  Lines whileOff = recorder_->LinesThrough("release KP_0");
  EXPECT_EQ(whileOff.back(), "release KP_0 0");
  EXPECT_TRUE(std::any_of(whileOff.begin(), whileOff.end(),
                          [](const std::string& line) { return line.starts_with("mapping"); }));
  Lines rest = recorder_->LinesUntilQuiet();
  // Late notes of the spare key given back are fine; a key newly mapped is not.
  std::erase_if(rest, [](const std::string& line) {
    return line.starts_with("mapping") && line.ends_with(" NoSymbol");
  });
  // Num Lock is modifier 2 (16); no key was remapped to play the keypad 0 now.
  EXPECT_EQ(rest, (Lines{"press Num_Lock 0", "release Num_Lock 16", "press KP_0 16",
                         "release KP_0 16", "press Num_Lock 16", "release Num_Lock 16"}));
}

TEST_F(X11InputTest, LettersFollowTheLayoutInUse) {
  const std::string display = server_->display();
  Tap('Y');  // the keyboard mapping is read before the layout changes
  ASSERT_TRUE(testing::RunToEnd({"setxkbmap", "-display", display, "de"}));
  Tap('Y');
  Tap('Z');
  Tap(191);  // the slash takes shift on a German keyboard; the key plays it without
  const bool restored = testing::RunToEnd({"setxkbmap", "-display", display, "us"});
  Lines presses;
  for (const std::string& line : KeyLines(8)) {
    if (line.starts_with("press")) presses.push_back(line);
  }
  EXPECT_EQ(presses, (Lines{"press y 0", "press y 0", "press z 0", "press slash 0"}));
  EXPECT_TRUE(restored);
}

TEST_F(X11InputTest, CharactersArriveAsThemselvesOnAGermanLayout) {
  const std::string display = server_->display();
  Type(U',');  // the keyboard mapping is read before the layout changes
  ASSERT_TRUE(testing::RunToEnd({"setxkbmap", "-display", display, "de"}));
  Type(U'\u00e4');
  Type(U'\u00df');
  Type(U'\u00a7');  // shift and 3
  Type(U'@');       // AltGr and q
  Type(U',');
  const Lines pressed = PressedThrough("comma");
  const Lines rest = PressedThrough("comma");
  const bool restored = testing::RunToEnd({"setxkbmap", "-display", display, "us"});
  EXPECT_EQ(pressed, Lines{"press comma"});
  EXPECT_EQ(rest, (Lines{"press adiaeresis", "press ssharp", "press section", "press at",
                         "press comma"}));
  EXPECT_TRUE(restored);
}

TEST_F(X11InputTest, ACharacterTheLayoutLacksArrivesThroughASpareKeycode) {
  Type(U'\u00e4');  // no key of a US keyboard gives it
  Type(U'\u00a3');
  Tap('Q');
  EXPECT_EQ(PressedThrough("q"), (Lines{"press adiaeresis", "press sterling", "press q"}));
}

}  // namespace
}  // namespace quorbel
