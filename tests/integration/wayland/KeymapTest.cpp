// The virtual keyboard's own layout: it must compile, give every symbol a
// virtual-key code stands for, and let no key repeat.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "platform/linux/wayland/VirtualKeymap.h"
#include "platform/linux/x11/VirtualKeys.h"

namespace quorbel::wayland {
namespace {

struct Compiled {
  Compiled(const VirtualKeymap& keymap) {
    context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const std::string text = keymap.Text();
    map = xkb_keymap_new_from_string(context, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                     XKB_KEYMAP_COMPILE_NO_FLAGS);
    state = map != nullptr ? xkb_state_new(map) : nullptr;
  }
  ~Compiled() {
    if (state != nullptr) xkb_state_unref(state);
    if (map != nullptr) xkb_keymap_unref(map);
    xkb_context_unref(context);
  }
  // The symbol the key gives, with Shift held when `shift`.
  std::uint32_t Symbol(VirtualKeymap::Keystroke stroke) {
    constexpr std::uint32_t kShiftKey = 1;
    if (stroke.shift) xkb_state_update_key(state, kShiftKey + 8, XKB_KEY_DOWN);
    const std::uint32_t symbol = xkb_state_key_get_one_sym(state, stroke.key + 8);
    if (stroke.shift) xkb_state_update_key(state, kShiftKey + 8, XKB_KEY_UP);
    return symbol;
  }
  xkb_context* context = nullptr;
  xkb_keymap* map = nullptr;
  xkb_state* state = nullptr;
};

TEST(VirtualKeymap, EveryVirtualKeyHasAKeyThatGivesItsSymbolAndNoKeyRepeats) {
  VirtualKeymap keymap;
  Compiled compiled(keymap);
  ASSERT_NE(compiled.map, nullptr) << keymap.Text();
  for (int code = 0; code < 256; ++code) {
    const auto keysym = static_cast<std::uint32_t>(VirtualKeyToKeysym(code));
    if (keysym == 0) continue;
    const auto stroke = keymap.Find(keysym);
    ASSERT_TRUE(stroke) << code;
    EXPECT_EQ(compiled.Symbol(*stroke), keysym) << code;
    EXPECT_EQ(xkb_keymap_key_repeats(compiled.map, stroke->key + 8), 0) << code;
  }
  // Capitals are the letters' second level.
  const auto capital = keymap.Find(XKB_KEY_Q);
  ASSERT_TRUE(capital);
  EXPECT_TRUE(capital->shift);
  EXPECT_EQ(compiled.Symbol(*capital), std::uint32_t{XKB_KEY_Q});
  EXPECT_EQ(keymap.ShiftKey(), 1u);
}

TEST(VirtualKeymap, ModifierKeysSetTheirModifiers) {
  VirtualKeymap keymap;
  Compiled compiled(keymap);
  ASSERT_NE(compiled.map, nullptr);
  using Modifier = std::pair<std::uint32_t, const char*>;
  for (auto [keysym, name] :
       {Modifier{XKB_KEY_Control_L, XKB_MOD_NAME_CTRL}, Modifier{XKB_KEY_Alt_R, XKB_MOD_NAME_ALT},
        Modifier{XKB_KEY_Super_L, XKB_MOD_NAME_LOGO},
        Modifier{XKB_KEY_Shift_R, XKB_MOD_NAME_SHIFT}}) {
    const auto stroke = keymap.Find(keysym);
    ASSERT_TRUE(stroke);
    xkb_state_update_key(compiled.state, stroke->key + 8, XKB_KEY_DOWN);
    EXPECT_GT(xkb_state_mod_name_is_active(compiled.state, name, XKB_STATE_MODS_DEPRESSED), 0)
        << name;
    xkb_state_update_key(compiled.state, stroke->key + 8, XKB_KEY_UP);
  }
}

TEST(VirtualKeymap, ACharacterNoKeyGivesGetsAKeyAndSlotsAreReusedButNotWhileHeld) {
  VirtualKeymap keymap;
  const std::uint32_t euro = xkb_utf32_to_keysym(U'€');
  EXPECT_FALSE(keymap.Find(euro));
  const auto key = keymap.AddKey(euro, {});
  ASSERT_TRUE(key);
  {
    Compiled compiled(keymap);
    ASSERT_NE(compiled.map, nullptr);
    EXPECT_EQ(compiled.Symbol({*key, false}), euro);
  }
  // Fill every slot; the held one is never taken for another character.
  std::uint32_t last = 0;
  for (char32_t c = U'\u0400'; c < U'\u0600'; ++c) {
    const auto added = keymap.AddKey(xkb_utf32_to_keysym(c), {*key});
    ASSERT_TRUE(added);
    EXPECT_NE(*added, *key);
    EXPECT_LE(*added, 247u);  // XKB keycodes stay within 255
    last = *added;
  }
  EXPECT_NE(last, 0u);
  Compiled compiled(keymap);
  ASSERT_NE(compiled.map, nullptr);
  EXPECT_EQ(compiled.Symbol({*key, false}), euro);
}

}  // namespace
}  // namespace quorbel::wayland
