// Writes a picture of the whole surface panel to a PNG file:
//   quorbel_panel_render <file.png> [scale [x y width height]]
// The optional rectangle, in pixels at normal scale, crops the picture.
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui/art/PanelComposition.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3 && argc != 7) {
    std::fprintf(stderr, "usage: %s <file.png> [scale [x y width height]]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
  if (!(scale > 0)) {
    std::fprintf(stderr, "the scale must be a positive number\n");
    return 2;
  }
  QImage panel = quorbel::art::RenderPanel(scale);
  if (argc == 7) {
    auto scaled = [scale](const char* text) {
      return static_cast<int>(std::lround(std::atof(text) * scale));
    };
    panel = panel.copy(scaled(argv[3]), scaled(argv[4]), scaled(argv[5]), scaled(argv[6]));
  }
  if (!panel.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
