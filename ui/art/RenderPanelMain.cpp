// Writes a picture of the whole surface panel to a PNG file:
//   quorbel_panel_render <file.png> [scale [x y width height]] [id=image ...]
// The optional rectangle, in pixels at normal scale, crops the picture; each
// id=image shows that image in picture id instead of its opening image.
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ui/art/PanelComposition.h"

int main(int argc, char** argv) {
  std::vector<const char*> positional;
  std::map<int, std::string> shown;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    if (equals == std::string::npos) {
      positional.push_back(argv[i]);
    } else {
      shown[std::atoi(argument.substr(0, equals).c_str())] = argument.substr(equals + 1);
    }
  }
  if (positional.size() != 1 && positional.size() != 2 && positional.size() != 6) {
    std::fprintf(stderr, "usage: %s <file.png> [scale [x y width height]] [id=image ...]\n",
                 argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const double scale = positional.size() > 1 ? std::atof(positional[1]) : 1.0;
  if (!(scale > 0)) {
    std::fprintf(stderr, "the scale must be a positive number\n");
    return 2;
  }
  QImage panel = quorbel::art::RenderPanel(
      scale, [&shown](const quorbel::panel_layout::PanelPlace& place) -> std::string_view {
        const auto found = shown.find(place.id);
        return found != shown.end() ? found->second : quorbel::art::OpeningImage(place);
      });
  if (positional.size() == 6) {
    auto scaled = [scale](const char* text) {
      return static_cast<int>(std::lround(std::atof(text) * scale));
    };
    panel = panel.copy(scaled(positional[2]), scaled(positional[3]), scaled(positional[4]),
                       scaled(positional[5]));
  }
  if (!panel.save(QString::fromLocal8Bit(positional[0]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", positional[0]);
    return 1;
  }
  return 0;
}
