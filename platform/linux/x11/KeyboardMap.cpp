#include "platform/linux/x11/KeyboardMap.h"

#include <X11/keysym.h>

#include <algorithm>

namespace quorbel::x11 {

XkbDescPtr KeyboardMap::Map() {
  if (!map_) {
    map_.reset(XkbGetMap(display_, kParts, XkbUseCoreKbd));
  }
  return map_.get();
}

unsigned int KeyboardMap::ModifiersOf(KeySym keysym) {
  XkbDescPtr map = Map();
  unsigned int modifiers = 0;
  for (int keycode = map->min_key_code; keycode <= map->max_key_code; ++keycode) {
    const int count = XkbKeyNumSyms(map, keycode);
    const KeySym* symbols = XkbKeySymsPtr(map, keycode);
    if (std::find(symbols, symbols + count, keysym) != symbols + count) {
      modifiers |= map->map->modmap[keycode];
    }
  }
  return modifiers;
}

KeyCode KeyboardMap::KeycodeWith(KeySym keysym, unsigned int modifiers) {
  XkbDescPtr map = Map();
  if (map == nullptr || keysym == NoSymbol) return 0;
  XkbStateRec state{};
  if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return 0;
  const unsigned int numLock = state.locked_mods & ModifiersOf(XK_Num_Lock);
  const unsigned int group = state.group;
  const unsigned int coreState = XkbBuildCoreState(numLock | modifiers, group);
  for (int keycode = map->min_key_code; keycode <= map->max_key_code; ++keycode) {
    unsigned int consumed = 0;
    KeySym produced = NoSymbol;
    const auto code = static_cast<KeyCode>(keycode);
    if (XkbTranslateKeyCode(map, code, coreState, &consumed, &produced) && produced == keysym) {
      return code;
    }
  }
  return 0;
}

KeyCode KeyboardMap::KeycodeFor(KeySym keysym) { return KeycodeWith(keysym, 0); }

KeyboardMap::Keystroke KeyboardMap::KeystrokeFor(KeySym keysym) {
  if (Map() == nullptr) return {};
  const unsigned int thirdLevel = ModifiersOf(XK_ISO_Level3_Shift);
  struct Level {
    bool shift;
    bool third;
  };
  for (const Level level :
       {Level{false, false}, Level{true, false}, Level{false, true}, Level{true, true}}) {
    if (level.third && thirdLevel == 0) continue;
    const unsigned int modifiers = (level.shift ? ShiftMask : 0) | (level.third ? thirdLevel : 0);
    if (const KeyCode keycode = KeycodeWith(keysym, modifiers); keycode != 0) {
      return {keycode, level.shift, level.third};
    }
  }
  return {};
}

KeyCode KeyboardMap::SpareKeycode(const std::vector<KeyCode>& inUse) {
  XkbDescPtr map = Map();
  if (map == nullptr) return 0;
  // From the top: the high keycodes are the ones no real keyboard sends.
  for (int keycode = map->max_key_code; keycode >= map->min_key_code; --keycode) {
    auto code = static_cast<KeyCode>(keycode);
    if (XkbKeyNumSyms(map, keycode) == 0 &&
        std::find(inUse.begin(), inUse.end(), code) == inUse.end()) {
      return code;
    }
  }
  return 0;
}

}  // namespace quorbel::x11
