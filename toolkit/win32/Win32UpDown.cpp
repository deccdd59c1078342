// The up-down of the Win32 toolkit steps as the program's other toolkits'
// does: with its arrows, with the keyboard once it has the focus, and with
// the mouse wheel.
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include <algorithm>

#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

constexpr int kPageSteps = 10;

int StepsOfKey(WPARAM key) {
  switch (key) {
    case VK_UP:
      return 1;
    case VK_DOWN:
      return -1;
    case VK_PRIOR:
      return kPageSteps;
    case VK_NEXT:
      return -kPageSteps;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK Win32Toolkit::UpDownProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR /*subclass*/,
                                               DWORD_PTR toolkit) {
  auto* self = reinterpret_cast<Win32Toolkit*>(toolkit);
  switch (message) {
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, &Win32Toolkit::UpDownProcedure, 0);
      break;
    case WM_LBUTTONDOWN:
      // A click on an arrow gives the up-down the keyboard, as it steps.
      ::SetFocus(window);
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (const int steps = StepsOfKey(wParam); steps != 0) {
        self->StepUpDown(window, steps, 0);
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      self->StepUpDown(window, 0, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

void Win32Toolkit::StepUpDown(HWND window, int steps, int wheel) {
  Win32Form* form = FormOfWindow(::GetParent(window));
  Win32Control* control = form != nullptr ? ControlOf(*form, ::GetDlgCtrlID(window)) : nullptr;
  if (control == nullptr) return;
  // Turns of less than a notch add up until they make one.
  control->wheel += wheel;
  steps += control->wheel / WHEEL_DELTA;
  control->wheel %= WHEEL_DELTA;
  if (steps == 0) return;
  int minimum = 0;
  int maximum = 0;
  ::SendMessageW(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum),
                 reinterpret_cast<LPARAM>(&maximum));
  const int position = static_cast<int>(::SendMessageW(window, UDM_GETPOS32, 0, 0));
  const int next =
      std::clamp(position + steps, std::min(minimum, maximum), std::max(minimum, maximum));
  ::SendMessageW(window, UDM_SETPOS32, 0, next);
  OnScroll(*form, window);
}

}  // namespace quorbel::ui
