#pragma once

#include "common/VirtualKeyCodes.h"

namespace quorbel::ui {

// The virtual-key code of a Qt key (a Qt::Key value), or 0 for a key that has
// none. `keypad` tells that the key sits on the numeric keypad, which gives
// the keypad digits and operators their own codes 96..111. Shifted symbols
// report the key that carries them on a US keyboard: "!" is the key 1 and ":"
// the key 186, as a virtual-key code names the key, not the character.
int VirtualKeyFor(int qtKey, bool keypad);

}  // namespace quorbel::ui
