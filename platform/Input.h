#pragma once

#include "common/Types.h"

namespace quorbel {

enum class MouseButton { Left, Right, Middle };

// Synthetic keyboard and mouse input into the application in front. Keys are
// Windows virtual-key codes, the codes keysets store.
class Input {
 public:
  virtual ~Input() = default;

  // Keys may follow soon: whatever sending them needs to learn from the
  // system is asked now, so that the answer is back by the time they go
  // out. Where keys need nothing learnt first, there is nothing to do.
  virtual void PrepareKeys() {}
  virtual void KeyDown(int virtualKey) = 0;
  virtual void KeyUp(int virtualKey) = 0;
  // A character (Unicode) typed as itself, with whatever key and level the
  // keyboard layout in use gives it; down and up as for a key.
  virtual void CharacterDown(char32_t character) = 0;
  virtual void CharacterUp(char32_t character) = 0;
  // One click: the button goes down and up again.
  virtual void Click(MouseButton button) = 0;
  virtual void SetCursor(Point screen) = 0;
  virtual Point ClientToScreen(WindowId window, Point client) = 0;
};

}  // namespace quorbel
