#pragma once

#include <memory>

#include "platform/Input.h"

namespace quorbel {

class WaylandDesktop;

// Synthetic input on a wlroots compositor (sway, Hyprland, ...) through the
// virtual keyboard and virtual pointer protocols, which need no special
// rights. The keyboard brings its own layout (VirtualKeymap): every symbol
// has a key, a character none gives gets one, and no key repeats. Clicks at
// client positions move the pointer absolutely over the compositor's layout,
// which the desktop reports. Every call has reached the compositor when it
// returns; keys still held when the object goes away are released. Safe to
// use from several threads.
class WlrootsInput : public Input {
 public:
  // Null when there is no Wayland display or it lacks either protocol.
  static std::unique_ptr<WlrootsInput> Connect(WaylandDesktop& desktop);
  ~WlrootsInput() override;

  void KeyDown(int virtualKey) override;
  void KeyUp(int virtualKey) override;
  void CharacterDown(char32_t character) override;
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  // The point unchanged when the window is gone.
  Point ClientToScreen(WindowId window, Point client) override;

 private:
  struct Impl;
  explicit WlrootsInput(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
