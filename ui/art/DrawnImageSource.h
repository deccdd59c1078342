#pragma once

#include <memory>
#include <utility>

#include "toolkit/qt/PanelImageSource.h"

namespace quorbel::ui {

// The panel's own drawn artwork, sharp at every device pixel ratio; names it
// does not draw are asked of `fallback` (when there is one).
class DrawnImageSource : public PanelImageSource {
 public:
  explicit DrawnImageSource(std::shared_ptr<const PanelImageSource> fallback = nullptr)
      : fallback_(std::move(fallback)) {}

  QPixmap Image(const std::string& name, QSize size, qreal devicePixelRatio) const override;

 private:
  std::shared_ptr<const PanelImageSource> fallback_;
};

// The pictures of the program's windows: the drawn artwork, and the image
// files of the usual folders for names it does not draw.
std::shared_ptr<const PanelImageSource> DrawnOrFolderImages();

}  // namespace quorbel::ui
