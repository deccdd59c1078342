#include "platform/linux/wayland/UinputKeys.h"

#include <linux/input-event-codes.h>

#include <array>

namespace quorbel::wayland {
namespace {

using KeyTable = std::array<unsigned short, 256>;

constexpr KeyTable BuildTable() {
  KeyTable t{};
  t[0x08] = KEY_BACKSPACE;
  t[0x09] = KEY_TAB;
  t[0x0C] = KEY_CLEAR;
  t[0x0D] = KEY_ENTER;
  t[0x10] = KEY_LEFTSHIFT;
  t[0x11] = KEY_LEFTCTRL;
  t[0x12] = KEY_LEFTALT;
  t[0x13] = KEY_PAUSE;
  t[0x14] = KEY_CAPSLOCK;
  t[0x1B] = KEY_ESC;
  t[0x20] = KEY_SPACE;
  t[0x21] = KEY_PAGEUP;
  t[0x22] = KEY_PAGEDOWN;
  t[0x23] = KEY_END;
  t[0x24] = KEY_HOME;
  t[0x25] = KEY_LEFT;
  t[0x26] = KEY_UP;
  t[0x27] = KEY_RIGHT;
  t[0x28] = KEY_DOWN;
  t[0x29] = KEY_SELECT;
  t[0x2A] = KEY_PRINT;
  t[0x2C] = KEY_SYSRQ;  // the print-screen key
  t[0x2D] = KEY_INSERT;
  t[0x2E] = KEY_DELETE;
  t[0x2F] = KEY_HELP;
  constexpr std::array<unsigned short, 10> digits = {KEY_0, KEY_1, KEY_2, KEY_3, KEY_4,
                                                     KEY_5, KEY_6, KEY_7, KEY_8, KEY_9};
  constexpr std::array<unsigned short, 10> keypad = {KEY_KP0, KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4,
                                                     KEY_KP5, KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9};
  for (unsigned d = 0; d < 10; ++d) {
    t[0x30 + d] = digits[d];
    t[0x60 + d] = keypad[d];
  }
  // Letters by their place on a US keyboard.
  constexpr std::array<unsigned short, 26> letters = {
      KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
      KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
  for (unsigned l = 0; l < 26; ++l) t[0x41 + l] = letters[l];
  t[0x5B] = KEY_LEFTMETA;
  t[0x5C] = KEY_RIGHTMETA;
  t[0x5D] = KEY_COMPOSE;  // the application (menu) key
  t[0x6A] = KEY_KPASTERISK;
  t[0x6B] = KEY_KPPLUS;
  t[0x6C] = KEY_KPCOMMA;
  t[0x6D] = KEY_KPMINUS;
  t[0x6E] = KEY_KPDOT;
  t[0x6F] = KEY_KPSLASH;
  constexpr std::array<unsigned short, 24> functions = {
      KEY_F1,  KEY_F2,  KEY_F3,  KEY_F4,  KEY_F5,  KEY_F6,  KEY_F7,  KEY_F8,
      KEY_F9,  KEY_F10, KEY_F11, KEY_F12, KEY_F13, KEY_F14, KEY_F15, KEY_F16,
      KEY_F17, KEY_F18, KEY_F19, KEY_F20, KEY_F21, KEY_F22, KEY_F23, KEY_F24};
  for (unsigned f = 0; f < 24; ++f) t[0x70 + f] = functions[f];
  t[0x90] = KEY_NUMLOCK;
  t[0x91] = KEY_SCROLLLOCK;
  t[0xA0] = KEY_LEFTSHIFT;
  t[0xA1] = KEY_RIGHTSHIFT;
  t[0xA2] = KEY_LEFTCTRL;
  t[0xA3] = KEY_RIGHTCTRL;
  t[0xA4] = KEY_LEFTALT;
  t[0xA5] = KEY_RIGHTALT;
  t[0xBA] = KEY_SEMICOLON;
  t[0xBB] = KEY_EQUAL;
  t[0xBC] = KEY_COMMA;
  t[0xBD] = KEY_MINUS;
  t[0xBE] = KEY_DOT;
  t[0xBF] = KEY_SLASH;
  t[0xC0] = KEY_GRAVE;
  t[0xDB] = KEY_LEFTBRACE;
  t[0xDC] = KEY_BACKSLASH;
  t[0xDD] = KEY_RIGHTBRACE;
  t[0xDE] = KEY_APOSTROPHE;
  return t;
}

constexpr KeyTable kKeys = BuildTable();

}  // namespace

int VirtualKeyToKeyCode(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return kKeys[static_cast<unsigned>(virtualKey)];
}

bool IsSymbolKey(int virtualKey) {
  return (virtualKey >= 0x30 && virtualKey <= 0x39) || (virtualKey >= 0x41 && virtualKey <= 0x5A) ||
         (virtualKey >= 0xBA && virtualKey <= 0xC0) || (virtualKey >= 0xDB && virtualKey <= 0xDE);
}

}  // namespace quorbel::wayland
