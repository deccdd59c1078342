#include "app/KeyPress.h"

#include <algorithm>
#include <array>

#include "ui/Toolkit.h"

namespace quorbel {

namespace {

constexpr int kF10 = 121;
constexpr int kApplicationsKey = 93;
constexpr int kKeypadZero = 96;
constexpr int kKeypadNine = 105;
constexpr int kKeypadToDigit = 48;  // keypad 0 (96) becomes the digit "0" (48)

// Shift, Ctrl, Alt, left Windows, Applications, Num Lock and Pause.
constexpr std::array<int, 7> kIgnoredKeys{16, 17, 18, 91, 93, 144, 19};

}  // namespace

int TranslateKeyPress(int code, int value, bool& cancel, bool& named,
                      const ControlCatalogue& catalogue) {
  named = false;
  switch (code) {
    case ui::kSystemKey:
      if (value != kF10) return 0;
      named = true;
      return kF10;
    case ui::kKeyDown: {
      int key = value;
      if (std::find(kIgnoredKeys.begin(), kIgnoredKeys.end(), key) != kIgnoredKeys.end()) {
        // The Applications key adds nothing either, but the box must not take
        // it for itself: it would open the box's own context menu.
        if (key == kApplicationsKey) cancel = true;
        key = 0;
      }
      if (key >= kKeypadZero && key <= kKeypadNine) key -= kKeypadToDigit;
      named = !catalogue.KeyName(key).empty();
      if (key != 0) cancel = true;
      return key;
    }
    case ui::kCharacter:
      if (value != 0) cancel = true;
      return value;
    default:
      return 0;
  }
}

}  // namespace quorbel
