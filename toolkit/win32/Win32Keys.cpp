// Keyboard of the Win32 toolkit: accelerators first, then key events to the
// event callback, before the system turns keys into characters.
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

constexpr wchar_t kFirstPrintable = L' ';
constexpr wchar_t kDeleteCharacter = L'\x7f';

bool IsSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

}  // namespace

int Win32Toolkit::KeyTargetOf(Win32Form& form, HWND window) {
  // Only text boxes take keys as their own: the program treats any event of
  // a button or an up-down as its command, so a key typed there must not
  // count as one.
  if (window == form.window) return 0;
  Win32Control* control = ControlOf(form, ::GetDlgCtrlID(window));
  return control != nullptr && control->window == window && control->kind == ControlKind::Text
             ? ::GetDlgCtrlID(window)
             : 0;
}

bool Win32Toolkit::RouteKey(const MSG& message) {
  const UINT type = message.message;
  const bool down = type == WM_KEYDOWN || type == WM_SYSKEYDOWN;
  const bool up = type == WM_KEYUP || type == WM_SYSKEYUP;
  if (!down && !up && type != WM_CHAR) return false;
  Win32Form* form = FormOfWindow(::GetAncestor(message.hwnd, GA_ROOT));
  if (form == nullptr) return false;
  const int key = static_cast<int>(message.wParam);
  if (down && Accelerate(*form, key)) return true;
  if (keyEventsMode_.load() == 0) return false;

  const int id = KeyTargetOf(*form, message.hwnd);
  if (up) return Deliver(*form, id, kKeyUp, key).cancel;
  // F10, Alt and keys held with Alt are the system's keys: no character follows.
  if (type == WM_SYSKEYDOWN) return Deliver(*form, id, kSystemKey, key).cancel;
  // A cancelled key-down is not turned into a character.
  if (type == WM_KEYDOWN) return Deliver(*form, id, kKeyDown, key).cancel;
  const auto character = static_cast<wchar_t>(message.wParam);
  if (character < kFirstPrintable || character == kDeleteCharacter || IsSurrogate(character)) {
    return false;
  }
  return Deliver(*form, id, kCharacter, static_cast<int>(character)).cancel;
}

void Win32Toolkit::AllowKeyEvents(int mode) { keyEventsMode_.store(mode); }

}  // namespace quorbel::ui
