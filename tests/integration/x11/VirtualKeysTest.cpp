#include "platform/linux/x11/VirtualKeys.h"

#include <gtest/gtest.h>

#include "surface/ControlCatalogue.h"

namespace quorbel {
namespace {

TEST(VirtualKeysTest, EveryKeyAStepCanHoldHasAKeysym) {
  ControlCatalogue catalogue;
  for (int code = 0; code < kKeyCodeCount; ++code) {
    bool named = !catalogue.KeyName(code).empty();
    bool letterOrDigit = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
    if (named || letterOrDigit) {
      EXPECT_NE(VirtualKeyToKeysym(code), 0u) << "code " << code;
    }
  }
  // The keys playback adds itself: the modifiers and the main-keyboard minus and period.
  for (int code : {16, 17, 18, 93, 189, 190}) EXPECT_NE(VirtualKeyToKeysym(code), 0u) << code;
}

TEST(VirtualKeysTest, LettersPunctuationAndLookalikes) {
  // A letter is its lower-case keysym, whatever the layout puts on the key.
  EXPECT_EQ(VirtualKeyToKeysym('Y'), static_cast<unsigned long>('y'));
  // Punctuation codes carry the US symbols, which are their Latin-1 keysyms.
  const std::pair<int, char> usSymbols[] = {{186, ';'},  {187, '='}, {188, ','}, {189, '-'},
                                            {190, '.'},  {191, '/'}, {192, '`'}, {219, '['},
                                            {220, '\\'}, {221, ']'}, {222, '\''}};
  for (auto [code, symbol] : usSymbols) {
    EXPECT_EQ(VirtualKeyToKeysym(code), static_cast<unsigned long>(symbol)) << code;
  }
  // Keypad keys are not the main-keyboard keys with the same look.
  EXPECT_NE(VirtualKeyToKeysym(109), VirtualKeyToKeysym(189));
  EXPECT_NE(VirtualKeyToKeysym(110), VirtualKeyToKeysym(190));
  EXPECT_NE(VirtualKeyToKeysym(96), VirtualKeyToKeysym('0'));
}

TEST(VirtualKeysTest, CodesWithoutAKeyGiveNothing) {
  for (int code : {-1, 0, 7, 0xFF, 256, 100000}) EXPECT_EQ(VirtualKeyToKeysym(code), 0u) << code;
}

}  // namespace
}  // namespace quorbel
