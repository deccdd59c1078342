#include "platform/linux/wayland/WlrootsInput.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/linux/wayland/VirtualKeymap.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "platform/linux/x11/VirtualKeys.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace quorbel {
namespace {

constexpr std::uint32_t kXkbOffset = 8;

// A key this object pressed and has not released yet.
struct HeldKey {
  int virtualKey = 0;
  char32_t character = 0;
  std::uint32_t key = 0;
  bool shift = false;  // a Shift pressed with it so that the layout gives it
};

std::uint32_t Milliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint32_t ButtonCode(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return BTN_LEFT;
    case MouseButton::Right:
      return BTN_RIGHT;
    case MouseButton::Middle:
      return BTN_MIDDLE;
  }
  return BTN_LEFT;
}

struct Globals {
  wl_seat* seat = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
  zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void AnnounceGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                    std::uint32_t /*version*/) {
  auto* globals = static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    globals->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}

void RemoveGlobal(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener kRegistryListener{AnnounceGlobal, RemoveGlobal};

}  // namespace

struct WlrootsInput::Impl {
  explicit Impl(WaylandDesktop& owner) : desktop(owner) {}

  ~Impl() {
    if (keymapState != nullptr) xkb_state_unref(keymapState);
    if (compiled != nullptr) xkb_keymap_unref(compiled);
    if (context != nullptr) xkb_context_unref(context);
    if (keyboard != nullptr) zwp_virtual_keyboard_v1_destroy(keyboard);
    if (pointer != nullptr) zwlr_virtual_pointer_v1_destroy(pointer);
    if (globals.keyboards != nullptr) zwp_virtual_keyboard_manager_v1_destroy(globals.keyboards);
    if (globals.pointers != nullptr) zwlr_virtual_pointer_manager_v1_destroy(globals.pointers);
    if (globals.seat != nullptr) wl_seat_destroy(globals.seat);
    if (registry != nullptr) wl_registry_destroy(registry);
    if (display != nullptr) {
      wl_display_flush(display);
      wl_display_disconnect(display);
    }
  }

  // Gives the compositor the keymap as it stands and follows the modifiers
  // with a state of the same keymap. False when the keymap does not compile.
  bool UploadKeymap() {
    const std::string text = keymap.Text();
    xkb_keymap* next = xkb_keymap_new_from_string(context, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                  XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (next == nullptr) return false;
    const int fd = memfd_create("quorbel-keymap", MFD_CLOEXEC);
    if (fd < 0) {
      xkb_keymap_unref(next);
      return false;
    }
    const std::size_t size = text.size() + 1;  // with its terminating zero
    const bool written = ::write(fd, text.c_str(), size) == static_cast<ssize_t>(size);
    if (written) {
      zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                     static_cast<std::uint32_t>(size));
    }
    ::close(fd);
    if (!written) {
      xkb_keymap_unref(next);
      return false;
    }
    if (keymapState != nullptr) xkb_state_unref(keymapState);
    if (compiled != nullptr) xkb_keymap_unref(compiled);
    compiled = next;
    keymapState = xkb_state_new(compiled);
    // The keys still down keep their keycodes: the new state holds them too.
    for (const HeldKey& held : ledger) {
      if (held.shift)
        xkb_state_update_key(keymapState, keymap.ShiftKey() + kXkbOffset, XKB_KEY_DOWN);
      xkb_state_update_key(keymapState, held.key + kXkbOffset, XKB_KEY_DOWN);
    }
    SendModifiers();
    return true;
  }

  // The virtual keyboard does not work out the modifiers from its keys: they
  // are sent with every change.
  void SendModifiers() {
    zwp_virtual_keyboard_v1_modifiers(
        keyboard, xkb_state_serialize_mods(keymapState, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(keymapState, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(keymapState, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(keymapState, XKB_STATE_LAYOUT_EFFECTIVE));
  }

  void SendKey(std::uint32_t key, bool down) {
    zwp_virtual_keyboard_v1_key(
        keyboard, Milliseconds(), key,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    const auto changed =
        xkb_state_update_key(keymapState, key + kXkbOffset, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    if (changed != 0) SendModifiers();
  }

  bool ShiftDown() const {
    return xkb_state_mod_name_is_active(keymapState, XKB_MOD_NAME_SHIFT, XKB_STATE_MODS_EFFECTIVE) >
           0;
  }

  std::vector<HeldKey>::iterator FindHeld(int virtualKey, char32_t character) {
    return std::find_if(ledger.begin(), ledger.end(), [&](const HeldKey& h) {
      return h.virtualKey == virtualKey && h.character == character;
    });
  }

  void Press(HeldKey key, std::uint32_t keysym) {
    if (auto found = FindHeld(key.virtualKey, key.character); found != ledger.end()) {
      // Pressed again while down: the same key once more; one ledger entry.
      SendKey(found->key, true);
      Settle();
      return;
    }
    auto stroke = keymap.Find(keysym);
    if (!stroke) {
      std::vector<std::uint32_t> keysHeld;
      for (const HeldKey& held : ledger) keysHeld.push_back(held.key);
      const auto added = keymap.AddKey(keysym, keysHeld);
      if (!added || !UploadKeymap()) return;
      stroke = wayland::VirtualKeymap::Keystroke{*added, false};
    }
    key.key = stroke->key;
    key.shift = stroke->shift && !ShiftDown();
    if (key.shift) SendKey(keymap.ShiftKey(), true);
    SendKey(key.key, true);
    ledger.push_back(key);
    Settle();
  }

  void Release(std::vector<HeldKey>::iterator found) {
    const HeldKey key = *found;
    ledger.erase(found);
    SendKey(key.key, false);
    if (key.shift) SendKey(keymap.ShiftKey(), false);
    Settle();
  }

  // Waits until the compositor has handled everything sent.
  void Settle() { wl_display_roundtrip(display); }

  WaylandDesktop& desktop;
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  Globals globals;
  zwp_virtual_keyboard_v1* keyboard = nullptr;
  zwlr_virtual_pointer_v1* pointer = nullptr;
  xkb_context* context = nullptr;
  xkb_keymap* compiled = nullptr;
  xkb_state* keymapState = nullptr;
  wayland::VirtualKeymap keymap;
  std::vector<HeldKey> ledger;  // in the order pressed
  std::mutex mutex;
};

std::unique_ptr<WlrootsInput> WlrootsInput::Connect(WaylandDesktop& desktop) {
  auto impl = std::make_unique<Impl>(desktop);
  impl->display = wl_display_connect(nullptr);
  if (impl->display == nullptr) return nullptr;
  impl->registry = wl_display_get_registry(impl->display);
  wl_registry_add_listener(impl->registry, &kRegistryListener, &impl->globals);
  wl_display_roundtrip(impl->display);
  const Globals& globals = impl->globals;
  if (globals.seat == nullptr || globals.keyboards == nullptr || globals.pointers == nullptr) {
    return nullptr;
  }
  impl->keyboard =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.keyboards, globals.seat);
  impl->pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.pointers, globals.seat);
  impl->context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  if (impl->context == nullptr || !impl->UploadKeymap()) return nullptr;
  if (wl_display_roundtrip(impl->display) < 0) return nullptr;
  return std::unique_ptr<WlrootsInput>(new WlrootsInput(std::move(impl)));
}

WlrootsInput::WlrootsInput(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

WlrootsInput::~WlrootsInput() {
  std::lock_guard lock(impl_->mutex);
  while (!impl_->ledger.empty()) impl_->Release(std::prev(impl_->ledger.end()));
}

void WlrootsInput::KeyDown(int virtualKey) {
  const auto keysym = static_cast<std::uint32_t>(VirtualKeyToKeysym(virtualKey));
  if (keysym == 0) return;
  std::lock_guard lock(impl_->mutex);
  impl_->Press(HeldKey{virtualKey, 0, 0, false}, keysym);
}

void WlrootsInput::KeyUp(int virtualKey) {
  std::lock_guard lock(impl_->mutex);
  if (auto found = impl_->FindHeld(virtualKey, 0); found != impl_->ledger.end()) {
    impl_->Release(found);
    return;
  }
  // Not pressed by us: release the key that gives the symbol.
  const auto keysym = static_cast<std::uint32_t>(VirtualKeyToKeysym(virtualKey));
  if (const auto stroke = impl_->keymap.Find(keysym); keysym != 0 && stroke) {
    impl_->SendKey(stroke->key, false);
    impl_->Settle();
  }
}

void WlrootsInput::CharacterDown(char32_t character) {
  const std::uint32_t keysym = xkb_utf32_to_keysym(character);
  if (keysym == XKB_KEY_NoSymbol) return;
  std::lock_guard lock(impl_->mutex);
  impl_->Press(HeldKey{0, character, 0, false}, keysym);
}

void WlrootsInput::CharacterUp(char32_t character) {
  std::lock_guard lock(impl_->mutex);
  if (auto found = impl_->FindHeld(0, character); found != impl_->ledger.end()) {
    impl_->Release(found);
  }
}

void WlrootsInput::Click(MouseButton button) {
  std::lock_guard lock(impl_->mutex);
  const std::uint32_t code = ButtonCode(button);
  zwlr_virtual_pointer_v1_button(impl_->pointer, Milliseconds(), code,
                                 WL_POINTER_BUTTON_STATE_PRESSED);
  zwlr_virtual_pointer_v1_frame(impl_->pointer);
  zwlr_virtual_pointer_v1_button(impl_->pointer, Milliseconds(), code,
                                 WL_POINTER_BUTTON_STATE_RELEASED);
  zwlr_virtual_pointer_v1_frame(impl_->pointer);
  impl_->Settle();
}

void WlrootsInput::SetCursor(Point screen) {
  const auto layout = impl_->desktop.Layout();
  if (!layout || layout->width <= 0 || layout->height <= 0) return;
  std::lock_guard lock(impl_->mutex);
  // Absolute motion is a share of the layout's box.
  const int x = std::clamp(screen.x - layout->x, 0, layout->width - 1);
  const int y = std::clamp(screen.y - layout->y, 0, layout->height - 1);
  zwlr_virtual_pointer_v1_motion_absolute(
      impl_->pointer, Milliseconds(), static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
      static_cast<std::uint32_t>(layout->width), static_cast<std::uint32_t>(layout->height));
  zwlr_virtual_pointer_v1_frame(impl_->pointer);
  impl_->Settle();
}

Point WlrootsInput::ClientToScreen(WindowId window, Point client) {
  const auto content = impl_->desktop.Content(window);
  if (!content) return client;
  return Point{content->x + client.x, content->y + client.y};
}

}  // namespace quorbel
