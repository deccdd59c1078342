#include "editor/KeyEntry.h"

#include <gtest/gtest.h>

#include "common/CodePage437Text.h"
#include "keysets/KeysetLayer.h"

namespace quorbel {
namespace {

// A captured key shows in the box and comes back from it as the same code.
TEST(KeyEntry, EveryCapturedCodeComesBackFromTheBoxAsItself) {
  const ControlCatalogue catalogue;
  for (int code = 1; code < kKeyCodeCount; ++code) {
    for (bool named : {false, true}) {
      const std::optional<std::string> text = CapturedKeyText(code, named, catalogue);
      if (!text) continue;
      const std::int32_t stored = KeyCodeOfKeyPress(*text, catalogue);
      EXPECT_NE(stored, 0) << code << " shows as " << *text;
      // What is stored reads as what was shown: the same name or character.
      const std::optional<std::string> again =
          CapturedKeyText(stored & 0xFF, (stored & kNamedKey) != 0, catalogue);
      if (stored == 192) continue;  // the backquote is stored as its key
      EXPECT_EQ(again, text) << code;
    }
  }
}

TEST(KeyEntry, KeysBeyondAsciiShowAndComeBackAsTheirCodePage437Characters) {
  const ControlCatalogue catalogue;
  EXPECT_EQ(CapturedKeyText(132, false, catalogue), "\u00e4");
  EXPECT_EQ(KeyCodeOfKeyPress("\u00e4", catalogue), 132);
  EXPECT_EQ(CapturedKeyText(142, false, catalogue), "\u00c4");  // capitals stay as typed
  EXPECT_EQ(KeyCodeOfKeyPress("\u00df", catalogue), 225);
  EXPECT_EQ(KeyCodeOfKeyPress("\u00a7", catalogue), 21);
  EXPECT_EQ(KeyCodeOfKeyPress("\u00b6", catalogue), 20);
  EXPECT_EQ(KeyCodeOfKeyPress("\u20ac", catalogue), 0);  // the euro sign has no code
  EXPECT_EQ(KeyCodeOfKeyPress("\xE4", catalogue), 0);    // not UTF-8 at all
  EXPECT_EQ(KeyCodeOfKeyPress("\xC3\xA4\xA4", catalogue), 0);
}

TEST(CodePage437Text, EveryCodeRoundTripsThroughUnicodeAndUtf8) {
  for (int code = 1; code < 256; ++code) {
    const std::string text = CharacterText(static_cast<unsigned char>(code));
    EXPECT_EQ(CodeOfCharacterText(text), code) << code;
    EXPECT_EQ(SingleCharacter(text), UnicodeOfCode(static_cast<unsigned char>(code))) << code;
  }
  EXPECT_EQ(UnicodeOfCode(132), U'\u00e4');
  EXPECT_EQ(UnicodeOfCode(225), U'\u00df');
  EXPECT_EQ(UnicodeOfCode(156), U'\u00a3');
  EXPECT_EQ(UnicodeOfCode(130), U'\u00e9');
  EXPECT_EQ(UnicodeOfCode(255), U'\u00a0');
  // The control characters of "¶" and "§" have no code of their own.
  EXPECT_EQ(CodeOfUnicode(0x14), -1);
  EXPECT_EQ(CodeOfUnicode(0x15), -1);
  EXPECT_EQ(CodeOfUnicode(U'\u00e9'), 130);
  // Overlong forms and surrogates are no characters.
  EXPECT_EQ(SingleCharacter("\xC0\xAC"), 0U);
  EXPECT_EQ(SingleCharacter("\xED\xA0\x80"), 0U);
  EXPECT_EQ(SingleCharacter("\xF0\x9F\x98\x80"), U'\U0001F600');
  EXPECT_EQ(CodeOfCharacterText("ab"), -1);
}

}  // namespace
}  // namespace quorbel
