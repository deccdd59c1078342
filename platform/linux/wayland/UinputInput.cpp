#include "platform/linux/wayland/UinputInput.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

#include "platform/linux/wayland/UinputKeys.h"
#include "platform/linux/x11/VirtualKeys.h"

namespace quorbel {
namespace {

input_event Event(int type, int code, int value) {
  input_event event{};
  event.type = static_cast<__u16>(type);
  event.code = static_cast<__u16>(code);
  event.value = value;
  return event;
}

input_event Report() { return Event(EV_SYN, SYN_REPORT, 0); }

int ButtonCode(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return BTN_LEFT;
    case MouseButton::Right:
      return BTN_RIGHT;
    case MouseButton::Middle:
      return BTN_MIDDLE;
  }
  return BTN_LEFT;
}

// A coordinate as its share of the axis.
int AxisValue(int offset, int extent) {
  const long long clamped = std::clamp(offset, 0, extent - 1);
  return static_cast<int>(extent <= 1 ? 0 : clamped * wayland::kPointerAxisMax / (extent - 1));
}

}  // namespace

UinputInput::UinputInput(std::unique_ptr<wayland::UinputSink> keyboard,
                         std::unique_ptr<wayland::UinputSink> pointer, wayland::LayoutKeys layout,
                         Geometry geometry, Complaint complain)
    : keyboard_(std::move(keyboard)),
      pointer_(std::move(pointer)),
      layout_(std::move(layout)),
      geometry_(std::move(geometry)),
      complain_(std::move(complain)) {}

std::unique_ptr<UinputInput> UinputInput::Connect(Geometry geometry, Complaint complain,
                                                  std::string& why) {
  auto layout = wayland::LayoutKeys::ForSession();
  if (!layout) {
    why = "the keyboard layout of the session could not be compiled";
    return nullptr;
  }
  auto keyboard = wayland::CreateUinputKeyboard(why);
  if (!keyboard) return nullptr;
  auto pointer = wayland::CreateUinputPointer(why);
  if (!pointer) return nullptr;
  return std::make_unique<UinputInput>(std::move(keyboard), std::move(pointer), std::move(*layout),
                                       std::move(geometry), std::move(complain));
}

UinputInput::~UinputInput() {
  std::lock_guard lock(mutex_);
  while (!ledger_.empty()) Release(std::prev(ledger_.end()));
}

void UinputInput::SendKey(int key, bool down) {
  const std::array<input_event, 2> events = {Event(EV_KEY, key, down ? 1 : 0), Report()};
  keyboard_->Write(events);
}

bool UinputInput::Held(int key) const {
  return std::any_of(ledger_.begin(), ledger_.end(), [key](const HeldKey& h) {
    return h.stroke.key == key || (h.withShift && key == KEY_LEFTSHIFT) ||
           (h.withLevelThree && key == KEY_RIGHTALT);
  });
}

std::vector<UinputInput::HeldKey>::iterator UinputInput::FindHeld(int virtualKey,
                                                                  char32_t character) {
  return std::find_if(ledger_.begin(), ledger_.end(), [&](const HeldKey& h) {
    return h.virtualKey == virtualKey && h.character == character;
  });
}

void UinputInput::Press(HeldKey held) {
  if (auto found = FindHeld(held.virtualKey, held.character); found != ledger_.end()) {
    // Pressed again while down: the same key once more; one ledger entry.
    SendKey(found->stroke.key, true);
    return;
  }
  held.withShift = held.stroke.shift && !Held(KEY_LEFTSHIFT) && !Held(KEY_RIGHTSHIFT);
  held.withLevelThree = held.stroke.levelThree && !Held(KEY_RIGHTALT);
  if (held.withShift) SendKey(KEY_LEFTSHIFT, true);
  if (held.withLevelThree) SendKey(KEY_RIGHTALT, true);
  SendKey(held.stroke.key, true);
  ledger_.push_back(held);
}

void UinputInput::Release(std::vector<HeldKey>::iterator found) {
  const HeldKey held = *found;
  ledger_.erase(found);
  SendKey(held.stroke.key, false);
  if (held.withLevelThree) SendKey(KEY_RIGHTALT, false);
  if (held.withShift) SendKey(KEY_LEFTSHIFT, false);
}

void UinputInput::Untypeable(std::uint32_t keysym) {
  if (!toldAbout_.insert(keysym).second || !complain_) return;
  complain_("the keyboard layout has no key for \"" + wayland::LayoutKeys::Name(keysym) +
            "\": it is not typed");
}

void UinputInput::KeyDown(int virtualKey) {
  std::lock_guard lock(mutex_);
  HeldKey held{virtualKey, 0, {}, false, false};
  const auto keysym = static_cast<std::uint32_t>(VirtualKeyToKeysym(virtualKey));
  const auto inLayout = wayland::IsSymbolKey(virtualKey) ? layout_.Find(keysym) : std::nullopt;
  if (inLayout) {
    held.stroke = *inLayout;
  } else if (const int key = wayland::VirtualKeyToKeyCode(virtualKey); key != 0) {
    held.stroke.key = key;
  } else {
    if (keysym != 0) Untypeable(keysym);
    return;
  }
  Press(held);
}

void UinputInput::KeyUp(int virtualKey) {
  std::lock_guard lock(mutex_);
  if (auto found = FindHeld(virtualKey, 0); found != ledger_.end()) Release(found);
}

void UinputInput::CharacterDown(char32_t character) {
  std::lock_guard lock(mutex_);
  const std::uint32_t keysym = wayland::LayoutKeys::KeysymOfCharacter(character);
  const auto stroke = layout_.Find(keysym);
  if (!stroke) {
    Untypeable(keysym);
    return;
  }
  Press(HeldKey{0, character, *stroke, false, false});
}

void UinputInput::CharacterUp(char32_t character) {
  std::lock_guard lock(mutex_);
  if (auto found = FindHeld(0, character); found != ledger_.end()) Release(found);
}

void UinputInput::Click(MouseButton button) {
  std::lock_guard lock(mutex_);
  const int code = ButtonCode(button);
  const std::array<input_event, 4> events = {Event(EV_KEY, code, 1), Report(),
                                             Event(EV_KEY, code, 0), Report()};
  pointer_->Write(events);
}

void UinputInput::SetCursor(Point screen) {
  const auto layout = geometry_.layout ? geometry_.layout() : std::nullopt;
  if (!layout || layout->width <= 0 || layout->height <= 0) return;
  std::lock_guard lock(mutex_);
  const std::array<input_event, 3> events = {
      Event(EV_ABS, ABS_X, AxisValue(screen.x - layout->x, layout->width)),
      Event(EV_ABS, ABS_Y, AxisValue(screen.y - layout->y, layout->height)), Report()};
  pointer_->Write(events);
}

Point UinputInput::ClientToScreen(WindowId window, Point client) {
  return geometry_.clientToScreen ? geometry_.clientToScreen(window, client) : client;
}

}  // namespace quorbel
