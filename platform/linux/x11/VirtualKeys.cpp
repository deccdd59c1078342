#include "platform/linux/x11/VirtualKeys.h"

#include <X11/keysym.h>

#include <array>

namespace quorbel {
namespace {

using KeysymTable = std::array<unsigned long, 256>;

constexpr KeysymTable BuildTable() {
  KeysymTable table{};
  table[0x08] = XK_BackSpace;
  table[0x09] = XK_Tab;
  table[0x0C] = XK_Clear;
  table[0x0D] = XK_Return;
  table[0x10] = XK_Shift_L;
  table[0x11] = XK_Control_L;
  table[0x12] = XK_Alt_L;
  table[0x13] = XK_Pause;
  table[0x14] = XK_Caps_Lock;
  table[0x1B] = XK_Escape;
  table[0x20] = XK_space;
  table[0x21] = XK_Prior;
  table[0x22] = XK_Next;
  table[0x23] = XK_End;
  table[0x24] = XK_Home;
  table[0x25] = XK_Left;
  table[0x26] = XK_Up;
  table[0x27] = XK_Right;
  table[0x28] = XK_Down;
  table[0x29] = XK_Select;
  table[0x2A] = XK_Print;
  table[0x2B] = XK_Execute;
  table[0x2C] = XK_Print;  // the print-screen key
  table[0x2D] = XK_Insert;
  table[0x2E] = XK_Delete;
  table[0x2F] = XK_Help;
  for (int digit = 0; digit <= 9; ++digit) {
    table[static_cast<unsigned>(0x30 + digit)] = XK_0 + static_cast<unsigned long>(digit);
    table[static_cast<unsigned>(0x60 + digit)] = XK_KP_0 + static_cast<unsigned long>(digit);
  }
  for (int letter = 0; letter < 26; ++letter) {
    table[static_cast<unsigned>(0x41 + letter)] = XK_a + static_cast<unsigned long>(letter);
  }
  table[0x5B] = XK_Super_L;
  table[0x5C] = XK_Super_R;
  table[0x5D] = XK_Menu;  // the application key
  table[0x6A] = XK_KP_Multiply;
  table[0x6B] = XK_KP_Add;
  table[0x6C] = XK_KP_Separator;
  table[0x6D] = XK_KP_Subtract;
  table[0x6E] = XK_KP_Decimal;
  table[0x6F] = XK_KP_Divide;
  for (int f = 0; f < 24; ++f) {
    table[static_cast<unsigned>(0x70 + f)] = XK_F1 + static_cast<unsigned long>(f);
  }
  table[0x90] = XK_Num_Lock;
  table[0x91] = XK_Scroll_Lock;
  table[0xA0] = XK_Shift_L;
  table[0xA1] = XK_Shift_R;
  table[0xA2] = XK_Control_L;
  table[0xA3] = XK_Control_R;
  table[0xA4] = XK_Alt_L;
  table[0xA5] = XK_Alt_R;
  table[0xBA] = XK_semicolon;
  table[0xBB] = XK_equal;
  table[0xBC] = XK_comma;
  table[0xBD] = XK_minus;
  table[0xBE] = XK_period;
  table[0xBF] = XK_slash;
  table[0xC0] = XK_grave;
  table[0xDB] = XK_bracketleft;
  table[0xDC] = XK_backslash;
  table[0xDD] = XK_bracketright;
  table[0xDE] = XK_apostrophe;
  return table;
}

constexpr KeysymTable kKeysyms = BuildTable();

}  // namespace

unsigned long VirtualKeyToKeysym(int virtualKey) {
  if (virtualKey < 0 || virtualKey >= static_cast<int>(kKeysyms.size())) return 0;
  return kKeysyms[static_cast<unsigned>(virtualKey)];
}

}  // namespace quorbel
