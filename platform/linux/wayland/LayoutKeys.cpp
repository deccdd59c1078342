#include "platform/linux/wayland/LayoutKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace quorbel::wayland {
namespace {

constexpr xkb_keycode_t kXkbOffset = 8;

struct ContextFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapFree {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};

struct RuleNames {
  std::string rules, model, layout, variant, options;
};

// The value of one KEY="value" line of /etc/default/keyboard.
std::string SettingValue(const std::string& line, const std::string& key) {
  if (!line.starts_with(key + "=")) return {};
  std::string value = line.substr(key.size() + 1);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return value;
}

RuleNames SystemKeyboard() {
  RuleNames names;
  std::ifstream file("/etc/default/keyboard");
  for (std::string line; std::getline(file, line);) {
    if (auto v = SettingValue(line, "XKBMODEL"); !v.empty()) names.model = v;
    if (auto v = SettingValue(line, "XKBLAYOUT"); !v.empty()) names.layout = v;
    if (auto v = SettingValue(line, "XKBVARIANT"); !v.empty()) names.variant = v;
    if (auto v = SettingValue(line, "XKBOPTIONS"); !v.empty()) names.options = v;
  }
  return names;
}

using Strokes = std::unordered_map<std::uint32_t, LayoutKeys::Stroke>;

Strokes StrokesOf(xkb_keymap* keymap) {
  Strokes strokes;
  const xkb_mod_index_t shift = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
  const xkb_mod_index_t levelThree = xkb_keymap_mod_get_index(keymap, "Mod5");
  const xkb_mod_mask_t shiftMask = shift == XKB_MOD_INVALID ? 0 : 1u << shift;
  const xkb_mod_mask_t levelThreeMask = levelThree == XKB_MOD_INVALID ? 0 : 1u << levelThree;
  const auto cost = [](const LayoutKeys::Stroke& s) {
    return (s.shift ? 1 : 0) + (s.levelThree ? 2 : 0);
  };
  const xkb_keycode_t last = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap), 255);
  for (xkb_keycode_t code = std::max<xkb_keycode_t>(xkb_keymap_min_keycode(keymap), kXkbOffset);
       code <= last; ++code) {
    const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, code, 0);
    for (xkb_level_index_t level = 0; level < levels; ++level) {
      const xkb_keysym_t* syms = nullptr;
      if (xkb_keymap_key_get_syms_by_level(keymap, code, 0, level, &syms) != 1) continue;
      std::array<xkb_mod_mask_t, 8> masks{};
      const std::size_t count =
          xkb_keymap_key_get_mods_for_level(keymap, code, 0, level, masks.data(), masks.size());
      for (std::size_t m = 0; m < count; ++m) {
        // Only what Shift and AltGr reach: Num Lock and the rest are not pressed.
        if ((masks[m] & ~(shiftMask | levelThreeMask)) != 0) continue;
        const LayoutKeys::Stroke stroke{static_cast<int>(code - kXkbOffset),
                                        (masks[m] & shiftMask) != 0,
                                        (masks[m] & levelThreeMask) != 0};
        auto [at, added] = strokes.try_emplace(syms[0], stroke);
        if (!added && cost(stroke) < cost(at->second)) at->second = stroke;
      }
    }
  }
  return strokes;
}

std::optional<Strokes> Compile(const RuleNames& names) {
  std::unique_ptr<xkb_context, ContextFree> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
  if (!context) return std::nullopt;
  // Empty names are left to xkbcommon, which takes XKB_DEFAULT_* or its own defaults.
  const auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
  const xkb_rule_names rule{orNull(names.rules), orNull(names.model), orNull(names.layout),
                            orNull(names.variant), orNull(names.options)};
  std::unique_ptr<xkb_keymap, KeymapFree> keymap(
      xkb_keymap_new_from_names(context.get(), &rule, XKB_KEYMAP_COMPILE_NO_FLAGS));
  if (!keymap) return std::nullopt;
  return StrokesOf(keymap.get());
}

}  // namespace

std::optional<LayoutKeys> LayoutKeys::ForSession() {
  const char* fromEnvironment = std::getenv("XKB_DEFAULT_LAYOUT");
  auto strokes =
      Compile(fromEnvironment != nullptr && *fromEnvironment != 0 ? RuleNames{} : SystemKeyboard());
  if (!strokes) return std::nullopt;
  return LayoutKeys(std::move(*strokes));
}

std::optional<LayoutKeys> LayoutKeys::ForLayout(const std::string& layout,
                                                const std::string& variant) {
  RuleNames names;
  names.layout = layout;
  names.variant = variant;
  auto strokes = Compile(names);
  if (!strokes) return std::nullopt;
  return LayoutKeys(std::move(*strokes));
}

std::optional<LayoutKeys::Stroke> LayoutKeys::Find(std::uint32_t keysym) const {
  const auto found = strokes_.find(keysym);
  if (found == strokes_.end()) return std::nullopt;
  return found->second;
}

std::string LayoutKeys::Name(std::uint32_t keysym) {
  std::array<char, 64> name{};
  if (xkb_keysym_get_name(keysym, name.data(), name.size()) < 0) return "?";
  return name.data();
}

std::uint32_t LayoutKeys::KeysymOfCharacter(char32_t character) {
  return xkb_utf32_to_keysym(character);
}

}  // namespace quorbel::wayland
