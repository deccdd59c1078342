#include "editor/KeyEntry.h"

#include <array>
#include <utility>

#include "common/CodePage437Text.h"
#include "keysets/KeysetLayer.h"

namespace quorbel {

namespace {

constexpr int kBackquote = '`';
constexpr int kBackquoteKey = 192;
// Delays are at most 100 ticks; no number needs more digits than this.
constexpr int kLargestNumber = 99999999;

constexpr std::array<std::pair<std::string_view, std::int32_t>, 4> kMouseChoices{{
    {"Left Mouse Click", kLeftClick},
    {"Right Mouse Click", kRightClick},
    {"Center Mouse Click", kCentreClick},
    {"Alternate Wheel Selector", kAltWheelSelector},
}};

}  // namespace

std::optional<std::string> CapturedKeyText(int code, bool named,
                                           const ControlCatalogue& catalogue) {
  if (code < 1 || code >= kKeyCodeCount) return std::nullopt;
  if (named) {
    const std::string& name = catalogue.KeyName(code);
    if (name.empty()) return std::nullopt;
    return name;
  }
  const int character = code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
  return CharacterText(static_cast<unsigned char>(character));
}

std::int32_t KeyCodeOfKeyPress(std::string_view text, const ControlCatalogue& catalogue) {
  if (const int character = CodeOfCharacterText(text); character > 0) {
    return character == kBackquote ? kBackquoteKey : character;
  }
  const int code = catalogue.KeyCodeOfName(text);
  return code == 0 ? 0 : code + kNamedKey;
}

std::int32_t MouseCodeOfChoice(std::string_view choice) {
  for (const auto& [text, code] : kMouseChoices) {
    if (choice == text) return code;
  }
  return 0;
}

int LeadingNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  int number = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && number <= kLargestNumber; ++i) {
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

}  // namespace quorbel
