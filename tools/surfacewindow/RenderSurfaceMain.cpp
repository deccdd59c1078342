// Draws the surface window, as the editor leaves it after start-up with F3
// selected, into a PNG file (the picture in docs/):
//   quorbel_surface_render <file.png> [scale]
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/surface/SurfaceState.h"
#include "tools/surfacewindow/SurfaceWindow.h"

namespace {

void Write(quorbel::surfacetool::SurfaceState& state, std::uint8_t kind, std::uint8_t value) {
  const std::vector<std::uint8_t> message{0xBF, kind, value};
  state.Apply(message);
}

void WriteText(quorbel::surfacetool::SurfaceState& state, int position, const std::string& text) {
  Write(state, 0x14, static_cast<std::uint8_t>(position));
  for (char c : text) Write(state, 0x15, static_cast<std::uint8_t>(c));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s <file.png> [scale]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3) qputenv("QT_SCALE_FACTOR", argv[2]);
  QApplication application(argc, argv);

  quorbel::surfacetool::SurfaceState state;
  WriteText(state, 2, "Brenlow Electronics Quorbel Series");
  WriteText(state, 72, "Current Keyset Layer 2");
  Write(state, 0x12, 0x14);  // Shift lamp: the second layer
  Write(state, 0x12, 2);     // F3 selected in the editor
  Write(state, 0x12, 59);    // and Play

  const quorbel::surfacetool::SentControls controls;
  quorbel::surfacewindow::SurfaceWindow window(state, controls, [](const auto&) {});
  window.show();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
