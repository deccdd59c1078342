#pragma once

#include <windows.h>

#include <string>

#include "toolkit/win32/BitmapSource.h"

namespace quorbel::ui {

// The panel's pictures from the program's bitmap resources, drawn at build
// time at a few scales (toolkit/ResourcePictures.h). A screen's image is
// the one drawn for its scale, or the next larger one made smaller, so
// that every picture is sharp; its size is the normal size times the
// screen's scale. The bitmaps keep their alpha, multiplied into the colours.
class ResourceBitmaps : public BitmapSource {
 public:
  // The resources of `module`; by default, of the program itself.
  explicit ResourceBitmaps(HMODULE module = ::GetModuleHandleW(nullptr)) : module_(module) {}

  // Draws at its own size: `size` is not used.
  HBITMAP Image(const std::string& name, SIZE size, int dpi) const override;
  // The icon resource's image drawn nearest to `side`, at that side.
  HICON Icon(const std::string& name, int side) const override;

 private:
  HBITMAP Load(const std::string& name, int percent) const;

  HMODULE module_;
};

}  // namespace quorbel::ui
