#include "editor/ActionText.h"

#include <cstddef>

#include "common/CodePage437Text.h"
#include "common/NumberText.h"
#include "keysets/StepAction.h"

namespace quorbel {

namespace {

std::string ModifierPrefix(std::int32_t modifiers) {
  std::string prefix;
  if (modifiers & kAlt) prefix += "alt+";
  if (modifiers & kCtrl) prefix += "ctrl+";
  if (modifiers & kShift) prefix += "shft+";
  if (modifiers & kAppKey) prefix += "app+";
  return prefix;
}

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

// A plain code shows its character; a key that has a name shows it. A code
// that is neither (a control code without a name, or a named code whose key
// has none) reads as the control the step belongs to.
std::string KeyBody(std::int32_t key, const StepAction& action, int control,
                    const ControlCatalogue& catalogue) {
  if (action.character != 0) return Utf8Text(action.character);
  if (action.virtualKey == 0) return catalogue.ControlName(control);
  return catalogue.KeyName(key & 0xFF);
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
