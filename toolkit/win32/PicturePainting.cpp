#include "toolkit/win32/PicturePainting.h"

#include <commctrl.h>

#include <vector>

namespace quorbel::ui {

namespace {

constexpr UINT_PTR kPictureSubclass = 0x5155;
constexpr wchar_t kImageProperty[] = L"QuorbelPictureImage";
// Marks the pictures painted here; the system's own look-up of a subclass
// is not exported by name.
constexpr wchar_t kPaintedProperty[] = L"QuorbelPicturePainted";

bool IsPaintedHere(HWND window) { return ::GetPropW(window, kPaintedProperty) != nullptr; }

HBITMAP ImageOf(HWND window) { return static_cast<HBITMAP>(::GetPropW(window, kImageProperty)); }

// Draws the image with its top left corner at (x, y): blended by its alpha
// when it is a 32-bit image of its own pixels, copied otherwise (the
// system's message icons, drawn on the dialog colour).
void DrawImage(HDC target, HBITMAP image, int x, int y) {
  if (image == nullptr) return;
  DIBSECTION section{};
  const int described = ::GetObjectW(image, sizeof(section), &section);
  if (described == 0) return;
  const BITMAP& bitmap = section.dsBm;
  HDC source = ::CreateCompatibleDC(target);
  const HGDIOBJ old = ::SelectObject(source, image);
  if (described == sizeof(section) && bitmap.bmBitsPixel == 32) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(target, x, y, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, bitmap.bmWidth,
                    bitmap.bmHeight, blend);
  } else {
    ::BitBlt(target, x, y, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, SRCCOPY);
  }
  ::SelectObject(source, old);
  ::DeleteDC(source);
}

// The visible pictures beneath `window` that it overlaps, lowest first.
std::vector<HWND> PicturesBeneath(HWND window, const RECT& place) {
  std::vector<HWND> beneath;
  for (HWND other = ::GetWindow(window, GW_HWNDLAST); other != nullptr && other != window;
       other = ::GetWindow(other, GW_HWNDPREV)) {
    RECT theirs{};
    RECT overlap{};
    if (::IsWindowVisible(other) == FALSE || !IsPaintedHere(other)) continue;
    ::GetWindowRect(other, &theirs);
    if (::IntersectRect(&overlap, &place, &theirs) != FALSE) beneath.push_back(other);
  }
  return beneath;
}

void Paint(HWND window) {
  PAINTSTRUCT painting{};
  HDC screen = ::BeginPaint(window, &painting);
  RECT client{};
  ::GetClientRect(window, &client);
  // Composed off screen first, so that nothing flickers.
  HDC canvas = ::CreateCompatibleDC(screen);
  HBITMAP surface = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ old = ::SelectObject(canvas, surface);
  auto background = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(window), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(canvas),
                                                            reinterpret_cast<LPARAM>(window)));
  ::FillRect(canvas, &client,
             background != nullptr ? background : ::GetSysColorBrush(COLOR_BTNFACE));
  RECT place{};
  ::GetWindowRect(window, &place);
  for (HWND other : PicturesBeneath(window, place)) {
    RECT theirs{};
    ::GetWindowRect(other, &theirs);
    DrawImage(canvas, ImageOf(other), theirs.left - place.left, theirs.top - place.top);
  }
  DrawImage(canvas, ImageOf(window), 0, 0);
  ::BitBlt(screen, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
  ::SelectObject(canvas, old);
  ::DeleteObject(surface);
  ::DeleteDC(canvas);
  ::EndPaint(window, &painting);
}

LRESULT CALLBACK PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting covers every pixel
    case STM_SETIMAGE: {
      if (wParam != IMAGE_BITMAP) return 0;
      const HBITMAP old = ImageOf(window);
      ::SetPropW(window, kImageProperty, reinterpret_cast<HANDLE>(lParam));
      ::InvalidateRect(window, nullptr, FALSE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(ImageOf(window)) : 0;
    case WM_NCDESTROY:
      ::RemovePropW(window, kImageProperty);
      ::RemovePropW(window, kPaintedProperty);
      ::RemoveWindowSubclass(window, &PictureProcedure, kPictureSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void PaintPictureItself(HWND picture) {
  ::SetPropW(picture, kPaintedProperty, reinterpret_cast<HANDLE>(1));
  ::SetWindowSubclass(picture, &PictureProcedure, kPictureSubclass, 0);
}

void RepaintPictureAndAbove(HWND picture) {
  HWND form = ::GetParent(picture);
  RECT place{};
  ::GetWindowRect(picture, &place);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
  ::RedrawWindow(form, &place, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace quorbel::ui
