// A small Wayland client for the tests: one window that prints, one line
// each, what its keyboard and pointer receive, and flushes every line.
//   ready                      the window has its first configure
//   focus                      keyboard focus came
//   key <name> down|up repeats|once   (the symbol as the keymap gives it)
//   mods <depressed> <locked>  names of the modifiers in effect
//   button <code> down|up <x> <y>   (surface-local position)
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "xdg-shell-client-protocol.h"

namespace {

// The size until the compositor asks for another (a tile's size).
constexpr int kWidth = 400;
constexpr int kHeight = 300;

struct Target {
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  wl_seat* seat = nullptr;
  xdg_wm_base* shell = nullptr;
  wl_surface* surface = nullptr;
  wl_keyboard* keyboard = nullptr;
  wl_pointer* pointer = nullptr;
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap = nullptr;
  xkb_state* state = nullptr;
  double x = 0;
  double y = 0;
  bool configured = false;
  int width = kWidth;  // the size asked for
  int height = kHeight;
  int shownWidth = 0;  // the size of the buffer shown
  int shownHeight = 0;
};

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void Keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  auto* t = static_cast<Target*>(data);
  if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
    close(fd);
    return;
  }
  void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (text == MAP_FAILED) return;
  xkb_keymap* keymap =
      xkb_keymap_new_from_string(t->context, static_cast<const char*>(text),
                                 XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (keymap == nullptr) return;
  if (t->state != nullptr) xkb_state_unref(t->state);
  if (t->keymap != nullptr) xkb_keymap_unref(t->keymap);
  t->keymap = keymap;
  t->state = xkb_state_new(keymap);
}

void Enter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) { Say("focus"); }
void Leave(void*, wl_keyboard*, uint32_t, wl_surface*) {}

void Key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  auto* t = static_cast<Target*>(data);
  if (t->state == nullptr) return;
  const xkb_keycode_t code = key + 8;
  char name[64] = "?";
  xkb_keysym_get_name(xkb_state_key_get_one_sym(t->state, code), name, sizeof name);
  const bool repeats = xkb_keymap_key_repeats(t->keymap, code) != 0;
  Say(std::string("key ") + name + (state == WL_KEYBOARD_KEY_STATE_PRESSED ? " down" : " up") +
      (repeats ? " repeats" : " once"));
}

void Modifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
               uint32_t locked, uint32_t group) {
  auto* t = static_cast<Target*>(data);
  if (t->state == nullptr) return;
  xkb_state_update_mask(t->state, depressed, latched, locked, 0, 0, group);
  std::string line = "mods";
  for (const char* name : {XKB_MOD_NAME_SHIFT, XKB_MOD_NAME_CTRL, XKB_MOD_NAME_ALT,
                           XKB_MOD_NAME_LOGO, XKB_MOD_NAME_NUM}) {
    if (xkb_state_mod_name_is_active(t->state, name, XKB_STATE_MODS_EFFECTIVE) > 0) {
      line += std::string(" ") + name;
    }
  }
  Say(line);
}

void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener kKeyboard{Keymap, Enter, Leave, Key, Modifiers, RepeatInfo};

void PointerEnter(void* data, wl_pointer*, uint32_t, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
  auto* t = static_cast<Target*>(data);
  t->x = wl_fixed_to_double(x);
  t->y = wl_fixed_to_double(y);
}
void PointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}
void Motion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  auto* t = static_cast<Target*>(data);
  t->x = wl_fixed_to_double(x);
  t->y = wl_fixed_to_double(y);
}
void Button(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
  auto* t = static_cast<Target*>(data);
  Say("button " + std::to_string(button) +
      (state == WL_POINTER_BUTTON_STATE_PRESSED ? " down " : " up ") +
      std::to_string(static_cast<int>(t->x)) + " " + std::to_string(static_cast<int>(t->y)));
}
void Axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void Frame(void*, wl_pointer*) {}
void AxisSource(void*, wl_pointer*, uint32_t) {}
void AxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void AxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
void AxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_pointer_listener kPointer{PointerEnter, PointerLeave, Motion,     Button,
                                   Axis,         Frame,        AxisSource, AxisStop,
                                   AxisDiscrete, AxisValue120};

// The seat of a compositor without input devices has a keyboard and a
// pointer only once a virtual one is made: they are taken when they come.
void Capabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  auto* t = static_cast<Target*>(data);
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0 && t->keyboard == nullptr) {
    t->keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(t->keyboard, &kKeyboard, t);
  }
  if ((capabilities & WL_SEAT_CAPABILITY_POINTER) != 0 && t->pointer == nullptr) {
    t->pointer = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(t->pointer, &kPointer, t);
  }
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeat{Capabilities, SeatName};

void Ping(void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }
const xdg_wm_base_listener kShell{Ping};

// A buffer of the whole size asked for, so that the window fills its tile and
// client positions are where the compositor says the content is.
wl_buffer* WhiteBuffer(wl_shm* shm, int width, int height) {
  const int stride = width * 4;
  const int size = stride * height;
  const int fd = memfd_create("target", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, size) != 0) return nullptr;
  void* pixels =
      mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (pixels != MAP_FAILED) {
    std::memset(pixels, 0xFF, static_cast<size_t>(size));
    munmap(pixels, static_cast<size_t>(size));
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  return buffer;
}

void Configure(void* data, xdg_surface* surface, uint32_t serial) {
  auto* t = static_cast<Target*>(data);
  xdg_surface_ack_configure(surface, serial);
  if (t->width != t->shownWidth || t->height != t->shownHeight) {
    t->shownWidth = t->width;
    t->shownHeight = t->height;
    wl_surface_attach(t->surface, WhiteBuffer(t->shm, t->width, t->height), 0, 0);
    wl_surface_damage(t->surface, 0, 0, t->width, t->height);
  }
  wl_surface_commit(t->surface);
  if (t->configured) return;
  t->configured = true;
  Say("ready");
}
const xdg_surface_listener kSurface{Configure};

void ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
  auto* t = static_cast<Target*>(data);
  if (width > 0 && height > 0) {
    t->width = width;
    t->height = height;
  }
}
void ToplevelClose(void*, xdg_toplevel*) {}
void ToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}
const xdg_toplevel_listener kToplevel{ToplevelConfigure, ToplevelClose, ToplevelBounds,
                                      ToplevelCapabilities};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* t = static_cast<Target*>(data);
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    t->compositor =
        static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    t->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
    t->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
    t->shell =
        static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
  }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{Global, GlobalRemove};

}  // namespace

int main(int argc, char** argv) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return 2;
  Target t;
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, &t);
  wl_display_roundtrip(display);
  if (!t.compositor || !t.shm || !t.seat || !t.shell) return 3;
  xdg_wm_base_add_listener(t.shell, &kShell, &t);
  wl_seat_add_listener(t.seat, &kSeat, &t);
  t.surface = wl_compositor_create_surface(t.compositor);
  xdg_surface* surface = xdg_wm_base_get_xdg_surface(t.shell, t.surface);
  xdg_surface_add_listener(surface, &kSurface, &t);
  xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
  xdg_toplevel_add_listener(toplevel, &kToplevel, &t);
  xdg_toplevel_set_title(toplevel, argc > 1 ? argv[1] : "target");
  xdg_toplevel_set_app_id(toplevel, "quorbel-target");
  wl_surface_commit(t.surface);
  while (wl_display_dispatch(display) >= 0) {
  }
  return 0;
}
