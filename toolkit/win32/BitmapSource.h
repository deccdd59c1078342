#pragma once

#include <windows.h>

#include <string>

namespace quorbel::ui {

// Where the pictures of the program's windows come from on Win32: the
// panel's artwork, the lamps and the program icon, by image name without its
// leading "$" ("FuncUp" for "$FuncUp").
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;

  // The image for a control of `size` pixels on a screen of `dpi`; a source
  // may draw it at its own size instead, and the picture takes that size.
  // The caller owns the bitmap; null means the source has no such image.
  virtual HBITMAP Image(const std::string& name, SIZE size, int dpi) const = 0;

  // An icon drawn for `side` pixels, for a source that has icons of its
  // own; the caller owns it. Null asks for one made of the image instead.
  virtual HICON Icon(const std::string& /*name*/, int /*side*/) const { return nullptr; }
};

}  // namespace quorbel::ui
