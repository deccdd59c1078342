#pragma once

#include <X11/XKBlib.h>

#include <memory>
#include <vector>

namespace quorbel::x11 {

// The server's keyboard mapping as XKB describes it, read when first needed and
// again after Invalidate().
class KeyboardMap {
 public:
  explicit KeyboardMap(Display* display) : display_(display) {}

  // The parts of the server's keyboard description the map reads; a change
  // to any other part (a key's repeat flag, say) leaves it valid.
  static constexpr unsigned int kParts = XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask;

  void Invalidate() { map_.reset(); }
  // The keycode that gives the keysym now without shift, control or the like
  // held: in the group now active, with Num Lock as it stands (so the keypad
  // digits are found while it is on). 0 when no key does.
  KeyCode KeycodeFor(KeySym keysym);

  // A key and the level modifiers that give a keysym in the group now active:
  // without any, with shift, with the third-level shift (AltGr) or with both,
  // the first that gives it. Keycode 0 when no key gives it at any of these.
  struct Keystroke {
    KeyCode keycode = 0;
    bool shift = false;
    bool thirdLevel = false;
  };
  Keystroke KeystrokeFor(KeySym keysym);
  // A keycode that carries no symbol at all and is not among the ones in use;
  // 0 when there is none.
  KeyCode SpareKeycode(const std::vector<KeyCode>& inUse);

 private:
  struct Free {
    void operator()(XkbDescPtr map) const { XkbFreeKeyboard(map, 0, True); }
  };
  XkbDescPtr Map();
  // The modifiers of the keys that carry the keysym.
  unsigned int ModifiersOf(KeySym keysym);
  // The keycode that gives the keysym with `modifiers` held and Num Lock as
  // it stands, in the group now active; 0 when none does.
  KeyCode KeycodeWith(KeySym keysym, unsigned int modifiers);

  Display* display_;
  std::unique_ptr<XkbDescRec, Free> map_;
};

}  // namespace quorbel::x11
