#pragma once

#include <QPixmap>
#include <QSize>
#include <string>

namespace quorbel::ui {

// Where the pictures of the program's windows come from: the panel's
// artwork, the lamps and the program icon, by image name without its
// leading "$" ("FuncUp" for "$FuncUp").
class PanelImageSource {
 public:
  virtual ~PanelImageSource() = default;

  // The image for a screen of `devicePixelRatio`. `size` is the size in
  // device-independent pixels of the control that asks; a source may draw
  // the image at its own size instead, and the picture takes that size. A
  // null pixmap means the source has no such image.
  virtual QPixmap Image(const std::string& name, QSize size, qreal devicePixelRatio) const = 0;
};

}  // namespace quorbel::ui
