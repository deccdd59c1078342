#pragma once

#include "surface/ControlCatalogue.h"

namespace quorbel {

// Turns a keyboard event of the "Key Press:" box into the key code the
// editor adds (0: nothing to add). Sets `named` when the code has a name in
// the key-name table, and `cancel` when the box must not show the character.
// Modifier keys alone yield nothing; keypad digits yield the digits' codes.
// A key-down of a key without a name yields a letter or digit only; a
// character event (a Unicode character) yields its code page 437 code, and
// a character without one yields nothing and is kept from the box.
int TranslateKeyPress(int code, int value, bool& cancel, bool& named,
                      const ControlCatalogue& catalogue);

}  // namespace quorbel
