#pragma once

#include <QStringList>

#include "toolkit/qt/PanelImageSource.h"

namespace quorbel::ui {

// Images read from files: "<folder>/<name>.png" (or .bmp, .svg), the name as
// written or in lower case, in the first folder that has it. Folders may be
// Qt resource paths such as ":/panel".
class FolderImageSource : public PanelImageSource {
 public:
  explicit FolderImageSource(QStringList folders) : folders_(std::move(folders)) {}
  // The resource folder ":/panel" and the folder "images" beside the program.
  static QStringList DefaultFolders();

  QPixmap Image(const std::string& name, QSize size, qreal devicePixelRatio) const override;

 private:
  QStringList folders_;
};

}  // namespace quorbel::ui
