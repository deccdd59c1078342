#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace quorbel::wayland {

// Which key of a keyboard layout gives a symbol, and with which modifier keys,
// for input that cannot bring a layout of its own (a uinput device types with
// the layout the compositor has). Keysyms are XKB's (the same as X11's).
class LayoutKeys {
 public:
  struct Stroke {
    int key = 0;  // the kernel's key code (the XKB keycode less 8)
    bool shift = false;
    bool levelThree = false;  // AltGr
  };

  // The layout of the session as far as it can be known: the XKB_DEFAULT_*
  // variables, else the system's keyboard settings (/etc/default/keyboard),
  // else a US layout. Nullopt when xkbcommon cannot compile it.
  static std::optional<LayoutKeys> ForSession();
  static std::optional<LayoutKeys> ForLayout(const std::string& layout,
                                             const std::string& variant = {});

  // The key with the fewest modifiers that gives the keysym; nullopt when no
  // key of the layout does.
  std::optional<Stroke> Find(std::uint32_t keysym) const;
  // A keysym's name, for telling the user what cannot be typed.
  static std::string Name(std::uint32_t keysym);
  static std::uint32_t KeysymOfCharacter(char32_t character);

 private:
  explicit LayoutKeys(std::unordered_map<std::uint32_t, Stroke> strokes)
      : strokes_(std::move(strokes)) {}

  std::unordered_map<std::uint32_t, Stroke> strokes_;
};

}  // namespace quorbel::wayland
