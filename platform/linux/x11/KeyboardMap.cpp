#include "platform/linux/x11/KeyboardMap.h"

#include <algorithm>

namespace quorbel::x11 {

XkbDescPtr KeyboardMap::Map() {
  if (!map_) map_.reset(XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
  return map_.get();
}

int KeyboardMap::ActiveGroup() const {
  XkbStateRec state{};
  if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return 0;
  return state.group;
}

KeyCode KeyboardMap::KeycodeFor(KeySym keysym) {
  XkbDescPtr map = Map();
  if (map == nullptr || keysym == NoSymbol) return 0;
  const int group = ActiveGroup();
  for (int keycode = map->min_key_code; keycode <= map->max_key_code; ++keycode) {
    const int groups = XkbKeyNumGroups(map, keycode);
    if (groups == 0) continue;
    // A key with fewer groups than the active one wraps around, as the server does.
    if (XkbKeySymEntry(map, keycode, 0, group % groups) == keysym) {
      return static_cast<KeyCode>(keycode);
    }
  }
  return 0;
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
