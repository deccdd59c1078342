#pragma once

namespace quorbel {

// The X keysym that stands for a Windows virtual-key code, or 0 when the code
// has no key. Letters give their lower-case keysym, so the key that carries the
// letter in the layout in use is the one pressed; the punctuation codes give
// the symbol they carry on a US keyboard.
unsigned long VirtualKeyToKeysym(int virtualKey);

}  // namespace quorbel
