#include "ui/art/DrawnImageSource.h"

#include "toolkit/qt/FolderImageSource.h"
#include "ui/art/PanelArt.h"

namespace quorbel::ui {

QPixmap DrawnImageSource::Image(const std::string& name, QSize size, qreal devicePixelRatio) const {
  // The artwork is named as the program names its pictures, with the "$".
  const QImage drawn = art::DrawPanelImage("$" + name, devicePixelRatio);
  if (!drawn.isNull()) return QPixmap::fromImage(drawn);
  return fallback_ ? fallback_->Image(name, size, devicePixelRatio) : QPixmap();
}

std::shared_ptr<const PanelImageSource> DrawnOrFolderImages() {
  return std::make_shared<DrawnImageSource>(
      std::make_shared<FolderImageSource>(FolderImageSource::DefaultFolders()));
}

}  // namespace quorbel::ui
