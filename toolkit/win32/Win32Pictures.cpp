// Pictures and form icons of the Win32 toolkit.
#include <utility>

#include "toolkit/win32/PicturePainting.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

// An icon of the bitmap, opaque where the bitmap has no transparency.
HICON IconOf(HBITMAP image) {
  BITMAP description{};
  ::GetObjectW(image, sizeof(description), &description);
  HBITMAP mask = ::CreateBitmap(description.bmWidth, description.bmHeight, 1, 1, nullptr);
  ICONINFO parts{TRUE, 0, 0, mask, image};
  HICON icon = ::CreateIconIndirect(&parts);
  ::DeleteObject(mask);
  return icon;
}

// The icon of an image at `side` pixels: the source's own, drawn for that
// side, or one made of the image. The caller owns it.
HICON IconFor(BitmapStore& pictures, int key, int side, UINT dpi) {
  if (HICON drawn = pictures.Icon(key, side)) return drawn;
  HBITMAP image = pictures.Image(key, SIZE{side, side}, static_cast<int>(dpi));
  return image != nullptr ? IconOf(image) : nullptr;
}

}  // namespace

void Win32Toolkit::SetImageSource(std::shared_ptr<const BitmapSource> images) {
  OnGui([&] { pictures_.SetSource(std::move(images)); });
}

int Win32Toolkit::LoadPicture(const std::string& imageName) {
  return OnGui([&] { return pictures_.Key(imageName); });
}

void Win32Toolkit::SetImage(const std::string& form, int id, int pictureKey) {
  OnGui([&] {
    Win32Control* c = FindControl(form, id);
    if (c == nullptr || !pictures_.Known(pictureKey)) return;
    if (c->kind == ControlKind::Picture || c->kind == ControlKind::Icon)
      ShowPicture(*c, pictureKey);
  });
}

void Win32Toolkit::ShowPicture(Win32Control& control, int key) {
  control.pictureKey = key;
  const int dpi = static_cast<int>(::GetDpiForWindow(control.window));
  HBITMAP image = pictures_.Image(key, control.pictureSize, dpi);
  // A picture takes the size of its image; one without an image keeps the
  // size it was made with, and still takes clicks.
  SIZE size = control.pictureSize;
  BITMAP description{};
  if (image != nullptr && ::GetObjectW(image, sizeof(description), &description) != 0) {
    size = SIZE{description.bmWidth, description.bmHeight};
  }
  // Where it lay and where it lies now: pictures above it show either.
  RepaintPictureAndAbove(control.window);
  ::SetWindowPos(control.window, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(control.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
  RepaintPictureAndAbove(control.window);
}

void Win32Toolkit::SetFormIcon(const std::string& form, const std::string& iconName) {
  OnGui([&] {
    Win32Form* f = FindForm(form);
    if (f == nullptr) return;
    const UINT dpi = ::GetDpiForWindow(f->window);
    const int key = pictures_.Key(iconName);
    HICON icon = IconFor(pictures_, key, ::GetSystemMetricsForDpi(SM_CXICON, dpi), dpi);
    if (icon == nullptr) return;
    HICON smallIcon = IconFor(pictures_, key, ::GetSystemMetricsForDpi(SM_CXSMICON, dpi), dpi);
    ::SendMessageW(f->window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(f->window, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(smallIcon != nullptr ? smallIcon : icon));
    if (f->icon != nullptr) ::DestroyIcon(f->icon);
    if (f->smallIcon != nullptr) ::DestroyIcon(f->smallIcon);
    f->icon = icon;
    f->smallIcon = smallIcon;
  });
}

}  // namespace quorbel::ui
