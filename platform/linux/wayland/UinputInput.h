#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Input.h"
#include "platform/linux/wayland/CompositorWindow.h"
#include "platform/linux/wayland/LayoutKeys.h"
#include "platform/linux/wayland/UinputSink.h"

namespace quorbel {

// Synthetic input through kernel virtual devices (uinput), for compositors
// without the virtual keyboard protocol (GNOME, KDE). The devices type with
// the compositor's own layout: a virtual-key code of a letter, digit or
// punctuation becomes the key that gives its symbol in the session's layout
// (by its place on a US keyboard when the layout has none), a named key is
// the key at that place, and a character is the key and level (Shift, AltGr)
// that give it. A symbol the layout lacks cannot be typed this way: it is
// left out and the user is told once. The keyboard has no autorepeat. Every
// key event is followed by its own report; keys still held when the object
// goes away are released in reverse order. Clicks move an absolute pointer
// over the screen's layout. Safe to use from several threads.
class UinputInput : public Input {
 public:
  // Where the screen lies and where a window's client point is on it.
  struct Geometry {
    std::function<std::optional<wayland::Rect>()> layout;
    std::function<Point(WindowId, Point)> clientToScreen;
  };
  using Complaint = std::function<void(const std::string&)>;

  UinputInput(std::unique_ptr<wayland::UinputSink> keyboard,
              std::unique_ptr<wayland::UinputSink> pointer, wayland::LayoutKeys layout,
              Geometry geometry, Complaint complain);
  // On the kernel's devices; null with the reason in `why` when they cannot
  // be made (no write access to /dev/uinput) or the layout not compiled.
  static std::unique_ptr<UinputInput> Connect(Geometry geometry, Complaint complain,
                                              std::string& why);
  ~UinputInput() override;

  void KeyDown(int virtualKey) override;
  void KeyUp(int virtualKey) override;
  void CharacterDown(char32_t character) override;
  void CharacterUp(char32_t character) override;
  void Click(MouseButton button) override;
  void SetCursor(Point screen) override;
  Point ClientToScreen(WindowId window, Point client) override;

 private:
  struct HeldKey {
    int virtualKey = 0;
    char32_t character = 0;
    wayland::LayoutKeys::Stroke stroke;
    bool withShift = false;  // a Shift pressed with it for its level
    bool withLevelThree = false;
  };

  void Press(HeldKey held);
  void Release(std::vector<HeldKey>::iterator found);
  std::vector<HeldKey>::iterator FindHeld(int virtualKey, char32_t character);
  bool Held(int key) const;
  void SendKey(int key, bool down);
  void Untypeable(std::uint32_t keysym);

  std::unique_ptr<wayland::UinputSink> keyboard_;
  std::unique_ptr<wayland::UinputSink> pointer_;
  wayland::LayoutKeys layout_;
  Geometry geometry_;
  Complaint complain_;
  std::mutex mutex_;
  std::vector<HeldKey> ledger_;        // in the order pressed
  std::set<std::uint32_t> toldAbout_;  // symbols the user was told cannot be typed
};

}  // namespace quorbel
