#pragma once

#include <memory>
#include <string>

#include "platform/Input.h"

namespace quorbel {

// Synthetic input through the X server's XTest extension. A virtual-key code
// becomes a keysym and then the keycode that gives that keysym in the keyboard
// layout in use; a keysym no key gives is typed through a spare keycode that
// carries it only while the key is down. Every call has reached the server
// when it returns. Keys still held when the object goes away are released.
// Safe to use from several threads.
class X11Input : public Input {
 public:
  // Empty name: the display named by $DISPLAY. Null when the display cannot be
  // opened or lacks the XTest or keyboard extension.
  static std::unique_ptr<X11Input> Connect(const std::string& displayName = {});
  ~X11Input() override;

  // Asks for the keys' repeat flags, which holding a key needs, so that the
  // next press finds them answered.
  void PrepareKeys() override;
  void KeyDown(int virtualKey) override;
  void KeyUp(int virtualKey) override;
  // The key and level (shift, AltGr) of the layout in use that give the
  // character, or a spare keycode that carries it while it is down.
  void CharacterDown(char32_t character) override;
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  // The point unchanged when the window is gone.
  Point ClientToScreen(WindowId window, Point client) override;
  // The width and height of the whole screen (with XWayland: of all outputs).
  Point ScreenSize();

 private:
  struct Impl;
  explicit X11Input(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
