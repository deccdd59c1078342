#pragma once

namespace quorbel::wayland {

// The kernel's key code (KEY_*) of the key that sits where a Windows
// virtual-key code's key sits on a US keyboard; 0 when the code has no key.
int VirtualKeyToKeyCode(int virtualKey);

// True for the codes whose key carries a symbol the layout decides (letters,
// digits, punctuation); the rest are named keys found by position alone,
// keypad keys among them, which follow Num Lock like a real keypad.
bool IsSymbolKey(int virtualKey);

}  // namespace quorbel::wayland
