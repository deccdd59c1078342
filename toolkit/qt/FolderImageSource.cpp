#include "toolkit/qt/FolderImageSource.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "toolkit/qt/CharGrid.h"

namespace quorbel::ui {

QStringList FolderImageSource::DefaultFolders() {
  QStringList folders{QStringLiteral(":/panel")};
  if (QCoreApplication::instance() != nullptr) {
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/images");
  }
  return folders;
}

QPixmap FolderImageSource::Image(const std::string& name, QSize /*size*/,
                                 qreal /*devicePixelRatio*/) const {
  const QString asWritten = ToQt(name);
  for (const QString& folder : folders_) {
    for (const QString& file : {asWritten, asWritten.toLower()}) {
      for (const char* extension : {".png", ".bmp", ".svg"}) {
        const QString path = folder + '/' + file + QLatin1String(extension);
        if (!QFileInfo::exists(path)) continue;
        // Files hold images at normal scale; the window system enlarges them.
        QPixmap image(path);
        if (!image.isNull()) return image;
      }
    }
  }
  return QPixmap();
}

}  // namespace quorbel::ui
