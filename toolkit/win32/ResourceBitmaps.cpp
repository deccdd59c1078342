#include "toolkit/win32/ResourceBitmaps.h"

#include <cmath>
#include <cstring>

#include "platform/windows/WideText.h"
#include "toolkit/ResourcePictures.h"
#include "toolkit/win32/PixelScaling.h"

namespace quorbel::ui {

namespace {

SIZE SizeOf(HBITMAP image) {
  BITMAP description{};
  ::GetObjectW(image, sizeof(description), &description);
  return SIZE{description.bmWidth, description.bmHeight};
}

// The pixels of a 32-bit bitmap, top row first whichever way it stores
// them; empty for any other bitmap.
PixelRows RowsOf(HBITMAP image) {
  DIBSECTION section{};
  if (::GetObjectW(image, sizeof(section), &section) != sizeof(section) ||
      section.dsBm.bmBitsPixel != 32) {
    return {};
  }
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;
  PixelRows rows{width, height,
                 std::vector<std::uint32_t>(static_cast<std::size_t>(width) *
                                            static_cast<std::size_t>(height))};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  const int copied = ::GetDIBits(screen, image, 0, static_cast<UINT>(height), rows.pixels.data(),
                                 &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return copied == height ? rows : PixelRows{};
}

// A 32-bit bitmap of the pixels, top row first.
HBITMAP BitmapOf(const PixelRows& rows) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = rows.width;
  info.bmiHeader.biHeight = -rows.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP image = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (image == nullptr || bits == nullptr) return image;
  std::memcpy(bits, rows.pixels.data(), rows.pixels.size() * sizeof(std::uint32_t));
  return image;
}

}  // namespace

HBITMAP ResourceBitmaps::Load(const std::string& name, int percent) const {
  const std::wstring resource = WideFromUtf8(ResourcePictureName(name, percent));
  return static_cast<HBITMAP>(
      ::LoadImageW(module_, resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HICON ResourceBitmaps::Icon(const std::string& name, int side) const {
  const std::wstring resource = WideFromUtf8(ResourceIconName(name));
  return static_cast<HICON>(::LoadImageW(module_, resource.c_str(), IMAGE_ICON, side, side, 0));
}

HBITMAP ResourceBitmaps::Image(const std::string& name, SIZE /*size*/, int dpi) const {
  if (dpi <= 0) dpi = kNormalResourceDpi;
  const int percent = ResourceScaleFor(dpi);
  HBITMAP drawn = Load(name, percent);
  if (drawn == nullptr || percent * kNormalResourceDpi == dpi * 100) return drawn;
  // The screen's scale lies between those drawn: the normal size, scaled
  // as the artwork rounds it, from the next larger image.
  HBITMAP normal = Load(name, kResourcePictureScales.front());
  const SIZE normalSize = normal != nullptr ? SizeOf(normal) : SIZE{};
  if (normal != nullptr) ::DeleteObject(normal);
  const PixelRows rows = RowsOf(drawn);
  if (rows.pixels.empty() || normalSize.cx <= 0 || normalSize.cy <= 0) return drawn;
  const double scale = static_cast<double>(dpi) / kNormalResourceDpi;
  const int width = static_cast<int>(std::lround(normalSize.cx * scale));
  const int height = static_cast<int>(std::lround(normalSize.cy * scale));
  ::DeleteObject(drawn);
  return BitmapOf(ScalePixels(rows, width, height));
}

}  // namespace quorbel::ui
