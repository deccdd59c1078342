// Draws the program's icon as a square PNG for the desktop's icon theme:
//   quorbel-icon-render FILE.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "ui/art/PanelArt.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: quorbel-icon-render FILE.png SIZE\n", stderr);
    return 2;
  }
  const int size = std::atoi(argv[2]);
  if (size < 16 || size > 1024) {
    std::fputs("the size must be 16..1024 pixels\n", stderr);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QSize drawn = quorbel::art::PanelImageSize("$program");
  QImage icon = quorbel::art::DrawPanelImage("$program", double(size) / drawn.width());
  // Icon themes look at pixels, not at the ratio the image was drawn for.
  icon.setDevicePixelRatio(1);
  if (icon.size() != QSize(size, size))
    icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
