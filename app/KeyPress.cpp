#include "app/KeyPress.h"

#include <algorithm>
#include <array>

#include "common/CodePage437Text.h"
#include "common/VirtualKeyCodes.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

namespace {

// Keypad 0 (96) becomes the digit "0" (48).
constexpr int kKeypadToDigit = vk::kNumpad0 - '0';

constexpr std::array<int, 7> kIgnoredKeys{vk::kShift,       vk::kControl,      vk::kAlt,
                                          vk::kLeftWindows, vk::kApplications, vk::kNumLock,
                                          vk::kPause};

bool IsLetterOrDigit(int key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

}  // namespace

int TranslateKeyPress(int code, int value, bool& cancel, bool& named,
                      const ControlCatalogue& catalogue) {
  named = false;
  switch (code) {
    case ui::kSystemKey:
      if (value != vk::kF10) return 0;
      named = true;
      return vk::kF10;
    case ui::kKeyDown: {
      int key = value;
      if (std::find(kIgnoredKeys.begin(), kIgnoredKeys.end(), key) != kIgnoredKeys.end()) {
        // The Applications key adds nothing either, but the box must not take
        // it for itself: it would open the box's own context menu.
        if (key == vk::kApplications) cancel = true;
        key = 0;
      }
      if (key >= vk::kNumpad0 && key <= vk::kNumpad9) key -= kKeypadToDigit;
      named = !catalogue.KeyName(key).empty();
      // A key without a name is kept only as a letter or digit: its code as a
      // character would be another character (Caps Lock 20 reads "¶", a
      // media key's code a code page 437 sign), and that is what would play.
      // Whatever character the key types still follows.
      if (!named && !IsLetterOrDigit(key)) key = 0;
      if (key != 0) cancel = true;
      return key;
    }
    case ui::kCharacter: {
      // The box holds only characters a key step can store.
      if (value == 0) return 0;
      cancel = true;
      const int stored = CodeOfUnicode(static_cast<char32_t>(value));
      return stored < 0 ? 0 : stored;
    }
    default:
      return 0;
  }
}

}  // namespace quorbel
