#include "editor/ActionText.h"

#include <array>
#include <cstddef>
#include <utility>

#include "common/Latin1Text.h"
#include "common/NumberText.h"
#include "keysets/StepAction.h"

namespace quorbel {

namespace {

// The accented capitals of code page 437 that have their small forms there
// too, each with that small form.
constexpr std::array<std::pair<unsigned char, unsigned char>, 7> kAccentedCapitals{
    {{128, 135}, {142, 132}, {143, 134}, {144, 130}, {153, 148}, {154, 129}, {165, 164}}};

// Lower case of one byte: A..Z and the accented capitals; all else stays.
char LowerCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  for (const auto& [capital, small] : kAccentedCapitals) {
    if (c == capital) return static_cast<char>(small);
  }
  return static_cast<char>(c);
}

std::string ModifierPrefix(std::int32_t modifiers) {
  std::string prefix;
  if (modifiers & kAlt) prefix += "alt+";
  if (modifiers & kCtrl) prefix += "ctrl+";
  if (modifiers & kShift) prefix += "shft+";
  if (modifiers & kAppKey) prefix += "app+";
  return prefix;
}

// The backquote is stored as the code of the key that carries it.
constexpr std::int32_t kBackquoteKey = 192;

std::string MouseBody(StepButton button) {
  switch (button) {
    case StepButton::Left:
      return "Left Mouse";
    case StepButton::Right:
      return "Right Mouse";
    case StepButton::Middle:
      return "Center Mouse";
    case StepButton::None:
      break;
  }
  return "Alt Wheel Sel";
}

// A key without a name of its own, or a code that names no key, reads as the
// control the step belongs to.
std::string KeyBody(std::int32_t key, const StepAction& action, int control,
                    const ControlCatalogue& catalogue) {
  const auto low = static_cast<unsigned char>(key & 0xFF);
  if (action.virtualKey == 0) return catalogue.ControlName(control);
  if ((key & kNamedKey) != 0) {
    const std::string& name = catalogue.KeyName(low);
    return name.empty() ? catalogue.ControlName(control) : name;
  }
  if (key == kBackquoteKey) return "`";
  return CharacterText(static_cast<unsigned char>(LowerCase(low)));
}

}  // namespace

std::string ActionText(const KeysetLayer& record, int control, int step,
                       const ControlCatalogue& catalogue) {
  if (!IsControlIndex(control) || step < 1 || step > kMaxSteps) return {};
  const auto c = static_cast<std::size_t>(control);
  const auto s = static_cast<std::size_t>(step);
  const std::int32_t key = record.KeyCode[s][c];
  const std::int32_t modifiers = record.Modifiers[s][c];
  const StepAction action = ActionOfStep(key, modifiers, catalogue);
  switch (action.kind) {
    case StepKind::Empty:
      return {};
    case StepKind::Mouse:
      return ModifierPrefix(modifiers) + MouseBody(action.button);
    case StepKind::Key:
      break;
  }
  return ModifierPrefix(modifiers) + KeyBody(key, action, control, catalogue);
}

std::string DelayRow(int delay) { return "    Delay" + NumberText(delay) + " ticks"; }

}  // namespace quorbel
