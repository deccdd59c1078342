#pragma once

#include "platform/Input.h"

namespace quorbel {

// Synthetic input into the program in front, as the system's own input
// calls make it: the stored virtual-key codes go out as they are, with scan
// code 0 and no extended-key flag; a click is one call carrying the button's
// down and up.
class WindowsInput : public Input {
 public:
  void KeyDown(int virtualKey) override;
  void KeyUp(int virtualKey) override;
  // A character goes out as a Unicode key event (a surrogate pair beyond
  // the basic plane); the system types it whatever the keyboard layout.
  void CharacterDown(char32_t character) override;
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  Point ClientToScreen(WindowId window, Point client) override;
};

}  // namespace quorbel
