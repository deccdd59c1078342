// A form that moves to a screen of another DPI is laid out again for it.
#include <windows.h>
// The common controls need the system's types first.
#include <commctrl.h>

#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

// List view columns keep the share of the grid they were given.
void ScaleColumns(HWND listView, int oldDpi, int newDpi) {
  const HWND header = reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0));
  const int columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int column = 0; column < columns; ++column) {
    const int width = static_cast<int>(
        ::SendMessageW(listView, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    ::SendMessageW(listView, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                   ::MulDiv(width, newDpi, oldDpi));
  }
}

}  // namespace

void Win32Toolkit::OnDpiChanged(Win32Form& form, int dpi, const RECT& suggested) {
  const int oldDpi = form.dpi;
  if (dpi <= 0 || dpi == oldDpi) return;
  form.dpi = dpi;
  const CharGrid grid(dpi);
  for (auto& [id, control] : form.controls) {
    const RECT place = grid.ToPixels(control.place);
    const SIZE size{place.right - place.left, place.bottom - place.top};
    ::SetWindowPos(control.window, nullptr, place.left, place.top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control.window, WM_SETFONT,
                   reinterpret_cast<WPARAM>(appearance_.Font(control.font, dpi)), TRUE);
    if (control.kind == ControlKind::ListView) ScaleColumns(control.window, oldDpi, dpi);
    // Text widths do not scale exactly with the grid: a label may change
    // between one line and several.
    if (control.kind == ControlKind::Label) CentreOneLine(control.window);
    if (control.kind == ControlKind::Picture || control.kind == ControlKind::Icon) {
      control.pictureSize = size;
      if (pictures_.Known(control.pictureKey)) ShowPicture(control, control.pictureKey);
    }
  }
  ::SetWindowPos(form.window, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame the system suggests holds the client area on the new grid,
  // unless the system kept its caption's size: the frame takes up the rest.
  const RECT wanted = grid.ToPixels(Rect{0, 0, form.place.width, form.place.height});
  RECT client{};
  ::GetClientRect(form.window, &client);
  if (client.right != wanted.right || client.bottom != wanted.bottom) {
    ::SetWindowPos(form.window, nullptr, 0, 0,
                   suggested.right - suggested.left + wanted.right - client.right,
                   suggested.bottom - suggested.top + wanted.bottom - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::InvalidateRect(form.window, nullptr, TRUE);
}

}  // namespace quorbel::ui
