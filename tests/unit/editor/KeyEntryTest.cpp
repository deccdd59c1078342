#include "editor/KeyEntry.h"

#include <gtest/gtest.h>

#include "common/Latin1Text.h"
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

TEST(KeyEntry, KeysBeyondAsciiShowAsTheirCharacterNotABrokenByte) {
  const ControlCatalogue catalogue;
  EXPECT_EQ(CapturedKeyText(0xE4, false, catalogue), "\u00e4");  // a character event of ä
  EXPECT_EQ(KeyCodeOfKeyPress("\u00e4", catalogue), 0xE4);
  EXPECT_EQ(KeyCodeOfKeyPress("\u00ad", catalogue), 173);  // the volume-mute key
  EXPECT_EQ(KeyCodeOfKeyPress("\u20ac", catalogue), 0);    // no single-byte code
  EXPECT_EQ(KeyCodeOfKeyPress("\xE4", catalogue), 0);      // not UTF-8 at all
  EXPECT_EQ(CodeOfCharacterText("ab"), -1);
  EXPECT_EQ(CharacterText(0xFF), "\u00ff");
}

}  // namespace
}  // namespace quorbel
