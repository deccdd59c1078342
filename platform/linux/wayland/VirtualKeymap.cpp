#include "platform/linux/wayland/VirtualKeymap.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <map>

#include "platform/linux/x11/VirtualKeys.h"

namespace quorbel::wayland {
namespace {

// XKB keycodes run from 8 to 255 for clients of the X protocol (XWayland);
// evdev numbers are 8 less.
constexpr std::uint32_t kFirstKey = 1;
constexpr std::uint32_t kLastKey = 247;
constexpr int kVirtualKeyCount = 256;

std::string Name(std::uint32_t keysym) {
  char name[64];
  if (xkb_keysym_get_name(keysym, name, sizeof name) < 0) return "NoSymbol";
  return name;
}

}  // namespace

VirtualKeymap::VirtualKeymap() {
  Add(XKB_KEY_Shift_L, "Shift");
  shiftKey_ = keys_.back().key;
  Add(XKB_KEY_Shift_R, "Shift");
  Add(XKB_KEY_Caps_Lock, "Lock");
  Add(XKB_KEY_Control_L, "Control");
  Add(XKB_KEY_Control_R, "Control");
  Add(XKB_KEY_Alt_L, "Mod1");
  Add(XKB_KEY_Alt_R, "Mod1");
  Add(XKB_KEY_Num_Lock, "Mod2");
  Add(XKB_KEY_Super_L, "Mod4");
  Add(XKB_KEY_Super_R, "Mod4");
  Add(XKB_KEY_ISO_Level3_Shift, "Mod5");
  for (int code = 0; code < kVirtualKeyCount; ++code) {
    const auto keysym = static_cast<std::uint32_t>(VirtualKeyToKeysym(code));
    if (keysym != 0 && !Find(keysym)) Add(keysym);
  }
}

void VirtualKeymap::Add(std::uint32_t keysym, const char* modifier) {
  Key key;
  key.key = kFirstKey + static_cast<std::uint32_t>(keys_.size());
  key.lower = keysym;
  key.modifier = modifier;
  // A letter carries its capital on the second level, so that Shift with it
  // gives the capital as on any keyboard.
  const std::uint32_t upper = xkb_keysym_to_upper(keysym);
  if (upper != keysym) key.upper = upper;
  keys_.push_back(key);
}

std::optional<VirtualKeymap::Keystroke> VirtualKeymap::Find(std::uint32_t keysym) const {
  for (const Key& key : keys_) {
    if (key.lower == keysym) return Keystroke{key.key, false};
  }
  for (const Key& key : keys_) {
    if (key.upper == keysym) return Keystroke{key.key, true};
  }
  return std::nullopt;
}

std::optional<std::uint32_t> VirtualKeymap::AddKey(std::uint32_t keysym,
                                                   const std::vector<std::uint32_t>& held) {
  if (kFirstKey + keys_.size() <= kLastKey) {
    keys_.push_back(
        Key{kFirstKey + static_cast<std::uint32_t>(keys_.size()), keysym, 0, nullptr, true});
    return keys_.back().key;
  }
  // Every slot used: the character keys take turns, those held excepted.
  for (std::size_t tried = 0; tried < keys_.size(); ++tried) {
    Key& key = keys_[(nextReuse_ + tried) % keys_.size()];
    if (!key.character || std::find(held.begin(), held.end(), key.key) != held.end()) continue;
    nextReuse_ = (nextReuse_ + tried + 1) % keys_.size();
    key.lower = keysym;
    key.upper = 0;
    return key.key;
  }
  return std::nullopt;
}

std::string VirtualKeymap::Text() const {
  constexpr std::uint32_t kXkbOffset = 8;
  std::string keycodes = "  xkb_keycodes \"quorbel\" {\n    minimum = 8;\n    maximum = 255;\n";
  std::string symbols = "  xkb_symbols \"quorbel\" {\n";
  std::map<std::string, std::string> modifiers;
  for (const Key& key : keys_) {
    const std::string name = "<Q" + std::to_string(key.key) + ">";
    keycodes += "    " + name + " = " + std::to_string(key.key + kXkbOffset) + ";\n";
    symbols += "    key " + name + " { repeat = false, [ " + Name(key.lower);
    if (key.upper != 0) symbols += ", " + Name(key.upper);
    symbols += " ] };\n";
    if (key.modifier != nullptr) {
      std::string& members = modifiers[key.modifier];
      members += (members.empty() ? "" : ", ") + name;
    }
  }
  for (const auto& [modifier, members] : modifiers) {
    symbols += "    modifier_map " + modifier + " { " + members + " };\n";
  }
  keycodes += "  };\n";
  symbols += "  };\n";
  return "xkb_keymap {\n" + keycodes +
         "  xkb_types \"quorbel\" { include \"complete\" };\n"
         "  xkb_compat \"quorbel\" { include \"complete\" };\n" +
         symbols + "};\n";
}

}  // namespace quorbel::wayland
