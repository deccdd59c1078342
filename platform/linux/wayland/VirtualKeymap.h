#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorbel::wayland {

// The keyboard layout the program's virtual keyboard brings along: a key for
// every symbol a virtual-key code stands for and for each modifier, and keys
// added on demand for characters, so that every symbol arrives as itself
// whatever layout the user types with. No key repeats: a key a step holds is
// one press however long it stays down.
class VirtualKeymap {
 public:
  // Key codes as the virtual keyboard sends them (evdev numbering: the XKB
  // keycode less 8).
  struct Keystroke {
    std::uint32_t key = 0;
    bool shift = false;  // the symbol is on the key's second level
  };

  VirtualKeymap();

  // The key and level that give the keysym; nullopt when no key does yet.
  std::optional<Keystroke> Find(std::uint32_t keysym) const;
  // A key for a keysym no key gives, taking the slot of a character key not
  // in `held` when every slot is used. Nullopt when all are held.
  std::optional<std::uint32_t> AddKey(std::uint32_t keysym, const std::vector<std::uint32_t>& held);
  // The keymap in XKB's text format, as the compositor takes it.
  std::string Text() const;
  // The key of the left Shift.
  std::uint32_t ShiftKey() const { return shiftKey_; }

 private:
  struct Key {
    std::uint32_t key = 0;
    std::uint32_t lower = 0;         // first level
    std::uint32_t upper = 0;         // second level; 0 for a key of one level
    const char* modifier = nullptr;  // the real modifier the key sets
    bool character = false;          // added for a character, reusable
  };
  void Add(std::uint32_t keysym, const char* modifier = nullptr);

  std::vector<Key> keys_;
  std::uint32_t shiftKey_ = 0;
  std::size_t nextReuse_ = 0;  // where the search for a reusable slot starts
};

}  // namespace quorbel::wayland
