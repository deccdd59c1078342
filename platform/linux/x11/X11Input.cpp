#include "platform/linux/x11/X11Input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "platform/linux/x11/KeyboardMap.h"
#include "platform/linux/x11/VirtualKeys.h"
#include "platform/linux/x11/XConnection.h"

namespace quorbel {
namespace {

// How long a spare keycode keeps its symbol after the key went up. Clients
// read a changed keyboard mapping only when they next look a key up, so
// taking the symbol away at once could leave the target reading the release
// (or even the press) against the restored mapping.
constexpr std::chrono::milliseconds kSpareSettle{50};

// Unicode characters of Latin-1 have the keysym of their own number; every
// other one has its number above this base.
constexpr char32_t kLastLatin1 = 0xFF;
constexpr KeySym kUnicodeKeysymBase = 0x1000000;

// How long the repeat flags asked for ahead of a press stay good for it. The
// question goes out while the window in front is looked up, a fraction of a
// millisecond before the key; a press that comes much later (a sequence
// that begins with a delay) asks again, so a change the user made meanwhile
// is seen.
constexpr std::chrono::milliseconds kPreparedAnswerLife{20};

// A key this object pressed and has not released yet: the virtual key or the
// character it was pressed for.
struct HeldKey {
  int virtualKey = 0;
  char32_t character = 0;
  KeyCode keycode = 0;
  bool spare = false;          // a spare keycode mapped for this press
  bool repeatStopped = false;  // its auto-repeat is off while we hold it
  // Level keys pressed with it so that the layout gives the character; 0
  // for none.
  KeyCode shiftKey = 0;
  KeyCode thirdLevelKey = 0;

  bool Is(int otherKey, char32_t otherCharacter) const {
    return virtualKey == otherKey && character == otherCharacter;
  }
};

KeySym KeysymOfCharacter(char32_t character) {
  return character <= kLastLatin1 ? static_cast<KeySym>(character)
                                  : kUnicodeKeysymBase + static_cast<KeySym>(character);
}

unsigned int ButtonNumber(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return Button1;
    case MouseButton::Middle:
      return Button2;
    case MouseButton::Right:
      return Button3;
  }
  return Button1;
}

// The keys that repeat when held, asked for as soon as a press starts: the
// question goes out with the next one the press asks (the keyboard's state,
// for the key that gives the symbol), and both answers come back in one
// round trip instead of two.
class RepeatQuestion {
 public:
  explicit RepeatQuestion(Display* display)
      : connection_(XGetXCBConnection(display)),
        cookie_(xcb_get_keyboard_control(connection_)) {}
  ~RepeatQuestion() {
    if (!answered_) xcb_discard_reply(connection_, cookie_.sequence);
  }
  RepeatQuestion(const RepeatQuestion&) = delete;
  RepeatQuestion& operator=(const RepeatQuestion&) = delete;

  // Sends the question at once instead of with the next one.
  void SendNow() { xcb_flush(connection_); }

  // Whether the key repeats when held; false when the server did not say.
  bool Repeats(KeyCode keycode) {
    answered_ = true;
    xcb_generic_error_t* error = nullptr;
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection_, cookie_, &error);
    std::free(error);
    if (reply == nullptr) return false;
    const bool repeats = (reply->auto_repeats[keycode / 8] & (1 << (keycode % 8))) != 0;
    std::free(reply);
    return repeats;
  }

 private:
  xcb_connection_t* connection_;
  xcb_get_keyboard_control_cookie_t cookie_;
  bool answered_ = false;
};

}  // namespace

struct X11Input::Impl {
  explicit Impl(std::unique_ptr<x11::XConnection> opened)
      : connection(std::move(opened)), keyboard(connection->display()) {}

  Display* display() const { return connection->display(); }

  // Any event this connection receives reports a changed keyboard mapping: it
  // selects nothing else.
  void NoteMappingChanges() {
    bool changed = false;
    while (XPending(display()) > 0) {
      XEvent event;
      XNextEvent(display(), &event);
      changed = true;
    }
    if (changed) keyboard.Invalidate();
  }

  std::vector<KeyCode> SpareKeycodesInUse() const {
    std::vector<KeyCode> inUse;
    for (const HeldKey& key : held) {
      if (key.spare) inUse.push_back(key.keycode);
    }
    return inUse;
  }

  void MapSpare(KeyCode keycode, KeySym keysym) {
    // Both levels, so that a held shift still gives the symbol; a letter gets
    // its capital on the second level.
    KeySym lower = NoSymbol;
    KeySym upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    KeySym symbols[2] = {keysym, keysym == lower ? upper : keysym};
    XChangeKeyboardMapping(display(), keycode, 2, symbols, 1);
    XSync(display(), False);
  }

  void ClearSpare(KeyCode keycode) {
    KeySym nothing = NoSymbol;
    XChangeKeyboardMapping(display(), keycode, 1, &nothing, 1);
    XSync(display(), False);
  }

  // The repeat flags asked for ahead of this press, or asked now, with the
  // press's next question. Either way they are used up by the one press.
  std::unique_ptr<RepeatQuestion> RepeatsForPress() {
    std::unique_ptr<RepeatQuestion> asked = std::move(prepared);
    if (asked && std::chrono::steady_clock::now() - preparedAt <= kPreparedAnswerLife) {
      return asked;
    }
    return std::make_unique<RepeatQuestion>(display());
  }

  void PrepareKeys() {
    prepared.reset();
    prepared = std::make_unique<RepeatQuestion>(display());
    prepared->SendNow();
    preparedAt = std::chrono::steady_clock::now();
  }

  // The server repeats a key that stays down, also one held through XTest;
  // a played key is one press however long it is held. Only the keycode we
  // are about to hold stops repeating, and only while we hold it: the
  // user's repeat settings for every other key stay as they are. False when
  // the key did not repeat anyway.
  bool StopRepeat(KeyCode keycode, RepeatQuestion& repeats) {
    if (!repeats.Repeats(keycode)) return false;
    SetRepeat(keycode, AutoRepeatModeOff);
    return true;
  }

  void SetRepeat(KeyCode keycode, int mode) {
    // Flags asked for before this change no longer tell the truth.
    prepared.reset();
    XKeyboardControl control{};
    control.key = keycode;
    control.auto_repeat_mode = mode;
    XChangeKeyboardControl(display(), KBKey | KBAutoRepeatMode, &control);
  }

  void PressKey(int virtualKey) {
    const KeySym keysym = VirtualKeyToKeysym(virtualKey);
    if (keysym == NoSymbol) return;
    NoteMappingChanges();
    const std::unique_ptr<RepeatQuestion> repeats = RepeatsForPress();
    HeldKey key;
    key.virtualKey = virtualKey;
    key.keycode = keyboard.KeycodeFor(keysym);
    Hold(key, keysym, *repeats);
  }

  // The key that gives the character in the layout in use, with shift or
  // AltGr where the layout puts it there ("§" is shift and 3 on a German
  // keyboard); a character no key gives goes through a spare keycode.
  void PressCharacter(char32_t character) {
    const KeySym keysym = KeysymOfCharacter(character);
    NoteMappingChanges();
    if (auto found = FindHeld(0, character); found != held.end()) {
      // Pressed again while down: the same key once more, as a key repeats.
      XTestFakeKeyEvent(display(), found->keycode, True, CurrentTime);
      XSync(display(), False);
      return;
    }
    const std::unique_ptr<RepeatQuestion> repeats = RepeatsForPress();
    HeldKey key;
    key.character = character;
    const x11::KeyboardMap::Keystroke stroke = keyboard.KeystrokeFor(keysym);
    key.keycode = stroke.keycode;
    if (key.keycode != 0) PressLevels(key, stroke);
    Hold(key, keysym, *repeats);
  }

  // Presses the level modifiers a keystroke needs and are not in effect yet.
  void PressLevels(HeldKey& key, const x11::KeyboardMap::Keystroke& stroke) {
    XkbStateRec state{};
    if (XkbGetState(display(), XkbUseCoreKbd, &state) != Success) return;
    if (stroke.shift && (state.mods & ShiftMask) == 0) {
      key.shiftKey = keyboard.KeycodeFor(XK_Shift_L);
      if (key.shiftKey != 0) XTestFakeKeyEvent(display(), key.shiftKey, True, CurrentTime);
    }
    if (stroke.thirdLevel) {
      key.thirdLevelKey = keyboard.KeycodeFor(XK_ISO_Level3_Shift);
      if (key.thirdLevelKey != 0) {
        XTestFakeKeyEvent(display(), key.thirdLevelKey, True, CurrentTime);
      }
    }
  }

  std::vector<HeldKey>::iterator FindHeld(int virtualKey, char32_t character) {
    return std::find_if(held.begin(), held.end(),
                        [&](const HeldKey& h) { return h.Is(virtualKey, character); });
  }

  void Hold(HeldKey key, KeySym keysym, RepeatQuestion& repeats) {
    if (key.keycode == 0) {
      key.keycode = keyboard.SpareKeycode(SpareKeycodesInUse());
      if (key.keycode == 0) return;
      key.spare = true;
      MapSpare(key.keycode, keysym);
    }
    const bool again = FindHeld(key.virtualKey, key.character) != held.end();
    if (!again) key.repeatStopped = StopRepeat(key.keycode, repeats);
    XTestFakeKeyEvent(display(), key.keycode, True, CurrentTime);
    XSync(display(), False);
    // A key pressed again while down repeats; it stays one entry in the ledger.
    if (!again) held.push_back(key);
  }

  void ReleaseKey(int virtualKey) {
    auto found = FindHeld(virtualKey, 0);
    if (found != held.end()) {
      Release(found);
      return;
    }
    // Not pressed by us: release whatever key gives the symbol now.
    NoteMappingChanges();
    const KeyCode keycode = keyboard.KeycodeFor(VirtualKeyToKeysym(virtualKey));
    if (keycode == 0) return;
    XTestFakeKeyEvent(display(), keycode, False, CurrentTime);
    XSync(display(), False);
  }

  // A character this object did not press has no key to release.
  void ReleaseCharacter(char32_t character) {
    auto found = FindHeld(0, character);
    if (found != held.end()) Release(found);
  }

  void Release(std::vector<HeldKey>::iterator found) {
    const HeldKey key = *found;
    held.erase(found);
    XTestFakeKeyEvent(display(), key.keycode, False, CurrentTime);
    if (key.thirdLevelKey != 0) XTestFakeKeyEvent(display(), key.thirdLevelKey, False, CurrentTime);
    if (key.shiftKey != 0) XTestFakeKeyEvent(display(), key.shiftKey, False, CurrentTime);
    if (key.repeatStopped) SetRepeat(key.keycode, AutoRepeatModeOn);
    XSync(display(), False);
    if (key.spare) {
      std::this_thread::sleep_for(kSpareSettle);
      ClearSpare(key.keycode);
    }
  }

  std::unique_ptr<x11::XConnection> connection;
  x11::KeyboardMap keyboard;
  std::vector<HeldKey> held;  // in the order pressed
  // The repeat flags asked for ahead of the next press, and when.
  std::unique_ptr<RepeatQuestion> prepared;
  std::chrono::steady_clock::time_point preparedAt;
};

std::unique_ptr<X11Input> X11Input::Connect(const std::string& displayName) {
  auto connection = x11::XConnection::Open(displayName);
  if (!connection) return nullptr;
  Display* display = connection->display();
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display, &event, &error, &major, &minor)) return nullptr;
  int opcode = 0;
  major = XkbMajorVersion;
  minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return nullptr;
  // Be told when the layout or the mapping of a key changes, but not when a
  // key's repeat flag does: holding a key turns its repeat off and on, and
  // reading the whole map again at every press would cost more than the press.
  const unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
  XkbSelectEvents(display, XkbUseCoreKbd, changes, changes);
  XkbSelectEventDetails(display, XkbUseCoreKbd, XkbMapNotify, XkbAllMapComponentsMask,
                        x11::KeyboardMap::kParts);
  return std::unique_ptr<X11Input>(new X11Input(std::make_unique<Impl>(std::move(connection))));
}

X11Input::X11Input(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

X11Input::~X11Input() {
  auto lock = impl_->connection->Lock();
  while (!impl_->held.empty()) impl_->Release(std::prev(impl_->held.end()));
}

void X11Input::PrepareKeys() {
  auto lock = impl_->connection->Lock();
  impl_->PrepareKeys();
}

void X11Input::KeyDown(int virtualKey) {
  auto lock = impl_->connection->Lock();
  impl_->PressKey(virtualKey);
}

void X11Input::KeyUp(int virtualKey) {
  auto lock = impl_->connection->Lock();
  impl_->ReleaseKey(virtualKey);
}

void X11Input::CharacterDown(char32_t character) {
  auto lock = impl_->connection->Lock();
  impl_->PressCharacter(character);
}

void X11Input::CharacterUp(char32_t character) {
  auto lock = impl_->connection->Lock();
  impl_->ReleaseCharacter(character);
}

void X11Input::Click(MouseButton button) {
  auto lock = impl_->connection->Lock();
  const unsigned int number = ButtonNumber(button);
  XTestFakeButtonEvent(impl_->display(), number, True, CurrentTime);
  XTestFakeButtonEvent(impl_->display(), number, False, CurrentTime);
  XSync(impl_->display(), False);
}

void X11Input::SetCursor(Point screen) {
  auto lock = impl_->connection->Lock();
  // Screen -1: the screen the pointer is on.
  XTestFakeMotionEvent(impl_->display(), -1, screen.x, screen.y, CurrentTime);
  XSync(impl_->display(), False);
}

Point X11Input::ClientToScreen(WindowId window, Point client) {
  auto lock = impl_->connection->Lock();
  int x = 0;
  int y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(impl_->display(), static_cast<Window>(window),
                             impl_->connection->root(), client.x, client.y, &x, &y, &child)) {
    return client;
  }
  return Point{x, y};
}

Point X11Input::ScreenSize() {
  auto lock = impl_->connection->Lock();
  const int screen = DefaultScreen(impl_->display());
  return Point{DisplayWidth(impl_->display(), screen), DisplayHeight(impl_->display(), screen)};
}

}  // namespace quorbel
