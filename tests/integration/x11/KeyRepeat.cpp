#include "tests/integration/x11/KeyRepeat.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace quorbel::testing {

struct KeyRepeat::Impl {
  Display* display = nullptr;
};

std::unique_ptr<KeyRepeat> KeyRepeat::Connect(const std::string& display) {
  auto impl = std::make_unique<Impl>();
  impl->display = XOpenDisplay(display.c_str());
  if (impl->display == nullptr) return nullptr;
  return std::unique_ptr<KeyRepeat>(new KeyRepeat(std::move(impl)));
}

KeyRepeat::KeyRepeat(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

KeyRepeat::~KeyRepeat() { XCloseDisplay(impl_->display); }

bool KeyRepeat::SetRate(unsigned int delayMs, unsigned int intervalMs) {
  const bool set = XkbSetAutoRepeatRate(impl_->display, XkbUseCoreKbd, delayMs, intervalMs);
  XSync(impl_->display, False);
  return set;
}

bool KeyRepeat::SetKeyRepeats(unsigned long keysym, bool repeats) {
  XKeyboardControl control{};
  control.key = XKeysymToKeycode(impl_->display, keysym);
  control.auto_repeat_mode = repeats ? AutoRepeatModeOn : AutoRepeatModeOff;
  XChangeKeyboardControl(impl_->display, KBKey | KBAutoRepeatMode, &control);
  XSync(impl_->display, False);
  return control.key != 0;
}

bool KeyRepeat::Repeats(unsigned long keysym) {
  const unsigned int keycode = XKeysymToKeycode(impl_->display, keysym);
  XKeyboardState state{};
  XGetKeyboardControl(impl_->display, &state);
  return (state.auto_repeats[keycode / 8] & (1 << (keycode % 8))) != 0;
}

}  // namespace quorbel::testing
