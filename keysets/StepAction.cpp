#include "keysets/StepAction.h"

#include "keysets/KeysetLayer.h"

namespace quorbel {

namespace {

constexpr int kKeypadMinus = 109;
constexpr int kKeypadDecimal = 110;
constexpr int kMinusKey = 189;
constexpr int kPeriodKey = 190;
constexpr int kOpenBracketKey = 219;
constexpr int kCloseBracketKey = 221;
constexpr int kQuoteKey = 222;
constexpr int kBackquoteKey = 192;

// The virtual key a key step sends: the stored code, except for keys whose
// stored code is not the key the user meant. With shift, the keypad's minus
// and decimal point become the main keyboard's minus and period. A character
// is the key that types it: three punctuation characters typed into the
// editor are stored by their character codes, which as virtual keys would be
// other keys, and a small letter or a backquote (only a file holds one) reads
// as that character, so it plays that character's key. A named code whose
// key has no name (only a file holds one) reads as the control and presses
// nothing.
int PlayedKey(std::int32_t keyCode, std::int32_t modifiers, const ControlCatalogue& catalogue) {
  const int key = keyCode & 0xFF;
  const bool shift = (modifiers & kShift) != 0;
  if ((keyCode & kNamedKey) != 0) {
    if (catalogue.KeyName(key).empty()) return 0;
    if (key == kKeypadMinus && shift) return kMinusKey;
    if (key == kKeypadDecimal && shift) return kPeriodKey;
    return key;
  }
  if (key == ']') return kCloseBracketKey;
  if (key == '\'') return kQuoteKey;
  if (key == '[') return kOpenBracketKey;
  if (key == '`') return kBackquoteKey;
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  return key;
}

StepButton ButtonOf(std::int32_t keyCode) {
  if ((keyCode & kLeftClick) != 0) return StepButton::Left;
  if ((keyCode & kRightClick) != 0) return StepButton::Right;
  if ((keyCode & kCentreClick) != 0) return StepButton::Middle;
  return StepButton::None;
}

}  // namespace

StepAction ActionOfStep(std::int32_t keyCode, std::int32_t modifiers,
                        const ControlCatalogue& catalogue) {
  if (keyCode == 0) return {};
  if ((keyCode & kMouseBits) != 0) return {StepKind::Mouse, 0, ButtonOf(keyCode)};
  return {StepKind::Key, PlayedKey(keyCode, modifiers, catalogue), StepButton::None};
}

}  // namespace quorbel
