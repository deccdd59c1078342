// What the "Key Press:" box makes of each keyboard event, directly and
// through the dispatcher.
#include "app/KeyPress.h"

#include <gmock/gmock.h>

#include "tests/unit/app/MainEventsFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Translated {
  int code;
  bool cancel;
  bool named;
};

Translated Translate(int event, int value) {
  static const ControlCatalogue catalogue;
  Translated out{0, false, true};
  out.code = TranslateKeyPress(event, value, out.cancel, out.named, catalogue);
  return out;
}

TEST(TranslateKeyPress, ModifiersAndLockKeysAloneYieldNothing) {
  for (int key : {16, 17, 18, 91, 93, 144, 19}) {
    const Translated t = Translate(ui::kKeyDown, key);
    EXPECT_EQ(t.code, 0) << key;
    EXPECT_EQ(t.cancel, key == 93) << key;  // the Applications key is kept from the box
    EXPECT_FALSE(t.named) << key;
  }
}

TEST(TranslateKeyPress, KeypadDigitsBecomeDigitsAndNamedKeysAreMarked) {
  const Translated five = Translate(ui::kKeyDown, 101);
  EXPECT_EQ(five.code, '5');
  EXPECT_TRUE(five.cancel);
  EXPECT_FALSE(five.named);
  const Translated home = Translate(ui::kKeyDown, 36);
  EXPECT_EQ(home.code, 36);
  EXPECT_TRUE(home.named);
  const Translated letter = Translate(ui::kKeyDown, 'A');
  EXPECT_EQ(letter.code, 'A');
  EXPECT_TRUE(letter.cancel);
  EXPECT_FALSE(letter.named);
  EXPECT_TRUE(Translate(ui::kKeyDown, 106).named);  // keypad star keeps its name
}

TEST(TranslateKeyPress, F10ArrivesAsSystemKeyAndCharactersAsThemselves) {
  const Translated f10 = Translate(ui::kSystemKey, 121);
  EXPECT_EQ(f10.code, 121);
  EXPECT_TRUE(f10.named);
  EXPECT_FALSE(f10.cancel);
  EXPECT_EQ(Translate(ui::kSystemKey, 18).code, 0);
  const Translated dot = Translate(ui::kCharacter, '.');
  EXPECT_EQ(dot.code, '.');
  EXPECT_TRUE(dot.cancel);
  EXPECT_FALSE(dot.named);
  EXPECT_EQ(Translate(ui::kKeyUp, 'A').code, 0);
  EXPECT_EQ(Translate(ui::kChanged, 'A').code, 0);
}

TEST(TranslateKeyPress, CharactersBecomeCodePage437CodesAndKeysWithoutNameNothing) {
  const Translated umlaut = Translate(ui::kCharacter, 0xE4);
  EXPECT_EQ(umlaut.code, 132);
  EXPECT_TRUE(umlaut.cancel);
  EXPECT_FALSE(umlaut.named);
  EXPECT_EQ(Translate(ui::kCharacter, 0xA7).code, 21);
  // No code for the euro sign: nothing captured, and the box keeps its text.
  const Translated euro = Translate(ui::kCharacter, 0x20AC);
  EXPECT_EQ(euro.code, 0);
  EXPECT_TRUE(euro.cancel);
  // Caps Lock, Clear, a media key and F13 have no name; as characters they
  // would read and play as something else, so they capture nothing and leave
  // their character event (if any) to the box.
  for (int key : {20, 12, 173, 124}) {
    const Translated t = Translate(ui::kKeyDown, key);
    EXPECT_EQ(t.code, 0) << key;
    EXPECT_FALSE(t.cancel) << key;
  }
}

TEST_F(MainEventsTest, KeyPressBoxShowsTheCapturedKey) {
  kit.AllowKeyEvents(2);
  ops.calls.clear();
  kit.KeyPress("main", ui::kKeyPressBox, 16, 0);
  EXPECT_THAT(ops.calls, IsEmpty());
  kit.KeyPress("main", ui::kKeyPressBox, 39, 0);
  EXPECT_THAT(ops.calls, ElementsAre("ShowCapturedKey 39 1"));
  ops.calls.clear();
  // The key-down is cancelled, so no character follows and the box stays empty.
  kit.KeyPress("main", ui::kKeyPressBox, 'S', 's');
  EXPECT_THAT(ops.calls, ElementsAre("ShowCapturedKey 83 0"));
  EXPECT_EQ(kit.Text("main", ui::kKeyPressBox), "");
  EXPECT_THAT(Send(ui::kKeyPressBox, ui::kGotFocus), IsEmpty());
  EXPECT_THAT(Send(ui::kKeyPressBox, ui::kSystemKey, 121), ElementsAre("ShowCapturedKey 121 1"));
  ops.calls.clear();
  kit.KeyPress("main", ui::kKeyPressBox, 0, 0xE4);  // "ä": no virtual key, its character
  EXPECT_THAT(ops.calls, ElementsAre("ShowCapturedKey 132 0"));
}

TEST_F(MainEventsTest, KeyPressBoxTakesKeysWhicheverWindowIsInFront) {
  OtherWindowInFront();
  EXPECT_THAT(Send(ui::kKeyPressBox, ui::kKeyDown, 'Q'), ElementsAre("ShowCapturedKey 81 0"));
}

}  // namespace
}  // namespace quorbel
