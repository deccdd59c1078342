#include "keysets/StepAction.h"

#include <array>
#include <utility>

#include "common/CodePage437Text.h"
#include "keysets/KeysetLayer.h"

namespace quorbel {

namespace {

constexpr int kKeypadMinus = 109;
constexpr int kKeypadDecimal = 110;
constexpr int kMinusKey = 189;
constexpr int kPeriodKey = 190;
constexpr int kBackquoteKey = 192;
constexpr int kFirstPrintable = ' ';
constexpr int kDelete = 127;

// The capitals of code page 437 that have their small forms there too, each
// with that small form.
constexpr std::array<std::pair<int, int>, 7> kAccentedCapitals{
    {{128, 135}, {142, 132}, {143, 134}, {144, 130}, {153, 148}, {154, 129}, {165, 164}}};

// A plain code reads in lower case: A..Z and the accented capitals.
int LowerCase(int code) {
  if (code >= 'A' && code <= 'Z') return code - 'A' + 'a';
  for (const auto& [capital, small] : kAccentedCapitals) {
    if (code == capital) return small;
  }
  return code;
}

bool IsPrintable(int code) {
  const char32_t character = UnicodeOfCode(static_cast<unsigned char>(code));
  return character >= static_cast<char32_t>(kFirstPrintable) &&
         character != static_cast<char32_t>(kDelete);
}

// A named key: its virtual key, with shift the keypad's minus and decimal
// point become the main keyboard's minus and period. A named code whose key
// has no name (only a file holds one) reads as the control and presses
// nothing.
StepAction NamedKey(int key, std::int32_t modifiers, const ControlCatalogue& catalogue) {
  if (catalogue.KeyName(key).empty()) return {StepKind::Key, 0};
  const bool shift = (modifiers & kShift) != 0;
  if (key == kKeypadMinus && shift) return {StepKind::Key, kMinusKey};
  if (key == kKeypadDecimal && shift) return {StepKind::Key, kPeriodKey};
  return {StepKind::Key, key};
}

// A plain code is the character the action text shows for it: the backquote
// (stored as its key's code), otherwise the code page 437 character of the
// code in lower case. Letters and digits play through their keys, which
// type them on every layout; any other character is typed as itself, so
// "," and "ä" come out as "," and "ä" whatever key carries them. A control
// code is no character: it is the key of that code when that key has a name
// ("Enter", "Tab"), and otherwise reads as the control and presses nothing.
StepAction PlainKey(int key, const ControlCatalogue& catalogue) {
  if (key == kBackquoteKey) return {StepKind::Key, 0, U'`'};
  const int shown = LowerCase(key);
  if (!IsPrintable(shown)) {
    return {StepKind::Key, catalogue.KeyName(key).empty() ? 0 : key};
  }
  const char32_t character = UnicodeOfCode(static_cast<unsigned char>(shown));
  if (shown >= 'a' && shown <= 'z') return {StepKind::Key, shown - 'a' + 'A', character};
  if (shown >= '0' && shown <= '9') return {StepKind::Key, shown, character};
  return {StepKind::Key, 0, character};
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
  if ((keyCode & kMouseBits) != 0) return {StepKind::Mouse, 0, 0, ButtonOf(keyCode)};
  const int key = keyCode & 0xFF;
  if ((keyCode & kNamedKey) != 0) return NamedKey(key, modifiers, catalogue);
  return PlainKey(key, catalogue);
}

}  // namespace quorbel
